#include "fuzzSupport.h"

#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"

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
    std::vector<std::uint8_t> block;
    settingsParser::buildOutputAll(
        [&] {
            block.insert(block.end(), settingsParser::data,
                         settingsParser::data + settingsParser::packetSize);
            return true;
        },
        0);
    return block;
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
