#include "files/file.h"

#include "files/configFile.h"
#include "files/replaceFile.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"

#include <filesystem>

namespace file {

std::string active;
bool fileChanged = false;
bool openedFromSettingsFile = false;
std::ifstream readFile;
std::vector<std::uint8_t> writeBuffer;
std::function<void()> settingsLoaded;

namespace {

namespace dialogs = platform::dialogs;

std::vector<dialogs::fileFilter> filters() {
    return {{"Marlovan Settings Files (*.jxc)", "*.jxc"}, {"All Files (*.*)", "*.*"}};
}

bool endsWithExtension(const std::string& name) {
    const std::string ext = extension;
    return name.size() >= ext.size() &&
           name.compare(name.size() - ext.size(), ext.size(), ext) == 0;
}

bool exists(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return true;
    std::ifstream probe(path, std::ios::binary);
    return probe.is_open();
}

} // namespace

dialogs::fileDialog openDialog() {
    return {filters(), "jxc", true};
}

dialogs::fileDialog saveDialog() {
    return {filters(), "jxc", false};
}

void init(const std::string& commandLine) {
    active.clear();
    fileChanged = false;
    openedFromSettingsFile = false;
    if (commandLine.size() <= 3)
        return;
    std::string name = commandLine;
    std::size_t open = commandLine.find('"');
    if (open != std::string::npos) {
        std::size_t close = commandLine.find('"', open + 1);
        name = commandLine.substr(open + 1, close == std::string::npos ? std::string::npos
                                                                       : close - open - 1);
    }
    if (name.size() >= 4 && name.size() <= maxPathLength && endsWithExtension(name)) {
        active = name;
        openedFromSettingsFile = true;
    }
}

void clear() {
    fileChanged = false;
    active.clear();
}

void setFileChanged(const std::function<void()>& titleChanged) {
    bool was = fileChanged;
    fileChanged = true;
    if (!was && titleChanged)
        titleChanged();
}

void clearFileChanged(const std::function<void()>& titleChanged) {
    bool was = fileChanged;
    fileChanged = false;
    if (was && titleChanged)
        titleChanged();
}

void saveToConfigData() {
    configFile::lastFilePath = active;
    configFile::lastFilePathLength = static_cast<std::int32_t>(active.size());
}

void setFromConfigData() {
    if (configFile::lastFilePathLength > 258)
        return;
    if (configFile::lastFilePathLength <= 0)
        active.clear();
    else
        active = configFile::lastFilePath.substr(
            0, static_cast<std::size_t>(configFile::lastFilePathLength));
}

bool writeSetting() {
    writeBuffer.insert(writeBuffer.end(), settingsParser::data,
                       settingsParser::data + settingsParser::packetSize);
    return true;
}

bool readSetting() {
    char packet[settingsParser::packetSize];
    readFile.read(packet, sizeof packet);
    if (readFile.gcount() != static_cast<std::streamsize>(sizeof packet))
        return false;
    for (int k = 0; k < settingsParser::packetSize; ++k)
        settingsParser::data[k] = static_cast<std::uint8_t>(packet[k]);
    return true;
}

bool openCurrentFile() {
    std::error_code ec;
    if (std::filesystem::is_directory(active, ec))
        return false;
    readFile.close();
    readFile.clear();
    readFile.open(active, std::ios::binary);
    if (!readFile.is_open())
        return false;
    settings::init();
    while (readSetting())
        settingsParser::parseToSettings(false, true);
    readFile.close();
    readFile.clear();
    if (settingsLoaded)
        settingsLoaded();
    settings::activeMode = 0;
    return true;
}

bool open() {
    std::optional<std::string> chosen = dialogs::openFile(openDialog());
    if (!chosen)
        return false;
    if (!active.empty() &&
        dialogs::messageBox("Opening a file will overwrite the\ncurrent settings. Continue?",
                            "Overwrite settings?",
                            dialogs::buttons::okCancel) != dialogs::button::ok)
        return false;
    std::string kept = active;
    active = *chosen;
    if (openCurrentFile())
        return true;
    dialogs::messageBox(*chosen, "File not found!");
    active = kept;
    return false;
}

bool saveCurrentFile() {
    writeBuffer.clear();
    settingsParser::buildOutputAll(writeSetting, 0);
    bool written = replaceFile::write(active, writeBuffer);
    writeBuffer.clear();
    if (!written)
        dialogs::messageBox("Failed to save settings file", "Save");
    return written;
}

bool saveAs() {
    std::optional<std::string> chosen = dialogs::saveFile(saveDialog());
    if (!chosen)
        return false;
    if (exists(*chosen) && dialogs::messageBox("This file exists.  Overwrite?", "Save As",
                                               dialogs::buttons::okCancel) != dialogs::button::ok)
        return true;
    std::string kept = active;
    active = *chosen;
    if (saveCurrentFile())
        return true;
    // Not saved: the file that was current stays current.
    active = kept;
    return false;
}

bool save() {
    if (active.empty())
        return saveAs();
    return saveCurrentFile();
}

} // namespace file
