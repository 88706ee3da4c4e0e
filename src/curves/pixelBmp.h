#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A 32-bit bottom-up device-independent bitmap that the program draws into pixel by
// pixel and then copies onto a window. Colours are given with red in the low byte
// (0x00BBGGRR); a stored pixel is blue, green, red, 0.
class pixelBmp {
public:
    static constexpr int headerSize = 40;

    std::uint32_t colour = 0;                  // background, red in the low byte
    std::array<std::uint8_t, 4> pixelColour{}; // the background as stored: b, g, r, 0
    std::int32_t x = 0, y = 0;                 // top-left corner in the window
    std::int32_t width = 0, height = 0;
    std::vector<std::uint8_t> data;                // header, then the pixels, bottom row first
    std::array<std::uint8_t, headerSize> header{}; // the bitmap information header

    // Fills in the header from width and height, allocates data and sets every pixel
    // to `fill`. The owner sets colour, pixelColour, position and size first.
    void setInfo(std::uint32_t fill);
    // Pixel (px, py), py = 0 at the top; nothing outside the bitmap.
    void setPixel(int px, int py, std::uint32_t c);
    // Same, with the four stored bytes (used to erase with pixelColour).
    void setPixel(int px, int py, const std::array<std::uint8_t, 4>& stored);

    // The colour of pixel (px, py), red in the low byte; 0 outside the bitmap.
    std::uint32_t pixelAt(int px, int py) const;
    // The pixels after the header, bottom row first; nullptr before setInfo.
    const std::uint8_t* pixels() const;

private:
    // Where pixel (px, py) starts in data; -1 outside the bitmap.
    long pixelOffset(int px, int py) const;
};

// Colours with red in the low byte, as pixelBmp takes them.
constexpr std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::uint32_t{r} | std::uint32_t{g} << 8 | std::uint32_t{b} << 16;
}
// The four stored bytes of a colour.
constexpr std::array<std::uint8_t, 4> storedPixel(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
            static_cast<std::uint8_t>(c), 0};
}

// Where a finished picture is copied: the window the bitmap belongs to.
class pixelSink {
public:
    virtual ~pixelSink() = default;
    virtual void show(const pixelBmp& bmp) = 0;
};
