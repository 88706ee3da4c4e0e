#pragma once

#include <string>
#include <vector>

namespace cliRunner {

struct result {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the built marlovan-cli with `args` and collects its output.
result run(const std::vector<std::string>& args);

} // namespace cliRunner
