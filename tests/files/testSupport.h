#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testSupport {

// A fresh folder under the system's temporary folder, removed with everything in it.
class tempDir {
public:
    tempDir();
    ~tempDir();
    tempDir(const tempDir&) = delete;
    tempDir& operator=(const tempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::string file(const std::string& name) const { return (root / name).string(); }

private:
    std::filesystem::path root;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// "E0 00 01" -> bytes; spaces and line breaks are ignored.
std::vector<std::uint8_t> fromHex(const std::string& text);
// Names of the entries of a folder, sorted.
std::vector<std::string> entries(const std::filesystem::path& folder);

// The settings file of the defaults with one mode: the complete block with start count 0.
std::vector<std::uint8_t> defaultFile();

} // namespace testSupport
