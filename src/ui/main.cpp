#include "device/hidConnection.h"
#include "files/file.h"
#include "platform/dialogs.h"
#include "sim/bootmonitor/JoystickMonitor.h"
#include "ui/curveDialogs.h"
#include "ui/diagnosticDialogs.h"
#include "ui/dialogRegistry.h"
#include "ui/featureDialogs.h"
#include "ui/mainWindow.h"
#include "ui/modeDialogs.h"
#include "ui/qtDialogs.h"
#include "ui/screenshots.h"
#include "ui/toolTips.h"

#include <QApplication>
#include <QProxyStyle>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps a cache for the life of the process that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif

namespace {

// Tooltips appear after a second.
class toolTipDelayStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay)
            return toolTipDelayMilliseconds;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

struct options {
    bool simulate = false;
    std::string screenshots;
    std::string settingsFile;
    bool bad = false;
};

options parse(int argc, char** argv) {
    options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--simulate")
            o.simulate = true;
        else if (arg == "--screenshots" && i + 1 < argc)
            o.screenshots = argv[++i];
        else if (!arg.empty() && arg[0] == '-')
            o.bad = true;
        else
            o.settingsFile = arg;
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const options o = parse(argc, argv);
    if (o.bad) {
        std::fprintf(stderr, "usage: marlovan-settings [--simulate] [--screenshots DIR] "
                             "[FILE.jxc]\n");
        return 2;
    }
    if (!o.screenshots.empty())
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // The settings file named on the command line, quoted as the file layer expects.
    file::init(o.settingsFile.empty() ? std::string() : "\"" + o.settingsFile + "\"");

    QApplication app(argc, argv);
    QApplication::setStyle(new toolTipDelayStyle());

    std::unique_ptr<sim::Joystick> joystick;
    if (o.simulate) {
        sim::JoystickOptions simulation;
        joystick = std::make_unique<sim::Joystick>(sim::withBootMonitor(simulation));
        // A real joystick plugged in must not stand in for the simulated one. The serial
        // port stays searched: the firmware update finds the boot monitor that way.
        hidConnection::onlyPath = joystick->hid()->path();
    }

    qtDialogs dialogs;
    const platform::dialogs::installGuard installed(dialogs);

    // The dialogs of this build, by template id.
    registerFeatureDialogs();
    registerCurveDialogs();
    registerDiagnosticDialogs();
    registerModeDialogs();

    mainWindow window;
    if (!o.screenshots.empty()) {
        const QStringList written = saveScreenshots(window, QString::fromStdString(o.screenshots));
        std::printf("%s\n", window.windowTitle().toLocal8Bit().constData());
        for (const QString& path : written)
            std::printf("%s\n", path.toLocal8Bit().constData());
        const auto expected = 6 + static_cast<qsizetype>(dialogRegistry::previews().size());
        return written.size() == expected ? 0 : 1;
    }
    window.show();
    return app.exec();
}
