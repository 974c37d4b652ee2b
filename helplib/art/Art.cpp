#include "helplib/art/Art.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zentra::art {
namespace {

// Palette of the About picture: 0-127 background gradient, 128-191 gold for primes,
// 192-255 greys up to white for the Pi sign and its shadow.
constexpr int kGold = 128;
constexpr int kShadow = 200;
constexpr int kWhite = 255;

struct Rgb {
    std::uint8_t r, g, b;
};

Rgb Mix(Rgb a, Rgb b, int step, int steps) {
    auto lerp = [&](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(x + (y - x) * step / steps);
    };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

std::array<Rgb, 256> AboutPalette() {
    std::array<Rgb, 256> p{};
    for (int i = 0; i < 128; ++i) p[i] = Mix({16, 24, 72}, {88, 24, 104}, i, 127);
    for (int i = 0; i < 64; ++i) p[128 + i] = Mix({255, 214, 64}, {176, 120, 16}, i, 63);
    for (int i = 0; i < 64; ++i) p[192 + i] = Mix({40, 16, 56}, {255, 255, 255}, i, 63);
    return p;
}

void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutInfoHeader(Bytes& b, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t colours) {
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, 0);  // BI_RGB
    Put32(b, imageSize);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, colours);
    Put32(b, 0);
}

// The capital Pi: a bar and two legs, as filled rectangles in a box of the given size.
bool InPi(int x, int y, int left, int top, int width, int height) {
    const int bar = height / 5, leg = width / 5, inset = width / 8;
    const int dx = x - left, dy = y - top;
    if (dx < 0 || dy < 0 || dx >= width || dy >= height) return false;
    if (dy < bar) return true;
    return (dx >= inset && dx < inset + leg) || (dx >= width - inset - leg && dx < width - inset);
}

// Ulam spiral coordinates of n around the origin.
std::pair<int, int> SpiralPosition(int n) {
    int x = 0, y = 0, step = 1, k = 1;
    int dx = 1, dy = 0;
    while (k < n) {
        for (int repeat = 0; repeat < 2 && k < n; ++repeat) {
            const int moves = std::min(step, n - k);
            x += dx * moves, y += dy * moves, k += moves;
            const int t = dx;
            dx = dy, dy = -t;
        }
        ++step;
    }
    return {x, y};
}

constexpr std::array<Rgb, 16> kStandardColours = {{{0, 0, 0},
                                                   {128, 0, 0},
                                                   {0, 128, 0},
                                                   {128, 128, 0},
                                                   {0, 0, 128},
                                                   {128, 0, 128},
                                                   {0, 128, 128},
                                                   {192, 192, 192},
                                                   {128, 128, 128},
                                                   {255, 0, 0},
                                                   {0, 255, 0},
                                                   {255, 255, 0},
                                                   {0, 0, 255},
                                                   {255, 0, 255},
                                                   {0, 255, 255},
                                                   {255, 255, 255}}};
constexpr std::uint8_t kIconPurple = 5, kIconGrey = 8, kIconYellow = 11, kIconWhite = 15;

Bytes IconImageBytes(const IconImage& icon) {
    const int n = icon.size;
    const int xorStride = (n / 2 + 3) / 4 * 4, andStride = (n / 8 + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>((xorStride + andStride) * n);
    Bytes b;
    PutInfoHeader(b, n, 2 * n, 4, imageSize, 0);
    for (const Rgb& c : kStandardColours) {
        b.insert(b.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(xorStride), 0);
        for (int x = 0; x < n; ++x) {
            const std::uint8_t c = icon.colours[static_cast<std::size_t>(y * n + x)];
            row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? c : c << 4);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(andStride), 0);
        for (int x = 0; x < n; ++x) {
            if (icon.transparent[static_cast<std::size_t>(y * n + x)]) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

}  // namespace

bool IsPrime(int n) {
    if (n < 2) return false;
    for (int d = 2; d * d <= n; ++d) {
        if (n % d == 0) return false;
    }
    return true;
}

std::vector<std::uint8_t> AboutPicturePixels() {
    constexpr int w = kPictureWidth, h = kPictureHeight, cell = 3;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pixels[static_cast<std::size_t>(y * w + x)] =
                static_cast<std::uint8_t>(y * 127 / (h - 1));
        }
    }
    // The spiral fills the picture; each number is a 3 x 3 cell, primes get a 2 x 2 gold dot
    // whose shade darkens with the distance from the centre.
    const int cx = w / 2, cy = h * 3 / 5;
    const int reach = std::max(cy, h - cy) / cell + 2;  // half the side of the covering square
    const int cells = (2 * reach) * (2 * reach);
    for (int n = 1; n <= cells; ++n) {
        if (!IsPrime(n)) continue;
        const auto [sx, sy] = SpiralPosition(n);
        const int px = cx + sx * cell, py = cy + sy * cell;
        const int shade = std::min(63, (std::abs(sx) + std::abs(sy)) * 63 / 60);
        for (int dy = 0; dy < 2; ++dy) {
            for (int dx = 0; dx < 2; ++dx) {
                const int x = px + dx, y = py + dy;
                if (x >= 0 && x < w && y >= 0 && y < h) {
                    pixels[static_cast<std::size_t>(y * w + x)] =
                        static_cast<std::uint8_t>(kGold + shade);
                }
            }
        }
    }
    // The Pi sign in the upper part, with a shadow to lift it off the spiral.
    constexpr int left = 34, top = 22, width = 100, height = 90, offset = 5;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            auto& p = pixels[static_cast<std::size_t>(y * w + x)];
            if (InPi(x, y, left + offset, top + offset, width, height)) p = kShadow;
            if (InPi(x, y, left, top, width, height)) p = kWhite;
        }
    }
    return pixels;
}

