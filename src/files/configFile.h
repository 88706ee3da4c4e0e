#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The program's memory between runs: the last settings file, the unit system and the
// automatic-receive choice, kept in a small binary file (flags word, path length,
// path characters; integers least significant byte first).
namespace configFile {

inline constexpr const char* fileName = "marlovan.jxcconfig";

// Menu command ids whose check marks mirror the two choices.
inline constexpr int imperialMenuId = 110;
inline constexpr int metricMenuId = 111;
inline constexpr int autoReceiveEnabledMenuId = 112;
inline constexpr int autoReceiveDisabledMenuId = 113;

extern std::string configFilePath;
extern std::string lastFilePath;
extern std::int32_t lastFilePathLength;
extern bool useMetricUnits;
extern bool autoRetrieveSettings;

// "$XDG_CONFIG_HOME/marlovan/marlovan.jxcconfig", or "$HOME/.config/marlovan/..." when
// XDG_CONFIG_HOME is unset, empty or relative; the bare file name (current folder)
// when neither is usable.
std::string locate(const char* xdgConfigHome, const char* home);

// Resets the values and computes configFilePath from the environment.
void init();
// Resets the values only.
void clear();
// Reads the file; true when it could be opened. A file shorter than its fields or its
// path announce leaves no remembered path and both choices off.
bool tryReadLast();
// Writes the file (creating its folder); true when it was written. The previous file
// stays whole when writing fails.
bool write();
// Sets the menu check marks: `check(id, checked)` for each of the four items.
void updateMainMenu(const std::function<void(int id, bool checked)>& check);

} // namespace configFile
