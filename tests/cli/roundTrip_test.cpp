#include "cli/settingsJson.h"
#include "cliRunner.h"
#include "files/file.h"
#include "settings/settings.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <fstream>
#include <random>

namespace {

using namespace testSupport;
using cliRunner::run;

// A profile with everything off its defaults that a file can carry in one mode:
// knob-controlled values, extreme floats, quantised motor and knob factors.
void oneModeProfile() {
    settings::init();
    settings::LEDoutput = 3;
    settings::ledHighBrightness = false;
    settings::loadCellDiagnosticMode = true;
    settings::digitalOutputDiagnosticMode = true;
    settings::useRightKnobForSettings = true;
    settings::useModeCycleButton = false;
    settings::modeButtons[0] = 5;
    settings::mode& a = settings::modes[0];
    a.axes[2].sensitivity.knobControlled = true;
    a.axes[2].sensitivity.knobValue = 0.5f;
    a.axes[1].curvature.set(2.75f);
    a.axes[5].asymmetry.set(1e-40f); // subnormal
    a.axes[3].disabled = true;
    a.axes[4].inverted = true;
    a.knobRange[0].inverted = true;
    a.knobRange[0].minimum = 100;
    a.knobRange[0].maximum = 4095;
    a.knobCenter[1].center = 4000;
    a.knobCenter[1].deadzoneEnd = 4094;
    a.addKnobToAxis.enabled = true;
    a.addKnobToAxis.rightKnob = true;
    a.addKnobToAxis.bidirectional = true;
    a.addKnobToAxis.axis = 5;
    a.addKnobToAxis.scalingFactor = 0.7f;
    a.reorderAxes.enabled = true;
    std::uint8_t order[8] = {7, 6, 5, 4, 3, 2, 1, 0};
    std::copy(order, order + 8, a.reorderAxes.order);
    a.extendedButtons.useModifiedButtons = true;
    a.extendedButtons.modifierButton = 31;
    a.disabledButtons.buttons = 0x80000001u;
    a.modifiedButtons.buttons = 0x0000FF00u;
    a.toggledButtons.buttons = 0xDEADBEEFu;
    a.autofire.enabled = true;
    a.autofire.button = 12;
    a.autofire.period = 1200;
    a.cruiseControl.enabled = true;
    a.cruiseControl.toggle = false;
    a.cruiseControl.axes = 0x3F;
    a.cruiseControl.button = 3;
    a.motorConstant.enabled = true;
    a.motorConstant.highSpeed = false;
    a.motorConstant.pulsePeriod = 255;
    a.motorConstant.activationPoint = 4.999f;
    a.motorPulse.enabled = true;
    a.motorPulse.pulseLength = 0;
    a.motorPulse.activationPoint = 0.5f;
    a.motorExtended.constantAxes = 0x15;
    a.motorExtended.pulseAxes = 0x2A;
    a.baseSensitivity.set(FLT_MAX);
    a.smoothing.knobControlled = true;
    a.smoothing.knobValue = -3.25f;
    a.shiftX.set(INFINITY);
    a.shiftY.set(-INFINITY);
}

// Mode B shares some settings with A (one packet for both) and differs in others;
// its autofire is off with another button, which the file does not carry.
void twoModeProfile() {
    oneModeProfile();
    settings::numModes = 2;
    settings::useModeMomentary[0] = true;
    settings::modeButtons[1] = 9;
    settings::modes[1] = settings::modes[0];
    settings::mode& b = settings::modes[1];
    b.autofire.enabled = false;
    b.autofire.button = 30;
    b.axes[0].sensitivity.set(3.5f);
    b.axes[0].baseDeadzone.knobControlled = true;
    b.axes[0].baseDeadzone.knobValue = 0.25f;
    b.shiftY.set(1.5f);
    b.knobCenter[0].center = 1;
    b.knobCenter[0].deadzoneEnd = 2;
}

void threeModeProfile() {
    twoModeProfile();
    settings::numModes = 3;
    settings::useModeCycleButton = true;
    settings::useModeMomentary[1] = true;
    settings::modeButtons[2] = 63;
    settings::mode& c = settings::modes[2];
    c.reorderAxes.enabled = false;
    c.motorConstant.activationPoint = 65.535f;
    c.addKnobToAxis.scalingFactor = 10.0f;
    c.axes[5].variableDeadzone.set(0.75f);
}

std::vector<std::uint8_t> saveCurrent(const std::string& path) {
    file::active = path;
    EXPECT_TRUE(file::saveCurrentFile());
    return readBytes(path);
}

TEST(cliRoundTrip, decodeThenEncodeReproducesTheProgramsFile) {
    struct {
        const char* name;
        void (*profile)();
        std::size_t modes;
    } cases[] = {{"one mode", oneModeProfile, 1},
                 {"two modes", twoModeProfile, 2},
                 {"three modes", threeModeProfile, 3}};
    tempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.profile();
        std::vector<std::uint8_t> original = saveCurrent(dir.file("original.jxc"));
        ASSERT_GT(original.size(), 210u);

        auto decoded = run({"decode", dir.file("original.jxc")});
        ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
        {
            std::ofstream json(dir.file("profile.json"));
            json << decoded.out;
        }
        auto encoded = run({"encode", dir.file("profile.json"), dir.file("again.jxc")});
        ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
        EXPECT_EQ(readBytes(dir.file("again.jxc")), original);
    }
}

