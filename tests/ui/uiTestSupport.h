#pragma once

#include "platform/dialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class mainWindow;

// The one QApplication of the test program (offscreen).
void ensureApplication();

// A clean program state for one test: a configuration folder of its own (XDG), the
// scripted dialogs installed, every module back at its start.
class uiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the window as the program does, with `commandLine` as its raw command line.
    mainWindow& start(const std::string& commandLine = std::string());
    std::string configPath() const;
    std::string tempPath(const std::string& name) const;
    // Writes a configuration file remembering `path` with the given choices.
    void writeConfig(const std::string& path, bool metric, bool autoReceive);

    QTemporaryDir folder;
    platform::dialogs::scripted script;
    std::unique_ptr<platform::dialogs::installGuard> installed;
    std::unique_ptr<mainWindow> window;
};
