#pragma once

#include "platform/dialogs.h"

// Message boxes and file dialogs of the window program, owned by the active window.
class qtDialogs : public platform::dialogs::provider {
public:
    platform::dialogs::button messageBox(const std::string& text, const std::string& caption,
                                         platform::dialogs::buttons choice) override;
    std::optional<std::string> openFile(const platform::dialogs::fileDialog& dialog) override;
    std::optional<std::string> saveFile(const platform::dialogs::fileDialog& dialog) override;
};
