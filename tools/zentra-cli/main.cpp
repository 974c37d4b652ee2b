// zentra-cli: the calculator's engine on the command line.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LineFactoring.h"
#include "NumberReading.h"
#include "common/numbers/LeadingNumber.h"
#include "engine/Factorizer.h"
#include "engine/Operations.h"
#include "engine/PrimeTable.h"
#include "engine/ResultRendering.h"
#include "input/ExpressionNormalizer.h"

#if ZENTRA_CLI_WIDE
#include "ExactResults.h"
#endif

namespace {

namespace cli = zentra::cli;

constexpr const char* kUsage =
    "usage: zentra-cli factor|lcm|gcd|product|cancel [NUMBER...] | zentra-cli rtf TEXT |\n"
    "       zentra-cli normalize EXPR\n";

constexpr const char* kHelp =
    "zentra-cli - prime factorization on the command line\n"
    "\n"
    "  zentra-cli factor [NUMBER...]   factor every number; prints: number TAB = factorization\n"
    "  zentra-cli lcm [NUMBER...]      least common multiple of all numbers\n"
    "  zentra-cli gcd [NUMBER...]      greatest common divisor of all numbers\n"
    "  zentra-cli product [NUMBER...]  product of all numbers\n"
    "  zentra-cli cancel [NUMBER...]   divide every number by the GCD; prints the numbers, then\n"
    "                                  the GCD\n"
    "  zentra-cli rtf TEXT             the result pane's RTF document for TEXT\n"
    "  zentra-cli normalize EXPR       the linear mode's normal form of EXPR; on a fault prints\n"
    "                                  \"<message> at <position>\" on standard error, exits 1\n"
    "  zentra-cli --help               this text\n"
    "\n"
    "Numbers: whole, 0 or more, written in decimal digits, at most %u digits; one per argument,\n"
    "or one per line of standard input when there is no NUMBER argument. Blanks around a number\n"
    "and blank lines are skipped. Anything else (a sign, a fraction, an exponent, letters, too\n"
    "many digits) is refused: a line on standard error names it and says why, the other numbers\n"
    "are still answered, and the exit code is 1. A number whose two largest prime factors are\n"
    "both large takes time: about a second for 40 digits, growing fast beyond.\n"
    "\n"
    "Output: a factorization lists the primes ascending, each with \"^\" and its exponent when\n"
    "that is above 1, joined by \" * \": \"360<TAB>= 2^3 * 3^2 * 5\"; 0 and 1 have none "
    "(\"1<TAB>\").\n"
    "lcm, gcd and product print \"value = factorization\", or the value alone for no prime or a\n"
    "single prime. Numbers below 10^12 give the window's texts: when every number is below\n"
    "10^12, a value beyond 29 digits reads \"[Result too large]\"; with a larger number the value\n"
    "is exact.\n"
    "\n"
    "Exit code: 0 when every number was read, 1 when one was refused, 2 on a usage error.\n";

int UsageError(const char* detail) {
    std::fprintf(stderr, "zentra-cli: %s\n%s", detail, kUsage);
    return 2;
}

// Buffered output: one write per few hundred kilobytes, not per line.
class Output {
  public:
    ~Output() { Flush(); }
    // The text not written yet; append to it, then call Written().
    std::string& Buffer() { return buffer_; }
    void Written() {
        if (buffer_.size() > (1u << 18)) Flush();
    }
    void Write(std::string_view text) {
        buffer_.append(text);
        Written();
    }
    void Flush() {
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
        buffer_.clear();
    }

  private:
    std::string buffer_;
};

// Reads standard input line by line in large blocks. A line keeps at most kMaxLineLength + 1
// bytes, enough to tell that it is too long.
class LineReader {
  public:
    bool Next(std::string& line) {
        line.clear();
        for (;;) {
            if (pos_ == size_) {
                size_ = std::fread(block_, 1, sizeof block_, stdin);
                pos_ = 0;
                if (size_ == 0) {
                    if (!pending_) return false;
                    pending_ = false;
                    return true;
                }
            }
            const char* start = block_ + pos_;
            const auto* newline = static_cast<const char*>(std::memchr(start, '\n', size_ - pos_));
            const std::size_t length =
                newline == nullptr ? size_ - pos_ : static_cast<std::size_t>(newline - start);
            const std::size_t room = cli::kMaxLineLength + 1 - line.size();
            line.append(start, std::min(length, room));
            if (newline == nullptr) {
                pos_ = size_;
                pending_ = true;
                continue;
            }
            pos_ += length + 1;
            pending_ = false;
            return true;
        }
    }

