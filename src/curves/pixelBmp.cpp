#include "curves/pixelBmp.h"

#include <algorithm>

namespace {

void put32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void put16(std::uint8_t* at, std::uint16_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

} // namespace

void pixelBmp::setInfo(std::uint32_t fill) {
    const std::uint32_t w = width > 0 ? static_cast<std::uint32_t>(width) : 0;
    const std::uint32_t h = height > 0 ? static_cast<std::uint32_t>(height) : 0;
    const std::uint32_t imageSize = w * h * 4;
    header.fill(0);
    put32(&header[0], headerSize);
    put32(&header[4], static_cast<std::uint32_t>(width));
    put32(&header[8], static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    put16(&header[12], 1);                                 // planes
    put16(&header[14], 32);                                // bits per pixel
    put32(&header[20], imageSize);                         // no compression, 0 at 16
    data.assign(headerSize + std::size_t{imageSize}, 0);
    std::copy(header.begin(), header.end(), data.begin());
    const auto stored = storedPixel(fill);
    for (std::size_t at = headerSize; at < data.size(); at += 4)
        std::copy(stored.begin(), stored.end(), data.begin() + static_cast<long>(at));
}

long pixelBmp::pixelOffset(int px, int py) const {
    if (px < 0 || py < 0 || px >= width || py >= height)
        return -1;
    const std::size_t index =
        static_cast<std::size_t>(height - py - 1) * static_cast<std::size_t>(width) +
        static_cast<std::size_t>(px);
    const std::size_t at = headerSize + index * 4;
    return at + 4 <= data.size() ? static_cast<long>(at) : -1;
}

void pixelBmp::setPixel(int px, int py, std::uint32_t c) {
    setPixel(px, py, storedPixel(c));
}

void pixelBmp::setPixel(int px, int py, const std::array<std::uint8_t, 4>& stored) {
    if (long at = pixelOffset(px, py); at >= 0)
        std::copy(stored.begin(), stored.end(), data.begin() + at);
}

std::uint32_t pixelBmp::pixelAt(int px, int py) const {
    const long at = pixelOffset(px, py);
    if (at < 0)
        return 0;
    const std::uint8_t* p = data.data() + at;
    return rgb(p[2], p[1], p[0]);
}

const std::uint8_t* pixelBmp::pixels() const {
    return data.size() > headerSize ? data.data() + headerSize : nullptr;
}
