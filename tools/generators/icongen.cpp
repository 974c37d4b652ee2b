// Build tool: draws the program's icon (a white capital Pi on a purple key) and writes it as a
// 32 x 32, 32-bit .ico file.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "tools/generators/LittleEndian.h"

using zentra::art::Put16;
using zentra::art::Put32;

namespace {

constexpr int kSize = 32;

struct Pixel {
    std::uint8_t b, g, r, a;
};

bool InsideKey(int x, int y) {
    // A square with corners rounded by a radius of 5 pixels.
    constexpr int kRadius = 5;
    const int cx = x < kRadius ? kRadius : (x > kSize - 1 - kRadius ? kSize - 1 - kRadius : x);
    const int cy = y < kRadius ? kRadius : (y > kSize - 1 - kRadius ? kSize - 1 - kRadius : y);
    const int dx = x - cx;
    const int dy = y - cy;
    return dx * dx + dy * dy <= kRadius * kRadius;
}

bool InsidePi(int x, int y) {
    const bool bar = y >= 7 && y <= 10 && x >= 6 && x <= 25;
    const bool leftLeg = x >= 9 && x <= 12 && y >= 7 && y <= 25;
    const bool rightLeg = x >= 19 && x <= 22 && y >= 7 && y <= 25;
    return bar || leftLeg || rightLeg;
}

Pixel Shade(int x, int y) {
    if (!InsideKey(x, y)) return {0, 0, 0, 0};
    if (InsidePi(x, y)) return {255, 255, 255, 255};
    // Purple (0x800080) with a lighter top-left edge, like a raised key.
    if (x <= 1 || y <= 1) return {192, 96, 192, 255};
    if (x >= kSize - 2 || y >= kSize - 2) return {64, 0, 64, 255};
    return {128, 0, 128, 255};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen OUTPUT.ico\n");
        return 2;
    }
    const unsigned maskRowBytes = 4;  // 32 bits per row, already a multiple of 4 bytes
    const unsigned imageBytes = 40 + kSize * kSize * 4 + kSize * maskRowBytes;
    std::vector<std::uint8_t> out;
    // ICONDIR and its one entry.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, imageBytes);
    Put32(out, 6 + 16);
    // BITMAPINFOHEADER: the height counts the colour image and the mask.
    Put32(out, 40);
    Put32(out, kSize);
    Put32(out, kSize * 2);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, kSize * kSize * 4 + kSize * maskRowBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    // Rows bottom-up.
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; ++x) {
            const Pixel p = Shade(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    for (int y = kSize - 1; y >= 0; --y) {
        std::uint32_t mask = 0;
        for (int x = 0; x < kSize; ++x) {
            if (!InsideKey(x, y)) mask |= 1u << (31 - x);
        }
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(mask >> 24), static_cast<std::uint8_t>(mask >> 16),
                    static_cast<std::uint8_t>(mask >> 8), static_cast<std::uint8_t>(mask)});
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size()) {
        std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
        return 1;
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
