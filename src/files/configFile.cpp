#include "files/configFile.h"

#include "files/replaceFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace configFile {

std::string configFilePath;
std::string lastFilePath;
std::int32_t lastFilePathLength = 0;
bool useMetricUnits = false;
bool autoRetrieveSettings = false;

namespace {

constexpr std::int32_t maxStoredPathLength = 259;

bool storesPath(std::int32_t length) {
    return length >= 1 && length <= maxStoredPathLength;
}

std::uint32_t readLittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void appendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace

std::string locate(const char* xdgConfigHome, const char* home) {
    std::filesystem::path base;
    // Relative values are to be ignored, as the base-directory convention says.
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        base = xdgConfigHome;
    else if (home && home[0] != '\0')
        base = std::filesystem::path(home) / ".config";
    else
        return fileName;
    return (base / "marlovan" / fileName).string();
}

void clear() {
    lastFilePath.clear();
    lastFilePathLength = 0;
    useMetricUnits = false;
    autoRetrieveSettings = false;
}

void init() {
    clear();
    configFilePath = locate(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

bool tryReadLast() {
    std::ifstream in(configFilePath, std::ios::binary);
    if (!in)
        return false;
    // The file is a few hundred bytes at most; read a little past the largest valid
    // size so the length check below sees truncation but never a huge file.
    std::vector<std::uint8_t> bytes;
    char buffer[8 + maxStoredPathLength + 1];
    in.read(buffer, sizeof buffer);
    bytes.assign(buffer, buffer + in.gcount());

    if (bytes.size() < 8) {
        clear();
        return true;
    }
    std::uint32_t flags = readLittleEndian(bytes, 0);
    std::int32_t length = static_cast<std::int32_t>(readLittleEndian(bytes, 4));
    if (storesPath(length)) {
        if (bytes.size() < 8 + static_cast<std::size_t>(length)) {
            clear();
            return true;
        }
        std::string path(bytes.begin() + 8, bytes.begin() + 8 + length);
        lastFilePath = path.substr(0, path.find('\0'));
    }
    lastFilePathLength = length;
    useMetricUnits = (flags & 1u) != 0;
    autoRetrieveSettings = (flags & 2u) != 0;
    return true;
}

bool write() {
    std::vector<std::uint8_t> bytes;
    appendLittleEndian(bytes, (autoRetrieveSettings ? 2u : 0u) | (useMetricUnits ? 1u : 0u));
    appendLittleEndian(bytes, static_cast<std::uint32_t>(lastFilePathLength));
    if (storesPath(lastFilePathLength)) {
        // The length is what the file claims; pad with zeros should the path be shorter.
        std::string path = lastFilePath;
        path.resize(static_cast<std::size_t>(lastFilePathLength), '\0');
        bytes.insert(bytes.end(), path.begin(), path.end());
    }
    std::filesystem::path folder = std::filesystem::path(configFilePath).parent_path();
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    return replaceFile::write(configFilePath, bytes);
}

void updateMainMenu(const std::function<void(int id, bool checked)>& check) {
    check(metricMenuId, useMetricUnits);
    check(imperialMenuId, !useMetricUnits);
    check(autoReceiveEnabledMenuId, autoRetrieveSettings);
    check(autoReceiveDisabledMenuId, !autoRetrieveSettings);
}

} // namespace configFile
