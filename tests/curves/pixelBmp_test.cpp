#include "curves/pixelBmp.h"

#include <gtest/gtest.h>

namespace {

TEST(pixelBmp, theHeaderAndPixelsAreABottomUp32BitBitmap) {
    pixelBmp bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.setInfo(rgb(35, 36, 37));
    ASSERT_EQ(bmp.data.size(), 40u + 3 * 2 * 4);
    const std::uint8_t header[40] = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0,
                                     24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(header), std::end(header), bmp.data.begin()));
    EXPECT_TRUE(std::equal(std::begin(header), std::end(header), bmp.header.begin()));
    // Every pixel blue, green, red, 0.
    for (std::size_t at = 40; at < bmp.data.size(); at += 4)
        EXPECT_EQ((std::vector<std::uint8_t>(bmp.data.begin() + at, bmp.data.begin() + at + 4)),
                  (std::vector<std::uint8_t>{37, 36, 35, 0}));

    // The top-left pixel is the first of the last stored row.
    bmp.setPixel(0, 0, rgb(1, 2, 3));
    bmp.setPixel(2, 1, rgb(4, 5, 6));
    EXPECT_EQ(bmp.data[40 + 3 * 4 + 0], 3);
    EXPECT_EQ(bmp.data[40 + 3 * 4 + 2], 1);
    EXPECT_EQ(bmp.data[40 + 2 * 4 + 0], 6);
    EXPECT_EQ(bmp.pixelAt(0, 0), rgb(1, 2, 3));
    EXPECT_EQ(bmp.pixelAt(2, 1), rgb(4, 5, 6));
}

TEST(pixelBmp, pixelsOutsideChangeNothing) {
    pixelBmp bmp;
    bmp.width = 4;
    bmp.height = 4;
    bmp.setInfo(0);
    const auto before = bmp.data;
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 4}, {100000, 100000}})
        bmp.setPixel(x, y, rgb(255, 255, 255));
    EXPECT_EQ(bmp.data, before);
    EXPECT_EQ(bmp.pixelAt(4, 0), 0u);

    pixelBmp empty; // never set up, or of no size
    empty.setPixel(0, 0, 1);
    empty.width = -5;
    empty.height = 3;
    empty.setInfo(0);
    empty.setPixel(0, 0, 1);
    EXPECT_EQ(empty.pixels(), nullptr);
}

} // namespace
