#include "uiTestSupport.h"

#include "device/hidConnection.h"
#include "device/sendReceive.h"
#include "files/configFile.h"
#include "files/file.h"
#include "settings/modifySetting.h"
#include "settings/settings.h"
#include "ui/mainWindow.h"

#include <QApplication>
#include <QDir>
#include <cstdint>
#include <cstdlib>
#include <fstream>

void ensureApplication() {
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
}

void uiTest::SetUp() {
    ensureApplication();
    ASSERT_TRUE(folder.isValid());
    setenv("XDG_CONFIG_HOME", folder.path().toStdString().c_str(), 1);
    installed = std::make_unique<platform::dialogs::installGuard>(script);
    sendReceive::reset();
    modifySetting::reset();
    settings::init();
    file::init("");
}

void uiTest::TearDown() {
    window.reset();
    sendReceive::reset();
    installed.reset();
}

mainWindow& uiTest::start(const std::string& commandLine) {
    file::init(commandLine);
    window = std::make_unique<mainWindow>();
    return *window;
}

std::string uiTest::configPath() const {
    return folder.path().toStdString() + "/marlovan/" + configFile::fileName;
}

std::string uiTest::tempPath(const std::string& name) const {
    return folder.path().toStdString() + "/" + name;
}

void uiTest::writeConfig(const std::string& path, bool metric, bool autoReceive) {
    QDir().mkpath(folder.path() + QStringLiteral("/marlovan"));
    std::ofstream out(configPath(), std::ios::binary);
    const std::uint32_t flags = (autoReceive ? 2u : 0u) | (metric ? 1u : 0u);
    const auto length = static_cast<std::int32_t>(path.size());
    for (int i = 0; i < 4; ++i)
        out.put(static_cast<char>((flags >> (8 * i)) & 0xFF));
    for (int i = 0; i < 4; ++i)
        out.put(static_cast<char>((static_cast<std::uint32_t>(length) >> (8 * i)) & 0xFF));
    out << path;
}

// fontconfig keeps a cache for the life of the process that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