Bytes AboutPictureBmp() {
    constexpr int w = kPictureWidth, h = kPictureHeight;
    constexpr std::uint32_t pixelBytes = w * h;  // rows of 168 bytes need no padding
    constexpr std::uint32_t pixelOffset = 14 + 40 + 256 * 4;
    Bytes b = {'B', 'M'};
    Put32(b, pixelOffset + pixelBytes);
    Put32(b, 0);
    Put32(b, pixelOffset);
    PutInfoHeader(b, w, h, 8, pixelBytes, 256);
    for (const Rgb& c : AboutPalette()) b.insert(b.end(), {c.b, c.g, c.r, 0});
    const auto pixels = AboutPicturePixels();
    for (int y = h - 1; y >= 0; --y) {
        const auto row = pixels.begin() + y * w;
        b.insert(b.end(), row, row + w);
    }
    return b;
}

IconImage DrawIcon(int size) {
    IconImage icon;
    icon.size = size;
    icon.colours.assign(static_cast<std::size_t>(size * size), kIconPurple);
    icon.transparent.assign(static_cast<std::size_t>(size * size), false);
    const int corner = size / 8;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int ex = std::max({corner - x, x - (size - 1 - corner), 0});
            const int ey = std::max({corner - y, y - (size - 1 - corner), 0});
            const auto i = static_cast<std::size_t>(y * size + x);
            if (ex * ex + ey * ey > corner * corner) {
                icon.transparent[i] = true;
                icon.colours[i] = 0;
                continue;
            }
            const int m = size / 8, piSize = size - 2 * m - 2;
            if (InPi(x, y, m + 1, m + 1, piSize, piSize)) icon.colours[i] = kIconGrey;
            if (InPi(x, y, m, m, piSize, piSize)) icon.colours[i] = kIconWhite;
        }
    }
    // A gold dot for the primes in the tile's lower right corner.
    const int d = std::max(1, size / 16);
    for (int y = size - 3 * d; y < size - 2 * d + d; ++y) {
        for (int x = size - 3 * d; x < size - 2 * d + d; ++x) {
            icon.colours[static_cast<std::size_t>(y * size + x)] = kIconYellow;
        }
    }
    return icon;
}

Bytes IconFile() {
    const Bytes big = IconImageBytes(DrawIcon(32));
    const Bytes small = IconImageBytes(DrawIcon(16));
    Bytes b;
    Put16(b, 0);  // reserved
    Put16(b, 1);  // icon
    Put16(b, 2);  // images
    std::uint32_t offset = 6 + 2 * 16;
    for (const auto& [size, image] : {std::pair{32, &big}, std::pair{16, &small}}) {
        b.insert(b.end(),
                 {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size), 16, 0});
        Put16(b, 1);  // planes
        Put16(b, 4);  // bits per pixel
        Put32(b, static_cast<std::uint32_t>(image->size()));
        Put32(b, offset);
        offset += static_cast<std::uint32_t>(image->size());
    }
    b.insert(b.end(), big.begin(), big.end());
    b.insert(b.end(), small.begin(), small.end());
    return b;
}

}  // namespace zentra::art
