// Any bytes as a settings file: opening never fails on content, and what was opened is
// saved and opened again unchanged.
#include "fuzzSupport.h"

#include "files/file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzSupport::resetSettings();
    const std::string path = fuzzSupport::scratchPath("input.jxc");
    fuzzSupport::writeFile(path, data, size);

    file::active = path;
    fuzzSupport::check(file::openCurrentFile(), "a readable settings file was refused");
    fuzzSupport::checkSaveKeepsSettings();
    const std::vector<std::uint8_t> opened = fuzzSupport::settingsBlock();

    file::active = fuzzSupport::scratchPath("saved.jxc");
    fuzzSupport::check(file::saveCurrentFile(), "saving the opened settings failed");
    fuzzSupport::check(file::openCurrentFile(), "the saved settings file was refused");
    fuzzSupport::check(fuzzSupport::settingsBlock() == opened,
                       "settings changed by a save and a reopen");
    file::active.clear();
    return 0;
}