TEST(cliRoundTrip, absentKeysKeepTheirDefaults) {
    tempDir dir;
    {
        std::ofstream json(dir.file("partial.json"));
        json << R"({"numModes": 2, "modes": [{}, {"autofire": {"enabled": true, "button": 4}}]})";
    }
    auto r = run({"encode", dir.file("partial.json"), dir.file("partial.jxc")});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    settings::init();
    settings::numModes = 2;
    settings::modes[1].autofire.enabled = true;
    settings::modes[1].autofire.button = 4;
    EXPECT_EQ(readBytes(dir.file("partial.jxc")), saveCurrent(dir.file("expected.jxc")));
}

// Random profiles within what packets carry: decoding and re-encoding in-process must
// give back the very same bytes every time.
TEST(cliRoundTrip, randomProfilesSurviveTheJsonText) {
    std::mt19937 random(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    auto anyFloat = [&] {
        for (;;) {
            float f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            if (!std::isnan(f))
                return f;
        }
    };
    auto analog = [&](settings::analogSetting& s) {
        s.value = pick(0, 3) ? static_cast<float>(pick(0, 400)) / 40.0f : anyFloat();
        s.knobControlled = pick(0, 4) == 0;
        s.knobValue = s.knobControlled ? anyFloat() : 0.0f;
    };
    auto lowRes = [&] { return static_cast<float>(pick(0, 65535)) * 0.001f; };
    tempDir dir;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        settings::init();
        settings::LEDoutput = static_cast<std::uint8_t>(pick(0, 255));
        settings::numModes = static_cast<std::uint8_t>(pick(1, 3));
        settings::useModeCycleButton = pick(0, 1);
        settings::useModeMomentary[0] = pick(0, 1);
        for (auto& b : settings::modeButtons)
            b = static_cast<std::uint8_t>(pick(0, 63));
        for (auto& m : settings::modes) {
            for (auto& x : m.axes) {
                for (int id = 0; id < 5; ++id)
                    analog(*x.analogById(id));
                x.disabled = pick(0, 1);
                x.inverted = pick(0, 1);
            }
            for (auto& k : m.knobRange) {
                k.minimum = static_cast<std::uint16_t>(pick(0, 4092));
                k.maximum = static_cast<std::uint16_t>(pick(k.minimum + 1, 4095));
                k.inverted = pick(0, 1);
            }
            for (auto& k : m.knobCenter) {
                k.center = static_cast<std::uint16_t>(pick(0, 4093));
                k.deadzoneEnd = static_cast<std::uint16_t>(pick(k.center + 1, 4094));
            }
            m.addKnobToAxis.enabled = pick(0, 1);
            m.addKnobToAxis.axis = static_cast<std::uint8_t>(pick(0, 5));
            m.addKnobToAxis.scalingFactor = lowRes();
            for (auto& o : m.reorderAxes.order)
                o = static_cast<std::uint8_t>(pick(0, 7));
            m.reorderAxes.enabled = pick(0, 1);
            m.autofire.enabled = pick(0, 1);
            m.autofire.button = static_cast<std::uint8_t>(pick(0, 31));
            m.autofire.period = static_cast<std::uint16_t>(pick(0, 65535));
            m.toggledButtons.buttons = static_cast<std::uint32_t>(random());
            m.cruiseControl.button = static_cast<std::uint8_t>(pick(0, 63));
            m.motorConstant.activationPoint = lowRes();
            m.motorPulse.activationPoint = lowRes();
            m.motorPulse.enabled = pick(0, 1);
            for (int id = 0; id < 4; ++id)
                analog(*m.analogById(id));
        }
        std::vector<std::uint8_t> original = saveCurrent(dir.file("r.jxc"));
        ASSERT_TRUE(file::openCurrentFile());
        std::string text = cli::settingsJson::write().dump(2);
        settings::init();
        cli::settingsJson::read(cli::settingsJson::json::parse(text));
        ASSERT_EQ(saveCurrent(dir.file("r2.jxc")), original);
    }
}

} // namespace
