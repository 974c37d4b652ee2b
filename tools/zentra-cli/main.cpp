// zentra-cli: the calculator's engine on the command line.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/numbers/LeadingNumber.h"
#include "engine/Factorizer.h"
#include "engine/Operations.h"
#include "engine/PrimeTable.h"
#include "engine/ResultRendering.h"
#include "input/ExpressionNormalizer.h"

namespace {

constexpr const char* kUsage =
    "usage: zentra-cli factor|lcm|gcd|product|cancel [LINE...] | zentra-cli rtf TEXT |\n"
    "       zentra-cli normalize EXPR\n";

constexpr const char* kHelp =
    "zentra-cli - prime factorization on the command line\n"
    "\n"
    "  zentra-cli factor [LINE...]   factor every line; prints: line TAB factorization\n"
    "  zentra-cli lcm [LINE...]      least common multiple of all lines\n"
    "  zentra-cli gcd [LINE...]      greatest common divisor of all lines\n"
    "  zentra-cli product [LINE...]  product of all lines\n"
    "  zentra-cli cancel [LINE...]   divide every line by the GCD; prints the lines, then the GCD\n"
    "  zentra-cli rtf TEXT           the result pane's RTF document for TEXT\n"
    "  zentra-cli normalize EXPR     the linear mode's normal form of EXPR; on a fault prints\n"
    "                                \"<message> at <position>\" on standard error, exits 1\n"
    "  zentra-cli --help             this text\n"
    "\n"
    "Without LINE arguments the lines are read from standard input, one per line.\n";

int UsageError(const char* detail) {
    std::fprintf(stderr, "zentra-cli: %s\n%s", detail, kUsage);
    return 2;
}

// Buffered output: one write per few hundred kilobytes, not per line.
class Output {
  public:
    ~Output() { Flush(); }
    void Write(std::string_view text) {
        buffer_.append(text);
        if (buffer_.size() > (1u << 18)) Flush();
    }
    void Flush() {
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
        buffer_.clear();
    }

  private:
    std::string buffer_;
};

// Reads standard input line by line in large blocks; a CR before the LF is dropped.
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
            if (newline == nullptr) {
                line.append(start, size_ - pos_);
                pos_ = size_;
                pending_ = true;
                continue;
            }
            line.append(start, static_cast<std::size_t>(newline - start));
            pos_ += static_cast<std::size_t>(newline - start) + 1;
            pending_ = false;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
    }

  private:
    char block_[1 << 16];
    std::size_t pos_ = 0;
    std::size_t size_ = 0;
    bool pending_ = false;
};

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

// Factorization works line by line, so standard input is processed in bounded chunks.
int RunFactor(const zentra::Factorizer& factorizer, const std::vector<std::string>& args) {
    Output out;
    auto printChunk = [&](const std::vector<std::string>& lines) {
        PrintLines(lines, zentra::FactorizeLines(factorizer, ValuesOf(lines)), out);
    };
    if (!args.empty()) {
        printChunk(args);
        return 0;
    }
    constexpr std::size_t kChunk = 1 << 15;
    LineReader reader;
    std::vector<std::string> lines;
    std::string line;
    bool more = true;
    while (more) {
        lines.clear();
        while (lines.size() < kChunk && (more = reader.Next(line))) lines.push_back(line);
        printChunk(lines);
    }
    return 0;
}

std::vector<std::string> ReadLines(const std::vector<std::string>& args) {
    if (!args.empty()) return args;
    std::vector<std::string> lines;
    LineReader reader;
    std::string line;
    while (reader.Next(line)) lines.push_back(line);
    return lines;
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

int RunCombining(const zentra::Factorizer& factorizer, int operation,
                 const std::vector<std::string>& args) {
    const std::vector<std::string> lines = ReadLines(args);
    Output out;
    // With no number line nothing runs and the text stays empty.
    if (lines.empty()) {
        out.Write("\n");
        return 0;
    }
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
    return 0;
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
        std::fputs(kHelp, stdout);
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

    std::string error;
    const auto primes = zentra::PrimeTable::FromProgramResource(&error);
    if (!primes) {
        std::fprintf(stderr, "zentra-cli: %s\n", error.c_str());
        return 1;
    }
    const zentra::Factorizer factorizer(*primes);
    if (operation == zentra::kFactorization) return RunFactor(factorizer, args);
    return RunCombining(factorizer, operation, args);
}