  private:
    char block_[1 << 16];
    std::size_t pos_ = 0;
    std::size_t size_ = 0;
    bool pending_ = false;
};

// The numbers of the arguments, or else of standard input's lines. What is not a number is
// reported on standard error and passed over.
class NumberSource {
  public:
    explicit NumberSource(const std::vector<std::string>& args) : args_(args) {}

    // The next number's digits (valid until the next call); false at the end.
    bool Next(std::string_view& digits) {
        for (;;) {
            const bool fromArgs = !args_.empty();
            if (fromArgs) {
                if (next_ == args_.size()) return false;
                line_ = args_[next_++];
            } else if (!reader_.Next(line_)) {
                return false;
            }
            if (line_.size() > cli::kMaxLineLength) {
                Refuse(line_, cli::Refusal::kTooLong);
                continue;
            }
            const cli::NumberReading reading = cli::ReadNumber(line_, cli::kMaxDigits);
            if (reading.kind == cli::NumberReading::kNumber) {
                digits = reading.digits;
                return true;
            }
            if (reading.kind == cli::NumberReading::kRefused) {
                Refuse(reading.text, reading.refusal);
            } else if (fromArgs) {
                Refuse(line_, cli::Refusal::kEmpty);
            }
        }
    }

    int ExitCode() const { return refused_ ? 1 : 0; }

  private:
    void Refuse(std::string_view text, cli::Refusal refusal) {
        refused_ = true;
        std::fprintf(stderr, "%s\n", cli::RefusalMessage(text, refusal, cli::kMaxDigits).c_str());
    }

    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    LineReader reader_;
    std::string line_;
    bool refused_ = false;
};

std::optional<zentra::PrimeTable> LoadPrimes() {
    std::string error;
    auto primes = zentra::PrimeTable::FromProgramResource(&error);
    if (!primes) std::fprintf(stderr, "zentra-cli: %s\n", error.c_str());
    return primes;
}

int RunFactor(NumberSource& numbers) {
    std::optional<zentra::PrimeTable> primes;
    std::optional<zentra::Factorizer> engine;
    if (!ZENTRA_CLI_WIDE) {  // the Windows builds factor with the window's engine
        primes = LoadPrimes();
        if (!primes) return 1;
        engine.emplace(*primes);
    }
    cli::LineFactoring factoring(engine ? &*engine : nullptr);
    Output out;
    std::string_view digits;
    while (numbers.Next(digits)) {
        std::string& text = out.Buffer();
        text.append(digits);
        text += '\t';
        factoring.AppendText(digits, text);
        text += '\n';
        out.Written();
    }
    return numbers.ExitCode();
}

// The lines' values as the window's display reads them.
std::vector<zentra::LineValue> ValuesOf(const std::vector<std::string>& lines) {
    std::vector<zentra::LineValue> values;
    values.reserve(lines.size());
    for (const auto& line : lines) values.push_back(zentra::LeadingFixed(line));
    return values;
}

// Every line, a tab and its factorization, as the window's display lines show them.
void PrintLines(const std::vector<std::string>& lines, const zentra::FactorTable& factors,
                Output& out) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.Write(lines[i]);
        out.Write("\t");
        out.Write(zentra::LineFactorText(factors.Line(i)));
        out.Write("\n");
    }
}

// Cancellation: every line divided by the GCD (the lines as they are when there is nothing to
// cancel), each with its factorization, then the GCD.
void PrintCancellation(const zentra::Factorizer& factorizer, std::vector<std::string> lines,
                       const zentra::CombinedResult& gcd, Output& out) {
    const auto quotients = zentra::CancelLines(ValuesOf(lines), gcd);
    for (std::size_t i = 0; i < quotients.size(); ++i) {
        if (quotients[i]) lines[i] = quotients[i]->ToString();
    }
    PrintLines(lines, zentra::FactorizeLines(factorizer, ValuesOf(lines)), out);
}

