#include "files/replaceFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace replaceFile {

namespace {

bool renameOver(const std::string& temporary, const std::string& target) {
    return std::rename(temporary.c_str(), target.c_str()) == 0;
}

commitStep& commit() {
    static commitStep step = renameOver;
    return step;
}

// A link is replaced at the place it points to, so the link itself survives.
std::filesystem::path resolveTarget(const std::string& path) {
    std::error_code ec;
    std::filesystem::path target(path);
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
        auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            return resolved;
    }
    return target;
}

std::string temporaryName(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    static std::mt19937 random{std::random_device{}()};
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%d.%u.%08x.tmp", static_cast<int>(getpid()),
                  counter.fetch_add(1), static_cast<unsigned>(random()));
    std::filesystem::path name = target.filename();
    name += suffix;
    return (target.parent_path() / ("." + name.string())).string();
}

// Creates the temporary file, retrying the unlikely name clash.
int createTemporary(const std::filesystem::path& target, std::string& name) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = temporaryName(target);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty())
        return false;
    std::filesystem::path target = resolveTarget(path);
    std::string temporary;
    int fd = createTemporary(target, temporary);
    if (fd < 0)
        return false;

    // A replaced file keeps its permissions; a new one gets the usual 0666 & ~umask.
    struct stat old {};
    bool ok = true;
    if (::stat(target.c_str(), &old) == 0)
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && commit()(temporary, target.string());
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here does not undo the save.
    int dir = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                     O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

commitStep setCommitStep(commitStep step) {
    commitStep previous = commit();
    commit() = step ? std::move(step) : commitStep(renameOver);
    return previous;
}

} // namespace replaceFile
