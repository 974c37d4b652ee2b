// The help library's artwork, drawn from code at build time: the About page's picture (a Ulam
// spiral of the primes behind a large capital Pi) and the program icon (the Pi on a purple tile).
#pragma once

#include <cstdint>
#include <vector>

namespace zentra::art {

using Bytes = std::vector<std::uint8_t>;

constexpr int kPictureWidth = 168;
constexpr int kPictureHeight = 248;

// Palette index of every pixel of the About picture, rows top to bottom.
std::vector<std::uint8_t> AboutPicturePixels();

// The About picture as a .bmp file: 8 bits per pixel, 256 colours, uncompressed.
Bytes AboutPictureBmp();

// Palette index (of the 16 standard colours) of every icon pixel, rows top to bottom, and
// whether the pixel is transparent.
struct IconImage {
    int size = 0;
    std::vector<std::uint8_t> colours;
    std::vector<bool> transparent;
};
IconImage DrawIcon(int size);

// An .ico file with two 16-colour images: 32 x 32 and 16 x 16.
Bytes IconFile();

bool IsPrime(int n);

}  // namespace zentra::art
