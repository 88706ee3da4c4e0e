#include "cliRunner.h"
#include "testSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace testSupport;
using cliRunner::run;

// Every rejected document: exit 2, a message naming the key, and no file written —
// an existing output file keeps its bytes.
TEST(cliEncode, rejectsUnknownKeysWrongTypesAndValuesAPacketCannotCarry) {
    struct {
        const char* json;
        const char* key;
    } cases[] = {
        {R"({"LEDoutpt": 1})", "\"LEDoutpt\""},
        {R"({"modes": [{"axes": [{"sensitivity": {"valu": 1}}]}]})",
         "\"modes[0].axes[0].sensitivity.valu\""},
        {R"({"numModes": "2"})", "\"numModes\""},
        {R"({"numModes": 4})", "\"numModes\""},
        {R"({"numModes": 0})", "\"numModes\""},
        {R"({"LEDoutput": 256})", "\"LEDoutput\""},
        {R"({"LEDoutput": -1})", "\"LEDoutput\""},
        {R"({"LEDoutput": 1.5})", "\"LEDoutput\""},
        {R"({"ledHighBrightness": 1})", "\"ledHighBrightness\""},
        {R"({"modeButtons": [1, 2]})", "\"modeButtons\""},
        {R"({"modeButtons": [1, 2, 64]})", "\"modeButtons[2]\""},
        {R"({"useModeMomentary": [true, null]})", "\"useModeMomentary[1]\""},
        {R"({"modes": [{}, {}, {}, {}]})", "\"modes\""},
        // A file holds only the modes in use and their buttons.
        {R"({"numModes": 2, "modeButtons": [1, 2, 3]})", "\"modeButtons[2]\""},
        {R"({"modes": [{}, {"autofire": {"button": 4}}]})", "\"modes[1].autofire.button\""},
        {R"({"modes": [{}, 3]})", "\"modes[1]\""},
        {R"({"modes": {"axes": []}})", "\"modes\""},
        {R"({"modes": [{"knobRange": [{}, {"minimum": 4093}]}]})",
         "\"modes[0].knobRange[1].minimum\""},
        {R"({"modes": [{"knobRange": [{"minimum": 3000, "maximum": 2000}]}]})",
         "\"modes[0].knobRange[0].maximum\""},
        {R"({"modes": [{"knobCenter": [{"center": 2200}]}]})",
         "\"modes[0].knobCenter[0].deadzoneEnd\""},
        {R"({"modes": [{"knobCenter": [{"knob": 1}]}]})", "\"modes[0].knobCenter[0].knob\""},
        {R"({"modes": [{"addKnobToAxis": {"scalingFactor": 65.536}}]})",
         "\"modes[0].addKnobToAxis.scalingFactor\""},
        {R"({"modes": [{"addKnobToAxis": {"axis": 6}}]})", "\"modes[0].addKnobToAxis.axis\""},
        {R"({"modes": [{"motorPulse": {"activationPoint": -1}}]})",
         "\"modes[0].motorPulse.activationPoint\""},
        {R"({"modes": [{"motorPulse": {"activationPoint": "inf"}}]})",
         "\"modes[0].motorPulse.activationPoint\""},
        {R"({"modes": [{}, {"smoothing": {"value": "nan"}}]})", "\"modes[1].smoothing.value\""},
        {R"({"modes": [{"smoothing": {"value": 1e39}}]})", "\"modes[0].smoothing.value\""},
        {R"({"modes": [{"smoothing": {"value": "big"}}]})", "\"modes[0].smoothing.value\""},
        {R"({"modes": [{"reorderAxes": {"order": [0, 1, 2, 3, 4, 5, 6, 8]}}]})",
         "\"modes[0].reorderAxes.order[7]\""},
        {R"({"modes": [{"disabledButtons": 4294967296}]})", "\"modes[0].disabledButtons\""},
        {R"({"modes": [{"autofire": {"button": 32}}]})", "\"modes[0].autofire.button\""},
        {R"({"modes": [{"cruiseControl": {"button": 64}}]})", "\"modes[0].cruiseControl.button\""},
        {R"({"modes": [{"extendedButtons": {"modifierButton": 32}}]})",
         "\"modes[0].extendedButtons.modifierButton\""},
        {R"([1, 2])", "document"},
        {R"({"numModes": 2,)", "not valid JSON"},
    };
    tempDir dir;
    const std::vector<std::uint8_t> existing{9, 9, 9};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        {
            std::ofstream json(dir.file("bad.json"));
            json << c.json;
        }
        writeBytes(dir.file("kept.jxc"), existing);
        for (const char* out : {"new.jxc", "kept.jxc"}) {
            auto r = run({"encode", dir.file("bad.json"), dir.file(out)});
            EXPECT_EQ(r.exitCode, 2);
            EXPECT_NE(r.err.find(c.key), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("encode"), std::string::npos) << "usage printed";
        }
        EXPECT_FALSE(std::filesystem::exists(dir.file("new.jxc")));
        EXPECT_EQ(readBytes(dir.file("kept.jxc")), existing);
    }
}

TEST(cliEncode, acceptsTheLimitsAndTheInfinities) {
    tempDir dir;
    {
        std::ofstream json(dir.file("edge.json"));
        json << R"({"LEDoutput": 255, "numModes": 3, "modeButtons": [0, 63, 63],
                    "modes": [{"knobRange": [{"minimum": 4092, "maximum": 4093}],
                               "knobCenter": [{"center": 4093, "deadzoneEnd": 4094}],
                               "addKnobToAxis": {"scalingFactor": 65.535},
                               "disabledButtons": 4294967295,
                               "shiftX": {"value": "-inf"}, "shiftY": {"value": "inf"},
                               "smoothing": {"value": 3}}]})";
    }
    auto r = run({"encode", dir.file("edge.json"), dir.file("edge.jxc")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto decoded = run({"decode", dir.file("edge.jxc")});
    ASSERT_EQ(decoded.exitCode, 0);
    EXPECT_NE(decoded.out.find("\"value\": \"-inf\""), std::string::npos);
    EXPECT_NE(decoded.out.find("\"scalingFactor\": 65.535"), std::string::npos);
    EXPECT_NE(decoded.out.find("\"minimum\": 4092"), std::string::npos);
}

} // namespace