// The window's operations over numbers below 10^12.
void CombineInEngine(const zentra::Factorizer& factorizer, int operation,
                     const std::vector<std::string>& lines, Output& out) {
    const zentra::FactorTable factors = zentra::FactorizeLines(factorizer, ValuesOf(lines));
    zentra::CombinedResult result;
    if (operation == zentra::kLcm) {
        result = zentra::Lcm(factors);
    } else if (operation == zentra::kProduct) {
        result = zentra::Product(factors);
    } else {
        result = zentra::Gcd(factors);
    }
    if (operation == zentra::kCancellation) PrintCancellation(factorizer, lines, result, out);
    out.Write(result.text);
    out.Write("\n");
}

#if ZENTRA_CLI_WIDE
// The same operations over numbers of any size, with exact values.
void CombineExactly(int operation, const std::vector<std::string>& lines, Output& out) {
    cli::LineFactoring factoring(nullptr);
    std::vector<cli::BigFactors> factors;
    factors.reserve(lines.size());
    for (const std::string& line : lines) factors.push_back(factoring.Powers(line));
    cli::BigFactors result;
    if (operation == zentra::kLcm) {
        result = cli::Lcm(factors);
    } else if (operation == zentra::kProduct) {
        result = cli::Product(factors);
    } else {
        result = cli::Gcd(factors);
    }
    if (operation == zentra::kCancellation) {
        const bool cancels = cli::Value(result) > 1;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const cli::BigFactors line = cancels ? cli::Divide(factors[i], result) : factors[i];
            out.Write(cancels ? cli::Value(line).get_str() : lines[i]);
            out.Write(line.empty() ? "\t" : "\t= " + cli::FactorText(line));
            out.Write("\n");
        }
    }
    out.Write(cli::ResultText(result));
    out.Write("\n");
}
#endif

int RunCombining(int operation, NumberSource& numbers) {
    std::vector<std::string> lines;
    std::string_view digits;
    bool windowSized = true;
    while (numbers.Next(digits)) {
        lines.emplace_back(digits);
        windowSized =
            windowSized && digits.size() <= static_cast<std::size_t>(zentra::kNumberDigits);
    }
    Output out;
    // With no number line nothing runs and the text stays empty.
    if (lines.empty()) {
        out.Write("\n");
        return numbers.ExitCode();
    }
#if ZENTRA_CLI_WIDE
    if (!windowSized) {
        CombineExactly(operation, lines, out);
        return numbers.ExitCode();
    }
#endif
    const auto primes = LoadPrimes();
    if (!primes) return 1;
    CombineInEngine(zentra::Factorizer(*primes), operation, lines, out);
    return numbers.ExitCode();
}

int RunRtf(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError("rtf takes exactly one TEXT");
    const std::string rtf = zentra::RenderResultRtf(args[0]);
    if (!rtf.empty()) std::printf("%s\n", rtf.c_str());
    return 0;
}

int RunNormalize(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError("normalize takes exactly one EXPR");
    const zentra::NormalizeResult result = zentra::NormalizeExpression(args[0]);
    if (result.failure) {
        std::fprintf(stderr, "%s at %d\n", result.failure->message.c_str(),
                     result.failure->position);
        return 1;
    }
    std::printf("%s\n", result.text.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return UsageError("missing command");
    const std::string_view command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h") {
        std::printf(kHelp, static_cast<unsigned>(cli::kMaxDigits));
        return 0;
    }
    if (command == "rtf") return RunRtf(args);
    if (command == "normalize") return RunNormalize(args);

    int operation = -1;
    if (command == "factor")
        operation = zentra::kFactorization;
    else if (command == "lcm")
        operation = zentra::kLcm;
    else if (command == "gcd")
        operation = zentra::kGcd;
    else if (command == "product")
        operation = zentra::kProduct;
    else if (command == "cancel")
        operation = zentra::kCancellation;
    if (operation < 0) return UsageError("unknown command");

    NumberSource numbers(args);
    if (operation == zentra::kFactorization) return RunFactor(numbers);
    return RunCombining(operation, numbers);
}
