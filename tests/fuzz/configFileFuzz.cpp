// Any bytes as the configuration file: reading never fails on content, and what was
// read is written and read back unchanged. The remembered path then becomes the current
// settings file, as at start-up.
#include "fuzzSupport.h"

#include "files/configFile.h"
#include "files/file.h"

namespace {

struct values {
    std::string lastFilePath;
    std::int32_t lastFilePathLength;
    bool useMetricUnits;
    bool autoRetrieveSettings;
    bool operator==(const values&) const = default;
};

values current() {
    return {configFile::lastFilePath, configFile::lastFilePathLength, configFile::useMetricUnits,
            configFile::autoRetrieveSettings};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    configFile::clear();
    configFile::configFilePath = fuzzSupport::scratchPath("input.jxcconfig");
    fuzzSupport::writeFile(configFile::configFilePath, data, size);
    fuzzSupport::check(configFile::tryReadLast(), "a readable configuration file was refused");
    const values read = current();

    file::active.clear();
    file::setFromConfigData();
    fuzzSupport::check(file::active.size() <= read.lastFilePath.size(),
                       "current file longer than the remembered path");

    configFile::configFilePath = fuzzSupport::scratchPath("saved.jxcconfig");
    fuzzSupport::check(configFile::write(), "writing the configuration file failed");
    configFile::clear();
    fuzzSupport::check(configFile::tryReadLast(), "the written configuration file was refused");
    fuzzSupport::check(current() == read, "configuration changed by a write and a read");
    file::active.clear();
    return 0;
}
