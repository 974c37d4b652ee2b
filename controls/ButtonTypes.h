// Value types shared by the push-button core and its hosts: colours, fonts, pictures, geometry.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentra {

// 0x00BBGGRR for a fixed colour, 0x800000nn for system colour nn.
using Colour = std::uint32_t;

namespace syscolour {
inline constexpr Colour kWindow = 0x80000005;
inline constexpr Colour kWindowText = 0x80000008;
inline constexpr Colour kButtonFace = 0x8000000F;
inline constexpr Colour kButtonShadow = 0x80000010;
inline constexpr Colour kGrayText = 0x80000011;
inline constexpr Colour kButtonText = 0x80000012;
inline constexpr Colour kHighlight3D = 0x80000014;
inline constexpr Colour kDarkShadow3D = 0x80000015;
inline constexpr Colour kLight3D = 0x80000016;
}  // namespace syscolour

constexpr bool IsSystemColour(Colour colour) {
    return (colour & 0xFF000000u) == 0x80000000u;
}

// Screen resolution as the host reports it (15 twips per pixel at 96 dpi).
struct PixelScale {
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
    int frameLinePixels = 1;  // how thick each of the frame's lines is drawn
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// A font as the control stores it. The size is kept in hundredths of a point so that the stored
// sizes (9.75, 11.25) survive saving and loading exactly.
struct ButtonFont {
    std::string name = "MS Sans Serif";
    int sizeCentipoints = 825;
    int weight = 400;
    int charset = 0;  // 0 ANSI, 2 symbol
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    friend bool operator==(const ButtonFont&, const ButtonFont&) = default;
};

inline constexpr int kSymbolCharset = 2;

// A face to try for a stored font, with the weight to ask for (a heavy face stood in for by a
// lighter one is asked for at black weight).
struct FaceCandidate {
    std::string face;
    int weight = 400;
    int charset = 0;
    // A Unicode face standing in for a symbol font: the caption is drawn as SymbolToUnicode(text).
    bool symbolAsUnicode = false;
    friend bool operator==(const FaceCandidate&, const FaceCandidate&) = default;
};

// Faces to try, best first, for a font that may be missing on the machine: the stored face, then
// faces of the same kind. A host takes the first one that is installed and has the caption's
// glyphs; the last one is present on Windows and under Wine alike.
std::vector<FaceCandidate> SameKindFaces(const ButtonFont& font);

// The Unicode text of characters in the symbol font's encoding: Greek letters ("P" is capital Pi,
// "X" capital Xi) and the mathematical signs of 0x20-0x7E; other characters keep their code.
std::u16string SymbolToUnicode(std::string_view text);

// A device-independent bitmap held as the bytes of a .bmp file; the size is read from its header.
struct ButtonPicture {
    std::vector<std::uint8_t> bmp;
    int width = 0;
    int height = 0;
    // The BITMAPINFO and pixel data offsets inside `bmp`.
    std::size_t infoOffset = 0;
    std::size_t bitsOffset = 0;

    // Accepts an uncompressed 1/4/8/16/24/32-bit .bmp whose pixel data fits in the bytes.
    static std::optional<ButtonPicture> FromBmp(std::span<const std::uint8_t> bytes);
    friend bool operator==(const ButtonPicture& a, const ButtonPicture& b) {
        return a.bmp == b.bmp;
    }
};

// Rounds half to the even neighbour, as the control's geometry does.
int RoundHalfEven(double value);

}  // namespace zentra
