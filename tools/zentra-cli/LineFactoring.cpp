#include "LineFactoring.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "engine/Operations.h"

#if ZENTRA_CLI_WIDE
#include "BigFactoring.h"
#endif

namespace zentra::cli {
namespace {

template <typename T>
T ParseDigits(std::string_view digits) {
    T n = 0;
    for (const char c : digits) n = n * 10 + static_cast<T>(c - '0');
    return n;
}

}  // namespace

#if ZENTRA_CLI_WIDE
namespace {

void AppendDecimal(DoubleWord n, std::string& out) {
    constexpr Word kTen19 = 10000000000000000000ULL;
    char text[40];
    char* end = text + sizeof text;
    char* start = end;
    while (n > kTen19) {  // 19 digits at a time, the low ones first
        Word low = static_cast<Word>(n % kTen19);
        n /= kTen19;
        for (int i = 0; i < 19; ++i, low /= 10) *--start = static_cast<char>('0' + low % 10);
    }
    const auto result = std::to_chars(text, start, static_cast<Word>(n));
    out.append(text, result.ptr);
    out.append(start, end);
}

void AppendDecimal(const mpz_class& n, std::string& out) {
    out += n.get_str();
}

// Walks equal runs of the ascending primes: "p" or "p^run", joined by " * ".
template <typename T>
void AppendRuns(const std::vector<T>& primes, std::string& out) {
    for (std::size_t i = 0; i < primes.size();) {
        std::size_t j = i;
        while (j < primes.size() && primes[j] == primes[i]) ++j;
        if (out.back() != ' ') out += " * ";
        AppendDecimal(primes[i], out);
        if (j - i > 1) {
            out += '^';
            AppendDecimal(static_cast<DoubleWord>(j - i), out);
        }
        i = j;
    }
}

}  // namespace

void LineFactoring::Factor(std::string_view digits) {
    words_.clear();
    bigs_.clear();
    if (digits.size() <= 19) {  // below 10^19 < 2^64
        FactorWord(ParseDigits<Word>(digits), words_);
    } else if (const auto n = ParseDigits<DoubleWord>(digits.substr(0, 25));
               digits.size() <= 25 && n < kDoubleWordLimit) {
        FactorDoubleWord(n, words_);
    } else {
        FactorBig(mpz_class(std::string(digits)), words_, bigs_);
    }
    std::sort(words_.begin(), words_.end());
    std::sort(bigs_.begin(), bigs_.end());
}

void LineFactoring::AppendText(std::string_view digits, std::string& out) {
    Factor(digits);
    if (words_.empty() && bigs_.empty()) return;
    out += "= ";
    AppendRuns(words_, out);
    AppendRuns(bigs_, out);
}

BigFactors LineFactoring::Powers(std::string_view digits) {
    Factor(digits);
    BigFactors powers;
    auto add = [&powers](const mpz_class& p) {
        if (!powers.empty() && powers.back().prime == p) {
            ++powers.back().exponent;
        } else {
            powers.push_back({p, 1});
        }
    };
    for (const DoubleWord p : words_) add(FromDoubleWord(p));
    for (const mpz_class& p : bigs_) add(p);
    return powers;
}

std::string FactorText(const BigFactors& powers) {
    std::string text;
    for (const BigPower& power : powers) {
        if (!text.empty()) text += " * ";
        text += power.prime.get_str();
        if (power.exponent > 1) text += '^' + std::to_string(power.exponent);
    }
    return text;
}

#else

void LineFactoring::AppendText(std::string_view digits, std::string& out) {
    const FactorList list = engine_->Factorize(Fixed::FromWhole(ParseDigits<std::int64_t>(digits)));
    out += LineFactorText(
        std::span<const PrimePower>(list.slots.data(), static_cast<std::size_t>(list.count)));
}

#endif

}  // namespace zentra::cli
