// Build tool: draws the program's icon (a white capital Pi on a purple key) and writes it as a
// 32-bit .ico file with one image for each size the system asks for at 96, 120, 144 and 192 dpi
// (16 to 64 pixels). The key is designed on a 32 x 32 grid; each size samples the grid at its
// pixels' centres, so the 32 x 32 image is the design itself and the 64 x 64 one its double.
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

// The design's pixel under the centre of pixel `x` of an image `size` pixels wide.
int DesignPixel(int x, int size) {
    return (2 * x + 1) * kSize / (2 * size);
}

constexpr int kImageSizes[] = {16, 20, 24, 32, 40, 48, 64};

// BITMAPINFOHEADER, the colour rows and the mask rows of one image, bottom-up.
std::vector<std::uint8_t> IconImage(int size) {
    const auto usize = static_cast<unsigned>(size);
    const unsigned maskRowBytes = (usize + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    // The height counts the colour image and the mask.
    Put32(out, 40);
    Put32(out, usize);
    Put32(out, usize * 2);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, usize * usize * 4 + usize * maskRowBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Pixel p = Shade(DesignPixel(x, size), DesignPixel(y, size));
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRowBytes, 0);
        for (int x = 0; x < size; ++x) {
            if (!InsideKey(DesignPixel(x, size), DesignPixel(y, size))) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen OUTPUT.ico\n");
        return 2;
    }
    std::vector<std::vector<std::uint8_t>> images;
    for (const int size : kImageSizes) images.push_back(IconImage(size));
    std::vector<std::uint8_t> out;
    // ICONDIR and one entry per image; the images follow in the same order.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto size = static_cast<std::uint8_t>(kImageSizes[i]);
        out.insert(out.end(), {size, size, 0, 0});
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<unsigned>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size()) {
        std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
        return 1;
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
