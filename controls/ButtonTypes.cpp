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
    if (SameFace(font.name, "Symbol")) return {{"Symbol", weight}};
    if (SameFace(font.name, "Arial Black")) {
        return {{"Arial Black", weight},
                {"Arial", heavy},
                {"Liberation Sans", heavy},
                {"Tahoma", heavy}};
    }
    if (SameFace(font.name, "Arial") || SameFace(font.name, "Helvetica")) {
        return {{font.name, weight}, {"Liberation Sans", weight}, {"Tahoma", weight}};
    }
    if (SameFace(font.name, "Courier New") || SameFace(font.name, "Courier")) {
        return {{font.name, weight}, {"Liberation Mono", weight}, {"Courier", weight}};
    }
    if (SameFace(font.name, "Tahoma")) return {{"Tahoma", weight}};
    return {{font.name, weight}, {"Tahoma", weight}};
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
