#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Shared by the harnesses: the oracle that says "no data was lost", a private folder
// for the files a harness writes, and a way to stop.
namespace fuzzSupport {

// Prints what broke and aborts, so the fuzzer (or the regression test) reports it
// with the input that did it.
[[noreturn]] void fail(const char* what);
inline void check(bool ok, const char* what) {
    if (!ok)
        fail(what);
}

// Every module of the settings library back to its state at program start.
void resetSettings();

// The complete settings block of the model, as a save writes it.
std::vector<std::uint8_t> settingsBlock();

// Parses `block` into a fresh model the way opening a settings file does.
void openBlock(const std::vector<std::uint8_t>& block);

// The model must survive a save and a reopen: the block of the reopened model is the
// block that was saved. Leaves the reopened model in place.
void checkBlockReopens();

// Saving and reopening keeps every setting that a file holds: the global settings, the
// mode buttons in use and all of mode A (the modes after it may share its packets), as
// the model compares them. Leaves the reopened model in place.
void checkSaveKeepsSettings();

// A path in a folder of this process's own (created on first use, removed at exit).
std::string scratchPath(const std::string& name);
void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size);

} // namespace fuzzSupport
