#include "cli/simulatedJoystick.h"

#include "files/replaceFile.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

constexpr const char* stateFileName = "simulated-joystick.jxc";
constexpr std::size_t packetSize = 7;
constexpr std::size_t maxPackets = 585;

// A directory only this user can use: created with mode 0700, or an existing one that
// is a real directory owned by the user and not writable by others.
bool privateDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 0022) == 0;
}

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return bytes;
}

} // namespace

std::string simulatedJoystick::stateFilePath() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        const std::string dir = std::string(runtime) + "/marlovan";
        if (privateDirectory(dir)) {
            return dir + "/" + stateFileName;
        }
    }
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = (tmp && *tmp == '/') ? tmp : "/tmp";
    const std::string dir = base + "/marlovan-" + std::to_string(::getuid());
    if (privateDirectory(dir)) {
        return dir + "/" + stateFileName;
    }
    return {};
}

bool simulatedJoystick::plausibleBlock(const std::vector<std::uint8_t>& block) {
    if (block.empty() || block.size() % packetSize != 0 || block.size() / packetSize > maxPackets) {
        return false;
    }
    return (block[0] & 0xC0) == 0xC0 && block[2] == 1;
}

simulatedJoystick::simulatedJoystick() : device(sim::JoystickOptions{}) {
    const std::string path = stateFilePath();
    if (!path.empty()) {
        auto block = readAll(path);
        // A damaged or foreign state file is ignored: the joystick starts from its
        // defaults, as a new one would.
        if (plausibleBlock(block)) {
            device.state().storeBlock(block);
        }
    }
    loaded = device.state().storedBlock();
}

simulatedJoystick::~simulatedJoystick() {
    const auto block = device.state().storedBlock();
    const std::string path = stateFilePath();
    if (block != loaded && !path.empty()) {
        replaceFile::write(path, block);
    }
}

std::string simulatedJoystick::serialPortPath() {
    auto* link = device.serial();
    return link ? link->portPath() : std::string{};
}

} // namespace cli
