#pragma once

#include "platform/dialogs.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

// The settings file: the complete packet block of the settings model on disk (".jxc",
// 7-byte packets back to back, start packet count 0), and the current file of the
// program with its Open, Save and Save As flows.
namespace file {

inline constexpr const char* extension = ".jxc";
inline constexpr std::size_t maxPathLength = 259; // longest path the command line may name

extern std::string active;          // path of the current settings file; empty when none
extern bool fileChanged;            // settings changed since the last open, save or clear
extern bool openedFromSettingsFile; // a settings file was named on the command line
extern std::ifstream readFile;      // the file being read
// The block being saved. It is collected here and written to disk in one replacing
// write, so a failed save leaves the previous file whole.
extern std::vector<std::uint8_t> writeBuffer;

// Called after openCurrentFile has loaded a file into the model, to refresh whatever
// shows the settings (the main window's values and the enabling that depends on
// them). Empty when nothing needs refreshing.
extern std::function<void()> settingsLoaded;

// The filters and suffix of the Open and Save As dialogs.
platform::dialogs::fileDialog openDialog();
platform::dialogs::fileDialog saveDialog();

// Takes the settings file from the program's raw command line: the text between the
// first pair of double quotes (or all of it when unquoted), if it ends in ".jxc".
void init(const std::string& commandLine);
void clear();
// Set and clear the changed flag; `titleChanged` runs when the flag actually changes.
void setFileChanged(const std::function<void()>& titleChanged);
void clearFileChanged(const std::function<void()>& titleChanged);
// Move the current path into and out of the configuration file's values.
void saveToConfigData();
void setFromConfigData();

// Output callback of a save: appends settingsParser::data to writeBuffer.
bool writeSetting();
// Reads the next whole packet into settingsParser::data; false at the end of the file
// (also when fewer than 7 bytes are left).
bool readSetting();

// Loads `active`: the model is reset and every whole packet of the file is parsed in
// order. False, with the settings unchanged, when the file cannot be read.
bool openCurrentFile();
// The Open flow: file dialog, the overwrite question when a file is current, reading.
bool open();
// Writes the settings to `active`. A failure is reported ("Failed to save settings
// file", caption "Save") and leaves the previous file as it was.
bool saveCurrentFile();
// The Save As flow: file dialog, the overwrite question, saving. True when a name was
// chosen and the file was written, or when the user declined to overwrite.
bool saveAs();
// Saves to the current file, or runs Save As when there is none.
bool save();

} // namespace file
