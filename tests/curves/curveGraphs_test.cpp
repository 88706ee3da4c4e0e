#include "curves/curveGraphs.h"

#include "settings/modifySetting.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

using namespace curveGraphs;

// The columns and rows a colour occupies.
struct extent {
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN, count = 0;
};

extent extentOf(const pixelBmp& bmp, std::uint32_t c) {
    extent e;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            if (bmp.pixelAt(x, y) == c) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
                ++e.count;
            }
    return e;
}

bool onGrid(const pixelBmp& bmp, int x, int y) {
    const int w = bmp.width, h = bmp.height;
    return x == w / 2 || x <= 1 || x >= w - 2 || y == h / 2 || y <= 1 || y >= h - 2;
}

// Records what was copied to the window.
struct recordingWindow : pixelSink {
    std::vector<pixelBmp> shown;
    void show(const pixelBmp& bmp) override { shown.push_back(bmp); }
};

class curveGraph : public ::testing::Test {
protected:
    void SetUp() override {
        settings::init();
        modifySetting::reset();
        modifySetting::whichTempAxis = 0;
        setUpAxisGraph(axis);
        setUpKnobGraph(knob);
    }
    pixelBmp axis, knob;
};

TEST_F(curveGraph, theGridIsATwoPixelFrameAndCentreLines) {
    drawGrid(axis);
    for (int y = 0; y < axis.height; ++y)
        for (int x = 0; x < axis.width; ++x)
            ASSERT_EQ(axis.pixelAt(x, y), onGrid(axis, x, y) ? gridColour : graphBackground)
                << x << "," << y;
    EXPECT_EQ(axis.x, 460);
    EXPECT_EQ(axis.y, 40);
    EXPECT_EQ(knob.height, 305);
}

TEST_F(curveGraph, theAxisCurveSpansTheGraphAndAsymmetryShortensTheNegativeSide) {
    updateSingleAxisGraph(axis, false);
    const extent dark = extentOf(axis, axisWithVariableDeadzoneColour);
    const extent bright = extentOf(axis, axisCurveColour);
    ASSERT_GT(dark.count, 0);
    ASSERT_GT(bright.count, 0);
    // 95 % of each half: columns 185 -+ 175, output +-1 at rows 185 -+ 175.
    EXPECT_EQ(dark.left, 185 - 175);
    EXPECT_NEAR(dark.right, 185 + 175, 1);
    EXPECT_NEAR(dark.top, 185 - 175, 1);
    EXPECT_NEAR(dark.bottom, 185 + 175 + 1, 1);
    // Without the variable deadzone the curve is full sooner, on the same scale.
    EXPECT_GT(bright.left, dark.left);
    EXPECT_LT(bright.right, dark.right);

    setUpAxisGraph(axis);
    modifySetting::tempAxis.asymmetry.value = 2.0f;
    updateSingleAxisGraph(axis, false);
    const extent halved = extentOf(axis, axisWithVariableDeadzoneColour);
    EXPECT_NEAR(halved.left, 185 - 175 / 2, 1);
    EXPECT_NEAR(halved.right, 185 + 175, 1);
}

TEST_F(curveGraph, aDisabledAxisIsFlatAndAnInvertedOneMirrored) {
    modifySetting::tempAxis.disabled = true;
    updateSingleAxisGraph(axis, false);
    for (std::uint32_t c : {axisWithVariableDeadzoneColour, axisCurveColour}) {
        const extent e = extentOf(axis, c);
        EXPECT_EQ(e.top, 185);
        EXPECT_EQ(e.bottom, 186);
    }

    // Mirrored: the curve rises to the left instead of to the right.
    setUpAxisGraph(axis);
    modifySetting::tempAxis.disabled = false;
    modifySetting::tempAxis.inverted = true;
    updateSingleAxisGraph(axis, false);
    bool upperRight = false, upperLeft = false;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < axis.width; ++x)
            if (axis.pixelAt(x, y) == axisCurveColour)
                (x > 185 ? upperRight : upperLeft) = true;
    EXPECT_TRUE(upperLeft);
    EXPECT_FALSE(upperRight);
}

TEST_F(curveGraph, afterEachCycleOnlyTheGridIsLeftAndTheNextPictureIsClean) {
    recordingWindow window;
    singleAxisDialogUpdateGraph(window, axis);
    singleKnobDialogUpdateGraph(window, knob);
    ASSERT_EQ(window.shown.size(), 2u);
    EXPECT_GT(extentOf(window.shown[0], axisCurveColour).count, 0);
    EXPECT_GT(extentOf(window.shown[1], knobCurveColour).count, 0);
    for (const pixelBmp* bmp : {&axis, &knob})
        for (int y = 0; y < bmp->height; ++y)
            for (int x = 0; x < bmp->width; ++x)
                ASSERT_EQ(bmp->pixelAt(x, y), onGrid(*bmp, x, y) ? gridColour : graphBackground)
                    << x << "," << y;

    // A changed setting draws exactly what a fresh bitmap would show.
    modifySetting::tempAxis.curvature.value = 3.0f;
    modifySetting::tempAxis.asymmetry.value = 0.5f;
    singleAxisDialogUpdateGraph(window, axis);
    pixelBmp fresh;
    setUpAxisGraph(fresh);
    updateSingleAxisGraph(fresh, false);
    EXPECT_EQ(window.shown.back().data, fresh.data);
}

TEST_F(curveGraph, theKnobCurveIsAnUnbrokenLineFromBottomLeftToTopRight) {
    updateSingleKnobGraph(knob, false);
    const extent e = extentOf(knob, knobCurveColour);
    const int h2 = 305 / 2;
    EXPECT_EQ(e.left, 185 - 175);
    EXPECT_NEAR(e.right, 185 + 175 + 1, 1);
    EXPECT_NEAR(e.top, h2 - static_cast<int>(0.95 * h2), 1);
    EXPECT_NEAR(e.bottom, h2 + static_cast<int>(0.95 * h2) + 1, 1);
    // Two pixels wide everywhere and never broken: every column of its span holds at
    // least two of its pixels.
    for (int x = e.left + 1; x < e.right; ++x) {
        int inColumn = 0;
        for (int y = 0; y < knob.height; ++y)
            inColumn += knob.pixelAt(x, y) == knobCurveColour;
        ASSERT_GE(inColumn, 2) << x;
    }
}

TEST_F(curveGraph, settingsOutsideTheEditableRangesDrawOnlyTheGrid) {
    // A file can hold anything; the sweep must end and draw nothing it cannot place.
    for (float sensitivity : {0.0f, -1.0f, NAN, INFINITY}) {
        modifySetting::tempAxis.sensitivity.value = sensitivity;
        setUpAxisGraph(axis);
        updateSingleAxisGraph(axis, false);
        EXPECT_EQ(extentOf(axis, axisCurveColour).count, 0) << sensitivity;
    }
    modifySetting::tempAxis.sensitivity.value = 1.0f;
    modifySetting::tempAxis.asymmetry.value = 0.0f;
    setUpAxisGraph(axis);
    updateSingleAxisGraph(axis, false); // ends; what it draws is clipped
}

} // namespace
