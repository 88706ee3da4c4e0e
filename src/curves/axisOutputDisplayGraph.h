#pragma once

#include "curves/pixelBmp.h"

#include <cstdint>

// One live bar of the joystick output display: a value 0..1022 shown as a bar growing
// from the left, blue at the far left, cyan at the centre, green at the far right.
class axisOutputDisplayGraph {
public:
    static constexpr std::uint32_t frameColour = rgb(195, 195, 195);
    static constexpr std::uint32_t disabledColour = rgb(128, 128, 128);
    static constexpr std::uint32_t background = rgb(0, 0, 0);

    bool disabled = false; // no value shown, the bar greyed
    pixelBmp bitmap;
    std::int32_t x = 0, y = 0;
    const std::int32_t* value = nullptr; // what the bar shows
    std::int32_t height = 0, width = 0;

    // A 200 x 12 bar on black at (bx, by), showing *shown.
    void setUp(std::int32_t bx, std::int32_t by, const std::int32_t* shown);

    // Fills the bar and its frame, copies it to `window` and erases the fill again.
    void draw(pixelSink& window);

    // The colour of column index i of a full bar (before the end column's dimming).
    std::uint32_t columnColour(int i) const;
};
