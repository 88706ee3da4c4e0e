#include "testSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testSupport {

tempDir::tempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "marlovan-files-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root = pattern;
}

tempDir::~tempDir() {
    std::error_code ec;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root, ec);
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> fromHex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::string digits;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::vector<std::string> entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> defaultFile() {
    return fromHex(R"(
        E0 00 01 00 00 00 00
        B0 C0 00 00 00 01 02
        B0 C0 01 11 15 00 00
        A1 C0 00 04 2D 0D 2F
        A1 C0 00 05 2D 0D 2F
        A1 C0 01 00 7B C8 42
        A1 C0 01 01 7B C8 42
        A1 C0 02 00 01 03 E8
        A1 C0 03 01 23 45 67
        A1 C0 04 00 00 00 00
        A1 C0 05 00 00 00 00
        A1 C0 06 FF FF FF FF
        A1 C0 07 00 00 00 00
        A1 C0 08 00 00 00 0A
        A1 C0 09 00 02 02 00
        A1 C0 0A 02 03 07 D0
        A1 C0 0B 02 02 03 E8
        A1 C0 0C 00 00 3F 3F
        A1 BF 00 00 00 00 00
        A1 40 00 00 00 80 3F
        A1 40 01 00 00 80 3F
        A1 40 02 00 00 00 00
        A1 40 03 00 00 00 00
        A1 3F 00 00 00 80 3F
        A1 07 01 CD CC 4C 3D
        A1 28 01 00 00 00 00
        A1 10 01 CD CC CC 3D
        A1 3F 02 8F C2 F5 3D
        A1 3F 03 33 33 B3 3F
        A1 3F 04 00 00 80 3F
    )");
}

} // namespace testSupport
