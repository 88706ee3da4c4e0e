#include "cliRunner.h"

#include "testSupport.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace cliRunner {

result run(const std::vector<std::string>& args) {
    testSupport::tempDir capture;
    std::string outPath = capture.file("out"), errPath = capture.file("err");
    std::vector<std::string> argv{MARLOVAN_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());

    pid_t child = fork();
    if (child == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
            _exit(127);
        std::vector<char*> raw;
        for (auto& a : argv)
            raw.push_back(a.data());
        raw.push_back(nullptr);
        execv(raw[0], raw.data());
        _exit(127);
    }
    result r;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        r.exitCode = WEXITSTATUS(status);
    auto text = [](const std::string& path) {
        auto bytes = testSupport::readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    r.out = text(outPath);
    r.err = text(errPath);
    return r;
}

} // namespace cliRunner
