#include "fuzzSupport.h"

#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fuzzSupport {

namespace {

struct scratchFolder {
    std::filesystem::path path;
    scratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "marlovan-fuzz-XXXXXX");
        if (!mkdtemp(pattern.data()))
            fail("cannot create a scratch folder");
        path = pattern;
    }
    ~scratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

// What a file holds for certain: the global settings, the mode buttons in use and
// mode A, compared as the model compares them.
struct heldByFile {
    std::uint8_t LEDoutput = settings::LEDoutput;
    bool flags[8] = {settings::ledHighBrightness,       settings::knobsDisabled,
                     settings::loadCellDiagnosticMode,  settings::digitalOutputDiagnosticMode,
                     settings::useRightKnobForSettings, settings::useModeCycleButton,
                     settings::useModeMomentary[0],     settings::useModeMomentary[1]};
    std::uint8_t numModes = settings::numModes;
    std::uint8_t modeButtons[3] = {settings::modeButtons[0], settings::modeButtons[1],
                                   settings::modeButtons[2]};
    settings::mode modeA;

    heldByFile() {
        modeA.linkDigitalSettings();
        modeA = settings::modes[0];
    }

    bool sameAsModel() const {
        if (LEDoutput != settings::LEDoutput || numModes != settings::numModes)
            return false;
        const heldByFile now;
        if (!std::equal(flags, flags + 8, now.flags))
            return false;
        for (int i = 0; i < settings::modesInUse(); ++i)
            if (modeButtons[i] != settings::modeButtons[i])
                return false;
        const settings::mode& a = settings::modes[0];
        for (int i = 0; i < settings::digitalCount; ++i)
            if (!modeA.digitalSettings[i]->compare(*a.digitalSettings[i]))
                return false;
        for (int id = 0; id < 4; ++id)
            if (!(*modeA.analogById(id) == *a.analogById(id)))
                return false;
        for (int axis = 0; axis < settings::axisCount; ++axis) {
            const settings::axisSettings& x = modeA.axes[axis];
            const settings::axisSettings& y = a.axes[axis];
            if (x.disabled != y.disabled || x.inverted != y.inverted)
                return false;
            for (int id = 0; id < 5; ++id)
                if (!(*x.analogById(id) == *y.analogById(id)))
                    return false;
        }
        return true;
    }
};

} // namespace

void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

void resetSettings() {
    settings::init();
    settingsParser::clearParseData();
    prebuiltSettings::reset();
    modifySetting::reset();
}

std::vector<std::uint8_t> settingsBlock() {
    return settingsParser::buildBlock();
}

void openBlock(const std::vector<std::uint8_t>& block) {
    settings::init();
    for (std::size_t at = 0; at + settingsParser::packetSize <= block.size();
         at += settingsParser::packetSize) {
        std::copy(block.begin() + static_cast<std::ptrdiff_t>(at),
                  block.begin() + static_cast<std::ptrdiff_t>(at + settingsParser::packetSize),
                  settingsParser::data);
        settingsParser::parseToSettings(false, true);
    }
}

void checkBlockReopens() {
    const std::vector<std::uint8_t> saved = settingsBlock();
    openBlock(saved);
    check(settingsBlock() == saved, "settings changed by a save and a reopen");
}

void checkSaveKeepsSettings() {
    const heldByFile before;
    checkBlockReopens();
    check(before.sameAsModel(), "a setting changed by a save and a reopen");
}

std::string scratchPath(const std::string& name) {
    static scratchFolder folder;
    return (folder.path / name).string();
}

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    check(out.good(), "cannot write a scratch file");
}

} // namespace fuzzSupport
