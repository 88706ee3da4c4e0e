#include "platform/dialogs.h"

namespace platform::dialogs {

namespace {

// Nobody to ask: acknowledge messages, decline questions and file choices.
class unattended : public provider {
public:
    button messageBox(const std::string&, const std::string&, buttons choice) override {
        return choice == buttons::ok ? button::ok : button::cancel;
    }
    std::optional<std::string> openFile(const fileDialog&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const fileDialog&) override { return std::nullopt; }
};

unattended fallback;
provider* current = nullptr;

provider& active() {
    return current ? *current : fallback;
}

} // namespace

provider* install(provider* p) {
    provider* previous = current;
    current = p;
    return previous;
}

button messageBox(const std::string& text, const std::string& caption, buttons choice) {
    return active().messageBox(text, caption, choice);
}

std::optional<std::string> openFile(const fileDialog& dialog) {
    return active().openFile(dialog);
}

std::optional<std::string> saveFile(const fileDialog& dialog) {
    return active().saveFile(dialog);
}

scripted& scripted::answer(button b) {
    answers.push_back(b);
    return *this;
}

scripted& scripted::choose(std::optional<std::string> path) {
    if (path && path->empty())
        path.reset();
    choices.push_back(std::move(path));
    return *this;
}

button scripted::messageBox(const std::string& text, const std::string& caption, buttons choice) {
    shownBoxes.push_back({text, caption, choice});
    // A plain message has only one answer and takes none from the script.
    if (choice == buttons::ok)
        return button::ok;
    if (nextAnswer < answers.size())
        return answers[nextAnswer++];
    return button::cancel;
}

std::optional<std::string> scripted::openFile(const fileDialog& dialog) {
    return nextFile(false, dialog);
}

std::optional<std::string> scripted::saveFile(const fileDialog& dialog) {
    return nextFile(true, dialog);
}

std::optional<std::string> scripted::nextFile(bool save, const fileDialog& dialog) {
    shownFiles.push_back({save, dialog});
    if (nextChoice < choices.size())
        return choices[nextChoice++];
    return std::nullopt;
}

} // namespace platform::dialogs
