// Build tool: draws the About panel's pictures as 24-bit .bmp files into the folder it is given:
// ok.bmp (the OK image: "OK" on a purple key), okshadow.bmp (its shadow) and display.bmp (the
// display panel's background: the primes up to 360 as dots on a pale field). Magenta
// (255, 0, 255) is the colour the picture control leaves transparent. Each is drawn three times,
// for 96, 144 and 192 dpi (ok.bmp, ok-144.bmp, ok-192.bmp...): every measure is in half steps of
// the 96-dpi picture, so the larger ones are as sharp as the small one.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tools/generators/LittleEndian.h"

using zentra::art::Put16;
using zentra::art::Put32;

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

constexpr Rgb kTransparent{255, 0, 255};

// The size the pictures are drawn at, in halves of the 96-dpi picture: 2 at 96 dpi, 3 at 144 and
// 4 at 192.
struct Scale {
    int halves;
    int operator()(int pixels96) const { return pixels96 * halves / 2; }
};

class Picture {
  public:
    Picture(int width, int height, Rgb fill)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}
    void Set(int x, int y, Rgb colour) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = colour;
    }
    Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// Bottom-up rows of BGR triples, each padded to four bytes.
std::vector<std::uint8_t> BmpFile(const Picture& picture) {
    const unsigned stride = (static_cast<unsigned>(picture.Width()) * 3 + 3) & ~3u;
    const unsigned imageSize = stride * static_cast<unsigned>(picture.Height());
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(picture.Width()));
    Put32(out, static_cast<unsigned>(picture.Height()));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 3780);  // 96 dpi
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = picture.Height() - 1; y >= 0; --y) {
        unsigned written = 0;
        for (int x = 0; x < picture.Width(); ++x, written += 3) {
            const Rgb c = picture.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (; written < stride; ++written) out.push_back(0);
    }
    return out;
}

bool Write(const std::string& path, const Picture& picture) {
    const std::vector<std::uint8_t> bytes = BmpFile(picture);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// A rectangle with corners rounded by `radius`.
bool InsideRounded(int x, int y, int width, int height, int radius) {
    const int cx = x < radius ? radius : (x > width - 1 - radius ? width - 1 - radius : x);
    const int cy = y < radius ? radius : (y > height - 1 - radius ? height - 1 - radius : y);
    const int dx = x - cx;
    const int dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

// "OK" in a 5 x 7 pixel font, each font pixel drawn as 2 x 2 at 96 dpi.
constexpr std::array<const char*, 7> kOkGlyphs{
    ".###. #...#",  //
    "#...# #..#.",  //
    "#...# #.#..",  //
    "#...# ##...",  //
    "#...# #.#..",  //
    "#...# #..#.",  //
    ".###. #...#",  //
};

bool InsideLetters(int x, int y, int width, int height, Scale px) {
    const int dot = px(2);
    const int left = (width - 11 * dot) / 2;
    const int top = (height - 7 * dot) / 2;
    if (x < left || y < top) return false;
    const int col = (x - left) / dot;
    const int row = (y - top) / dot;
    if (col >= 11 || row >= 7) return false;
    return kOkGlyphs[static_cast<std::size_t>(row)][col] == '#';
}

Picture OkPicture(Scale px) {
    const int w = px(48);
    const int h = px(24);
    const int radius = px(6);
    const int edge = px(2);
    Picture picture(w, h, kTransparent);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!InsideRounded(x, y, w, h, radius)) continue;
            Rgb colour{128, 0, 128};
            // A lighter upper edge and a darker lower one, like a raised key.
            if (!InsideRounded(x, y - edge, w, h, radius)) colour = {192, 96, 192};
            if (!InsideRounded(x, y + edge, w, h, radius)) colour = {72, 0, 72};
            if (InsideLetters(x, y, w, h, px)) colour = {255, 255, 255};
            picture.Set(x, y, colour);
        }
    }
    return picture;
}

Picture ShadowPicture(Scale px) {
    const int w = px(48);
    const int h = px(24);
    Picture picture(w, h, kTransparent);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (InsideRounded(x, y, w, h, px(6))) picture.Set(x, y, {96, 96, 104});
        }
    }
    return picture;
}

bool IsPrime(int n) {
    if (n < 2) return false;
    for (int d = 2; d * d <= n; ++d) {
        if (n % d == 0) return false;
    }
    return true;
}

// A pale field that warms from left to right, with the numbers 1 to 360 laid out in rows of 40
// cells of 10 pixels (at 96 dpi) and a lavender dot on every prime.
Picture DisplayPicture(Scale px) {
    const int width = px(400);
    const int height = px(90);
    Picture picture(width, height, {255, 255, 255});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int shade = 12 * x / width;
            picture.Set(
                x, y,
                {static_cast<std::uint8_t>(250 - shade / 2), static_cast<std::uint8_t>(248 - shade),
                 static_cast<std::uint8_t>(255 - shade / 3)});
        }
    }
    constexpr int kCell = 10;
    constexpr int kColumns = 40;
    const int cell = px(kCell);
    const int reach = px(2);
    // The dot's radius squared, 5 at 96 dpi, grows with the square of the scale.
    const int radiusSquared = 5 * px.halves * px.halves / 4;
    for (int n = 1; n <= kColumns * 9; ++n) {
        if (!IsPrime(n)) continue;
        const int cx = ((n - 1) % kColumns) * cell + cell / 2;
        const int cy = ((n - 1) / kColumns) * cell + cell / 2;
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                if (dx * dx + dy * dy <= radiusSquared)
                    picture.Set(cx + dx, cy + dy, {222, 204, 236});
            }
        }
    }
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: aboutart OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool written = true;
    for (const auto& [halves, suffix] :
         {std::pair{2, ""}, std::pair{3, "-144"}, std::pair{4, "-192"}}) {
        const Scale px{halves};
        const std::string end = std::string(suffix) + ".bmp";
        written = written && Write(folder + "/ok" + end, OkPicture(px)) &&
                  Write(folder + "/okshadow" + end, ShadowPicture(px)) &&
                  Write(folder + "/display" + end, DisplayPicture(px));
    }
    if (!written) std::fprintf(stderr, "aboutart: cannot write into %s\n", folder.c_str());
    return written ? 0 : 1;
}
