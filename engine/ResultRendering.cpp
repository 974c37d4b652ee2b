#include "engine/ResultRendering.h"

#include <algorithm>

#include "common/display/RtfRuns.h"

namespace zentra {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ResultText(std::span<const PrimePower> list, std::optional<Decimal>& value) {
    const std::size_t count = static_cast<std::size_t>(
        std::find_if(list.begin(), list.end(),
                     [](const PrimePower& slot) { return slot.base <= Fixed(); }) -
        list.begin());
    list = list.first(count);
    value = Decimal::FromInt64(1);
    bool product = count > 1;  // more than one prime, or a power: worth showing as factors
    for (const auto& slot : list) {
        if (slot.exponent > Fixed::FromWhole(1)) product = true;
        if (!value) continue;
        const auto power = Decimal::Power(Decimal::FromFixed(slot.base), slot.exponent.WholePart());
        value = power ? Decimal::Multiply(*value, *power) : std::nullopt;
    }
    std::string text = value ? value->ToString() : std::string(kResultTooLarge);
    if (!product) return text;
    // One string for the whole text: a result of 100,000 lines runs to a megabyte.
    text.reserve(text.size() + count * 16);
    text += " = ";
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += " * ";
        text += list[i].base.ToString();
        if (list[i].exponent > Fixed::FromWhole(1)) {
            text += '^';
            text += list[i].exponent.ToString();
        }
    }
    return text;
}

std::string GroupThousands(std::string_view text) {
    if (text.empty() || text.front() < '1' || text.front() > '9') return std::string(text);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const std::size_t fromRight = whole.size() - i;
        if (i > 0 && fromRight % 3 == 0) grouped += ',';
        grouped += whole[i];
    }
    if (point != std::string_view::npos) grouped += text.substr(point);
    return grouped;
}

std::string RenderResultRtf(std::string_view input) {
    if (input.empty()) return {};
    std::string rtf(kRtfHeader);
    // A piece costs about 20 characters of markup; one reservation for the whole document.
    rtf.reserve(rtf.size() + input.size() * 4 + 32);
    std::string_view text = input;
    const std::size_t equals = text.find("= ");
    if (equals != std::string_view::npos && equals > 0) {
        rtf += "{\\fs18 ";
        AppendEscapedRtfText(rtf, GroupThousands(TrimBlanks(text.substr(0, equals))));
        rtf += " = }";
        text.remove_prefix(equals + 2);
    }
    // `last` counts the characters already rendered; a piece runs from `last` up to before i.
    // The end of the text closes an exponent as a blank would.
    std::size_t last = 0;
    bool raised = false;
    auto piece = [&](std::string_view markup, std::size_t end) {
        rtf += markup;
        AppendEscapedRtfText(rtf, text.substr(last, end - last));
        rtf += '}';
    };
    for (std::size_t i = 1; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        if (c == '^') {
            piece("{\\fs18 ", i);
            raised = true;
            last = i + 1;
        } else if (c == ' ' && raised) {
            piece("{\\fs14\\up8 ", i);
            raised = false;
            last = i;  // the blank itself starts the next piece
        } else if (c == '*') {
            piece("{\\fs18 ", i);
            rtf += "{\\fs18\\up6 .}";
            last = i + 1;
        }
    }
    piece("{\\fs18 ", text.size());
    rtf += '}';
    return rtf;
}

}  // namespace zentra
