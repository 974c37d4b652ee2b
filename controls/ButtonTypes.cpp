#include "controls/ButtonTypes.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace zentra {
namespace {

bool SameFace(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

std::vector<FaceCandidate> SameKindFaces(const ButtonFont& font) {
    const int weight = font.weight;
    const int heavy = std::max(weight, 900);
    const int charset = font.charset;
    if (SameFace(font.name, "Symbol") || charset == kSymbolCharset) {
        // Symbol fonts without the Greek glyphs (Wine's own "Symbol" has none) are stood in for by
        // serif faces of the same look, drawn from the Unicode text.
        return {{font.name, weight, charset, false},
                {"Times New Roman", weight, 0, true},
                {"Liberation Serif", weight, 0, true},
                {"DejaVu Serif", weight, 0, true},
                {"Tahoma", weight, 0, true}};
    }
    if (SameFace(font.name, "Arial Black")) {
        return {{"Arial Black", weight, charset},
                {"Arial", heavy, charset},
                {"Liberation Sans", heavy, charset},
                {"Tahoma", heavy, charset}};
    }
    if (SameFace(font.name, "Arial") || SameFace(font.name, "Helvetica")) {
        return {{font.name, weight, charset},
                {"Liberation Sans", weight, charset},
                {"Tahoma", weight, charset}};
    }
    if (SameFace(font.name, "Courier New") || SameFace(font.name, "Courier")) {
        return {{font.name, weight, charset},
                {"Liberation Mono", weight, charset},
                {"Courier", weight, charset}};
    }
    if (SameFace(font.name, "Tahoma")) return {{"Tahoma", weight, charset}};
    return {{font.name, weight, charset}, {"Tahoma", weight, charset}};
}

std::u16string SymbolToUnicode(std::string_view text) {
    // Capital and small letters of the symbol encoding, A to Z.
    static constexpr char16_t kCapitals[26] = {
        0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399,
        0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1,
        0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396};
    static constexpr char16_t kSmall[26] = {0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
                                            0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD,
                                            0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5,
                                            0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6};
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char16_t unicode = byte;
        if (byte >= 'A' && byte <= 'Z') {
            unicode = kCapitals[byte - 'A'];
        } else if (byte >= 'a' && byte <= 'z') {
            unicode = kSmall[byte - 'a'];
        } else {
            switch (byte) {
                case 0x22:
                    unicode = 0x2200;
                    break;  // for all
                case 0x24:
                    unicode = 0x2203;
                    break;  // there exists
                case 0x27:
                    unicode = 0x220B;
                    break;  // contains as member
                case 0x2A:
                    unicode = 0x2217;
                    break;  // asterisk operator
                case 0x2D:
                    unicode = 0x2212;
                    break;  // minus sign
                case 0x40:
                    unicode = 0x2245;
                    break;  // approximately equal
                case 0x5C:
                    unicode = 0x2234;
                    break;  // therefore
                case 0x5E:
                    unicode = 0x22A5;
                    break;  // perpendicular
                case 0x7E:
                    unicode = 0x223C;
                    break;  // tilde operator
                default:
                    break;
            }
        }
        out += unicode;
    }
    return out;
}

std::optional<ButtonPicture> ButtonPicture::FromBmp(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t headerSize = ReadU32(bytes, kFileHeader);
    if (headerSize < 40 || headerSize > bytes.size() - kFileHeader) return std::nullopt;
    const auto width = static_cast<std::int32_t>(ReadU32(bytes, kFileHeader + 4));
    const auto height = static_cast<std::int32_t>(ReadU32(bytes, kFileHeader + 8));
    const std::uint16_t bitCount = ReadU16(bytes, kFileHeader + 14);
    const std::uint32_t compression = ReadU32(bytes, kFileHeader + 16);
    const std::uint32_t bitsOffset = ReadU32(bytes, 10);
    constexpr std::int32_t kLargest = 32767;
    if (width <= 0 || width > kLargest || height == 0 || height < -kLargest || height > kLargest) {
        return std::nullopt;
    }
    const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                            bitCount == 24 || bitCount == 32;
    if (!knownDepth || compression != 0) return std::nullopt;
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    // GDI reads the colour table right after the header: it must lie inside the bytes too.
    const std::uint32_t coloursUsed = ReadU32(bytes, kFileHeader + 32);
    const std::uint64_t colours =
        bitCount <= 8 ? (coloursUsed != 0 ? coloursUsed : 1u << bitCount) : 0;
    if (colours > 256 || kFileHeader + headerSize + colours * 4 > bytes.size()) return std::nullopt;
    if (bitsOffset < kFileHeader + headerSize || bitsOffset > bytes.size() ||
        stride * rows > bytes.size() - bitsOffset) {
        return std::nullopt;
    }
    ButtonPicture picture;
    picture.bmp.assign(bytes.begin(), bytes.end());
    picture.width = width;
    picture.height = static_cast<int>(rows);
    picture.infoOffset = kFileHeader;
    picture.bitsOffset = bitsOffset;
    return picture;
}

int RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto result = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return static_cast<int>(result);
}

}  // namespace zentra
