#pragma once

#include "curves/pixelBmp.h"

#include <cstdint>

// The response-curve pictures of the axis and knob detail dialogs, drawn from the edit
// copies of the axis or knob (see responseCurves.h). Each is drawn, shown and drawn
// again in the background colour, so the next picture starts from the grid alone
// without clearing the whole bitmap.
namespace curveGraphs {

inline constexpr std::uint32_t gridColour = rgb(128, 128, 128);
inline constexpr std::uint32_t axisWithVariableDeadzoneColour = rgb(45, 80, 38);
inline constexpr std::uint32_t axisCurveColour = rgb(64, 255, 0);
inline constexpr std::uint32_t knobCurveColour = rgb(255, 160, 0);
inline constexpr std::uint32_t graphBackground = rgb(35, 35, 35);

// The axis graph at (460, 40), 370 x 370, and the knob graph at (460, 40), 370 x 305,
// on the graph background: position, size, colours and pixels set up.
void setUpAxisGraph(pixelBmp& bmp);
void setUpKnobGraph(pixelBmp& bmp);

// A two-pixel frame and one-pixel lines through the centre.
void drawGrid(pixelBmp& bmp);

// The grid, then the edited axis's curve with both deadzones (dark) and with the base
// deadzone only (bright) on one horizontal scale. With `erase` the curve is painted in
// the background colour and the grid drawn over it.
void updateSingleAxisGraph(pixelBmp& bmp, bool erase);
// The same for the edited knob's output over its whole travel, a two-pixel line.
void updateSingleKnobGraph(pixelBmp& bmp, bool erase);

// Draw, copy to `window`, erase.
void singleAxisDialogUpdateGraph(pixelSink& window, pixelBmp& bmp);
void singleKnobDialogUpdateGraph(pixelSink& window, pixelBmp& bmp);

} // namespace curveGraphs
