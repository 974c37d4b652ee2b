#include <gtest/gtest.h>

#include "helplib/art/Art.h"

namespace zentra::art {
namespace {

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(Art, AboutPictureIsAnUncompressed256ColourBitmap) {
    const Bytes bmp = AboutPictureBmp();
    ASSERT_EQ(bmp.size(), 14u + 40 + 1024 + 168 * 248);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    EXPECT_EQ(Le32(bmp, 10), 14u + 40 + 1024);
    EXPECT_EQ(Le32(bmp, 14), 40u);
    EXPECT_EQ(Le32(bmp, 18), 168u);
    EXPECT_EQ(Le32(bmp, 22), 248u);           // bottom-up rows
    EXPECT_EQ(Le32(bmp, 26), 1u | 8u << 16);  // one plane, 8 bits per pixel
    EXPECT_EQ(Le32(bmp, 30), 0u);             // uncompressed
    EXPECT_EQ(Le32(bmp, 34), 41664u);
    EXPECT_EQ(Le32(bmp, 46), 256u);
}

TEST(Art, AboutPictureShowsPiOverThePrimeSpiral) {
    const auto pixels = AboutPicturePixels();
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * kPictureWidth + x)]; };
    EXPECT_EQ(at(80, 30), 255);  // the bar of the Pi sign
    EXPECT_NE(at(84, 80), 255);  // between the legs
    // The spiral's centre is 1 (not prime) with the primes 2 and 3 beside it.
    const int cx = kPictureWidth / 2, cy = kPictureHeight * 3 / 5;
    EXPECT_LT(at(cx, cy), 128);
    EXPECT_GE(at(cx + 3, cy), 128);      // 2, one cell to the right
    EXPECT_LT(at(cx + 3, cy + 3), 128);  // 9 is no prime
    int gold = 0;
    for (auto p : pixels) gold += p >= 128 && p < 192;
    EXPECT_GT(gold, 2000);
}

TEST(Art, IconFileHoldsTwoSixteenColourImages) {
    const Bytes ico = IconFile();
    ASSERT_EQ(ico.size(), 6u + 2 * 16 + 744 + 296);
    EXPECT_EQ(ico[2], 1);
    EXPECT_EQ(ico[4], 2);
    const std::size_t sizes[] = {32, 16}, bytes[] = {744, 296};
    std::uint32_t offset = 38;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], sizes[i]);
        EXPECT_EQ(ico[entry + 1], sizes[i]);
        EXPECT_EQ(ico[entry + 2], 16);  // colours
        EXPECT_EQ(ico[entry + 6], 4);   // bits per pixel
        EXPECT_EQ(Le32(ico, entry + 8), bytes[i]);
        EXPECT_EQ(Le32(ico, entry + 12), offset);
        EXPECT_EQ(Le32(ico, offset + 8), 2 * sizes[i]);  // colour and mask rows
        offset += static_cast<std::uint32_t>(bytes[i]);
    }
}

TEST(Art, IconTileHasTransparentCornersAndAWhitePi) {
    for (int size : {32, 16}) {
        const IconImage icon = DrawIcon(size);
        auto index = [&](int x, int y) { return static_cast<std::size_t>(y * size + x); };
        EXPECT_TRUE(icon.transparent[index(0, 0)]) << size;
        EXPECT_TRUE(icon.transparent[index(size - 1, size - 1)]) << size;
        EXPECT_FALSE(icon.transparent[index(size / 2, size / 2)]) << size;
        EXPECT_EQ(icon.colours[index(size / 2, size / 8 + 1)], 15) << size;  // the bar
    }
}

TEST(Art, KnowsThePrimes) {
    int count = 0;
    for (int n = -5; n < 1000; ++n) count += IsPrime(n);
    EXPECT_EQ(count, 168);
}

}  // namespace
}  // namespace zentra::art
