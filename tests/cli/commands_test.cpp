#include "cliRunner.h"
#include "testSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <regex>
#include <sstream>

namespace {

using namespace testSupport;
using cliRunner::run;
using json = nlohmann::ordered_json;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> keys(const json& object) {
    std::vector<std::string> names;
    for (auto it = object.begin(); it != object.end(); ++it)
        names.push_back(it.key());
    return names;
}

TEST(cliDefaults, writesTheDefaultFile) {
    tempDir dir;
    auto r = run({"defaults", dir.file("d.jxc")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readBytes(dir.file("d.jxc")), defaultFile());
    EXPECT_EQ(r.out, "");

    // Into a folder that cannot exist: the program's own message, exit 1.
    r = run({"defaults", dir.file("d.jxc") + "/x.jxc"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Failed to save settings file (Save)\n");
    EXPECT_EQ(readBytes(dir.file("d.jxc")), defaultFile());
}

TEST(cliPackets, listsEveryWholeRecordWithItsBytesAndMeaning) {
    tempDir dir;
    std::vector<std::uint8_t> bytes = defaultFile();
    bytes.insert(bytes.end(), {0xC0, 0x00, 0x05, 0x00, 0x01, 0x00, 0x05}); // a joystick reply
    bytes.insert(bytes.end(), {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}); // invalid
    bytes.insert(bytes.end(), {0xE0, 0x00, 0x01});                         // trailing
    writeBytes(dir.file("p.jxc"), bytes);
    auto r = run({"packets", dir.file("p.jxc")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 32u);
    const std::regex format("([0-9A-F]{2} ){6}[0-9A-F]{2}  \\S.*");
    for (const auto& line : out)
        EXPECT_TRUE(std::regex_match(line, format)) << line;
    EXPECT_EQ(out[0], "E0 00 01 00 00 00 00  start, count 0");
    EXPECT_EQ(out[1], "B0 C0 00 00 00 01 02  basic setup: LED output 1, high brightness");
    EXPECT_EQ(out[13], "A1 C0 08 00 00 00 0A  mode A: autofire off, button 0, period 10");
    EXPECT_EQ(out[24], "A1 07 01 CD CC 4C 3D  mode A: base deadzone 0.05, X Y Z");
    EXPECT_EQ(out[30], "C0 00 05 00 01 00 05  firmware version 1.0.5 (from joystick)");
    EXPECT_EQ(out[31], "01 02 03 04 05 06 07  invalid");
}

TEST(cliDecode, printsTheWholeModelInTheSchemasKeyOrder) {
    tempDir dir;
    writeBytes(dir.file("d.jxc"), defaultFile());
    auto r = run({"decode", dir.file("d.jxc")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json doc = json::parse(r.out);
    EXPECT_EQ(keys(doc),
              (std::vector<std::string>{"LEDoutput", "ledHighBrightness", "knobsDisabled",
                                        "loadCellDiagnosticMode", "digitalOutputDiagnosticMode",
                                        "useRightKnobForSettings", "numModes", "useModeCycleButton",
                                        "useModeMomentary", "modeButtons", "modes"}));
    ASSERT_EQ(doc["modes"].size(), 3u);
    const json& a = doc["modes"][0];
    EXPECT_EQ(keys(a),
              (std::vector<std::string>{
                  "axes", "knobRange", "knobCenter", "addKnobToAxis", "reorderAxes",
                  "extendedButtons", "disabledButtons", "modifiedButtons", "toggledButtons",
                  "autofire", "cruiseControl", "motorConstant", "motorPulse", "motorExtended",
                  "baseSensitivity", "smoothing", "shiftX", "shiftY"}));
    ASSERT_EQ(a["axes"].size(), 6u);
    EXPECT_EQ(keys(a["axes"][0]),
              (std::vector<std::string>{"sensitivity", "asymmetry", "baseDeadzone",
                                        "variableDeadzone", "curvature", "disabled", "inverted"}));
    EXPECT_EQ(keys(a["axes"][0]["sensitivity"]),
              (std::vector<std::string>{"value", "knobControlled", "knobValue"}));
    // Floats are the shortest text of the single-precision value.
    EXPECT_NE(r.out.find("\"value\": 0.05,"), std::string::npos);
    EXPECT_NE(r.out.find("\"value\": 1.4,"), std::string::npos);
    EXPECT_EQ(a["axes"][4]["baseDeadzone"]["value"], 0.1);
    EXPECT_EQ(a["knobRange"][1], json::parse(R"({"inverted": false, "useCenterDeadzone": true,
                                                 "minimum": 720, "maximum": 3375})"));
    EXPECT_EQ(a["knobCenter"][0], json::parse(R"({"center": 1980, "deadzoneEnd": 2114})"));
    EXPECT_EQ(a["reorderAxes"], json::parse(R"({"enabled": false, "order": [0,1,2,3,4,5,6,7]})"));
    EXPECT_EQ(a["modifiedButtons"], 4294967295u);
    EXPECT_EQ(a["cruiseControl"], json::parse(R"({"enabled": false, "toggle": true, "axes": 2,
                                                  "button": 0})"));
    EXPECT_EQ(a["motorConstant"]["activationPoint"], 2.0);
    EXPECT_EQ(doc["modeButtons"], json::parse("[21, 26, 31]"));
}

TEST(cliDecode, anyFileHoweverBrokenYieldsAModel) {
    tempDir dir;
    std::mt19937 random(11);
    std::vector<std::uint8_t> garbage(4001);
    for (auto& b : garbage)
        b = static_cast<std::uint8_t>(random());
    // Mode B's autofire in a file that announces two modes, then junk.
    std::vector<std::uint8_t> partial =
        fromHex("B0 C0 01 21 15 1A 00  A2 C0 08 01 04 00 14  FF FF");
    struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {{"empty", {}},
                 {"ten", fromHex("E0 00 01 1E 00 00 00 A1 C0 08")},
                 {"garbage", garbage},
                 {"partial", partial}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir.file("f.jxc"), c.bytes);
        auto r = run({"decode", dir.file("f.jxc")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        json doc = json::parse(r.out);
        ASSERT_EQ(doc["modes"].size(), 3u);
        if (std::string(c.name) == "partial") {
            EXPECT_EQ(doc["numModes"], 2);
            EXPECT_EQ(doc["modes"][1]["autofire"],
                      json::parse(R"({"enabled": true, "button": 4, "period": 20})"));
        } else if (std::string(c.name) != "garbage") {
            EXPECT_EQ(doc["numModes"], 1);
            EXPECT_EQ(doc["modes"][0]["autofire"]["enabled"], false);
        }
    }
}

TEST(cliUsage, badUsageExitsTwoAndAMissingFileOne) {
    tempDir dir;
    struct {
        std::vector<std::string> args;
        int exitCode;
        const char* inError;
    } cases[] = {
        {{}, 2, "Usage"},
        {{"bogus"}, 2, "Usage"},
        {{"decode"}, 2, "decode"},
        {{"encode", dir.file("a.json")}, 2, "encode"},
        {{"decode", dir.file("missing.jxc")}, 1, "missing.jxc (File not found!)"},
        {{"packets", dir.file("missing.jxc")}, 1, "missing.jxc (File not found!)"},
        {{"encode", dir.file("missing.json"), dir.file("o.jxc")}, 1, "(File not found!)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        auto r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.jxc")));
    auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("defaults"), std::string::npos);
}

} // namespace
