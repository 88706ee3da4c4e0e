#include "curves/axisOutputDisplayGraph.h"

#include <gtest/gtest.h>

namespace {

struct recordingWindow : pixelSink {
    std::vector<pixelBmp> shown;
    void show(const pixelBmp& bmp) override { shown.push_back(bmp); }
};

class liveBar : public ::testing::Test {
protected:
    void SetUp() override { bar.setUp(93, 30, &value); }

    // The interior of column `column` as shown, top row of the interior.
    std::uint32_t shownAt(int column) const { return window.shown.back().pixelAt(column, 1); }

    std::int32_t value = 0;
    axisOutputDisplayGraph bar;
    recordingWindow window;
};

TEST_F(liveBar, theBarGrowsFromTheLeftWithItsColoursAndADimmedEnd) {
    EXPECT_EQ(bar.columnColour(0), rgb(60, 0, 255));     // blue at the far left
    EXPECT_EQ(bar.columnColour(100), rgb(60, 255, 255)); // cyan at the centre
    EXPECT_EQ(bar.columnColour(199), rgb(60, 255, 3));   // green at the far right

    struct {
        std::int32_t value;
        int fullColumns; // lit fully: columns 1..fullColumns
        double endFraction;
    } cases[] = {
        {0, 0, 0.0}, {511, 99, 0.0}, {1022, 198, 0.0}, {700, 135, 700 * 198.0 / 1022 - 135}};
    for (const auto& c : cases) {
        value = c.value;
        bar.draw(window);
        for (int column = 1; column <= c.fullColumns; ++column)
            ASSERT_EQ(shownAt(column), bar.columnColour(column - 1)) << c.value << " " << column;
        const int end = c.fullColumns + 1;
        if (end < 199) {
            const std::uint32_t full = bar.columnColour(end - 1);
            auto dim = [&](int shift) {
                return static_cast<std::uint8_t>(((full >> shift) & 0xFF) * c.endFraction);
            };
            EXPECT_EQ(shownAt(end), rgb(dim(0), dim(8), dim(16))) << c.value;
            EXPECT_EQ(shownAt(end + 1), axisOutputDisplayGraph::background) << c.value;
        }
        EXPECT_EQ(shownAt(199), axisOutputDisplayGraph::frameColour);
        EXPECT_EQ(window.shown.back().pixelAt(0, 0), axisOutputDisplayGraph::frameColour);
        EXPECT_EQ(window.shown.back().pixelAt(50, 11), axisOutputDisplayGraph::frameColour);
    }
    EXPECT_EQ(window.shown.back().x, 93);
    EXPECT_EQ(window.shown.back().y, 30);
}

TEST_F(liveBar, aDisabledBarIsGreyAndEveryDrawErasesItsFill) {
    bar.disabled = true;
    value = 800;
    bar.draw(window);
    for (int column = 1; column <= 198; ++column)
        ASSERT_EQ(shownAt(column), axisOutputDisplayGraph::disabledColour) << column;

    // After each draw only the frame is left, whatever was shown.
    for (bool disabled : {true, false}) {
        bar.disabled = disabled;
        for (std::int32_t v : {1022, 400, 0, -50, 5000}) {
            value = v;
            bar.draw(window);
            for (int y = 1; y <= 10; ++y)
                for (int x = 1; x <= 198; ++x)
                    ASSERT_EQ(bar.bitmap.pixelAt(x, y), axisOutputDisplayGraph::background)
                        << v << " " << x << "," << y;
        }
    }
}

} // namespace
