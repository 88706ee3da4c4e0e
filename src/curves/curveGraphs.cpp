#include "curves/curveGraphs.h"

#include "curves/responseCurves.h"
#include "settings/modifySetting.h"

#include <algorithm>
#include <cmath>

namespace curveGraphs {

namespace {

// A point of the plotted range: u and o are +-1 at the edge of the range and at full
// output; 5 % of each half stays free.
struct pixel {
    int column, row;
};

pixel toPixel(const pixelBmp& bmp, double u, double o) {
    const int w2 = bmp.width / 2;
    const int h2 = bmp.height / 2;
    const double c = std::trunc(0.95 * w2 * u);
    const double r = std::trunc(0.95 * h2 * o);
    // Far outside the picture is as good as just outside; keeps the casts defined.
    auto clampToInt = [](double v) { return static_cast<int>(std::clamp(v, -1e6, 1e6)); };
    return {w2 + clampToInt(c), h2 - clampToInt(r)};
}

void plotBlock(pixelBmp& bmp, pixel p, bool erase, std::uint32_t c) {
    for (int dx = 0; dx < 2; ++dx)
        for (int dy = 0; dy < 2; ++dy) {
            if (erase)
                bmp.setPixel(p.column + dx, p.row + dy, bmp.pixelColour);
            else
                bmp.setPixel(p.column + dx, p.row + dy, c);
        }
}

// One sweep of the axis curve: x from -maxInput / asymmetry up to maxInput in steps
// of scale / 1000, u = x / plotScale.
void sweepAxis(pixelBmp& bmp, bool includeVariableDeadzone, double plotScale, bool erase,
               std::uint32_t c) {
    const double asymmetry = modifySetting::tempAxis.asymmetry.value;
    const double m = modifySetting::getTempAxisMaxInput(false, includeVariableDeadzone);
    const double scale = std::max(m, m / asymmetry);
    const double step = scale / 1000;
    const double start = -m / asymmetry;
    // Values from a file can be anything; only a sweep that ends is drawn.
    if (!std::isfinite(start) || !std::isfinite(m) || !(step > 0) || !std::isfinite(step))
        return;
    const double steps = std::ceil((m - start) / step);
    if (!(steps >= 0) || steps > 100000)
        return;
    for (long k = 0; k < static_cast<long>(steps); ++k) {
        const double x = start + static_cast<double>(k) * step;
        if (!(x < m))
            break;
        const float o = modifySetting::getTempAxisOutputFromInput(static_cast<float>(x),
                                                                  includeVariableDeadzone);
        plotBlock(bmp, toPixel(bmp, x / plotScale, o), erase, c);
    }
}

void setUpGraph(pixelBmp& bmp, int height) {
    bmp.colour = graphBackground;
    bmp.pixelColour = storedPixel(graphBackground);
    bmp.x = 460;
    bmp.y = 40;
    bmp.width = 370;
    bmp.height = height;
    bmp.setInfo(graphBackground);
}

} // namespace

void setUpAxisGraph(pixelBmp& bmp) {
    setUpGraph(bmp, 370);
}

void setUpKnobGraph(pixelBmp& bmp) {
    setUpGraph(bmp, 305);
}

void drawGrid(pixelBmp& bmp) {
    const int w = bmp.width;
    const int h = bmp.height;
    for (int row : {h / 2, 0, 1, h - 1, h - 2})
        for (int column = 0; column < w; ++column)
            bmp.setPixel(column, row, gridColour);
    for (int column : {w / 2, 0, 1, w - 1, w - 2})
        for (int row = 0; row < h; ++row)
            bmp.setPixel(column, row, gridColour);
}

void updateSingleAxisGraph(pixelBmp& bmp, bool erase) {
    // Erasing paints the curve in the background colour, also where it crossed the
    // grid; the grid goes last then, so the bitmap is left with all of its lines.
    if (!erase)
        drawGrid(bmp);
    const double asymmetry = modifySetting::tempAxis.asymmetry.value;
    const double m = modifySetting::getTempAxisMaxInput(false, true);
    const double scale = std::max(m, m / asymmetry);
    sweepAxis(bmp, true, scale, erase, axisWithVariableDeadzoneColour);
    // The bright curve last, over the dark one, on the same horizontal scale.
    sweepAxis(bmp, false, scale, erase, axisCurveColour);
    if (erase)
        drawGrid(bmp);
}

void updateSingleKnobGraph(pixelBmp& bmp, bool erase) {
    if (!erase)
        drawGrid(bmp);
    auto plot = [&](int column, int row) {
        if (erase)
            bmp.setPixel(column, row, bmp.pixelColour);
        else
            bmp.setPixel(column, row, knobCurveColour);
    };
    pixel previous{};
    for (int raw = 0; raw <= 4094; ++raw) {
        const int o = modifySetting::getIndividualKnobOutput(static_cast<std::uint16_t>(raw));
        const pixel p = toPixel(bmp, (raw - 2047.5) / 2047.5, (o - 511) / 511.0);
        if (raw > 0) {
            const double dx = p.column - previous.column;
            const double dy = p.row - previous.row;
            const double length = std::sqrt(dx * dx + dy * dy);
            if (length > 0) {
                // Two pixels wide: the same line four times, shifted by one pixel.
                for (const pixel shift : {pixel{0, 0}, pixel{1, 0}, pixel{1, 1}, pixel{0, 1}})
                    for (double t = 0; t < 1; t += 0.5 / length)
                        plot(static_cast<int>(previous.column + shift.column + t * dx),
                             static_cast<int>(previous.row + shift.row + t * dy));
            }
        }
        previous = p;
    }
    if (erase)
        drawGrid(bmp);
}

void singleAxisDialogUpdateGraph(pixelSink& window, pixelBmp& bmp) {
    updateSingleAxisGraph(bmp, false);
    window.show(bmp);
    updateSingleAxisGraph(bmp, true);
}

void singleKnobDialogUpdateGraph(pixelSink& window, pixelBmp& bmp) {
    updateSingleKnobGraph(bmp, false);
    window.show(bmp);
    updateSingleKnobGraph(bmp, true);
}

} // namespace curveGraphs
