#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Writing a file so that it is either replaced whole or left as it was: the bytes go
// to a temporary file beside the target, are flushed to the disk, and the temporary
// file is then renamed over the target. A failure at any step, or an interruption
// before the rename, leaves the previous file untouched.
namespace replaceFile {

bool write(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The step that puts the written temporary file in place of the target; the default
// renames it. Returns false when the target was not replaced (the temporary file is
// removed then). Handing in another step lets a test stop a save between the write
// and the rename, as a crash or power loss would.
using commitStep = std::function<bool(const std::string& temporary, const std::string& target)>;
commitStep setCommitStep(commitStep step); // returns the previous step; empty restores the default

} // namespace replaceFile
