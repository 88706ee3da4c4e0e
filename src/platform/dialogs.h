#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Message boxes and file dialogs. Program code calls the free functions; the window
// program installs its Qt realisation (owned by whatever window is active), tests
// install a `scripted` one. With nothing installed the calls run unattended: plain
// messages are acknowledged, questions are answered Cancel, file dialogs are cancelled.
namespace platform::dialogs {

// okCancelWarning: a warning with OK and Cancel, where Cancel is the default (Enter
// does not go ahead by accident).
enum class buttons { ok, okCancel, okCancelWarning };
enum class button { ok, cancel };

struct fileFilter {
    std::string description; // "Marlovan Settings Files (*.jxc)"
    std::string pattern;     // "*.jxc"
};

struct fileDialog {
    std::vector<fileFilter> filters;
    std::string defaultSuffix; // appended when the chosen name has none, without the dot
    bool mustExist = false;    // open dialogs: only existing files can be chosen
};

class provider {
public:
    virtual ~provider() = default;
    virtual button messageBox(const std::string& text, const std::string& caption,
                              buttons choice) = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> openFile(const fileDialog& dialog) = 0;
    virtual std::optional<std::string> saveFile(const fileDialog& dialog) = 0;
};

// Makes `p` the provider of every later call (null restores the unattended one) and
// returns the one installed before. The caller keeps ownership.
provider* install(provider* p);

button messageBox(const std::string& text, const std::string& caption,
                  buttons choice = buttons::ok);
std::optional<std::string> openFile(const fileDialog& dialog);
std::optional<std::string> saveFile(const fileDialog& dialog);

// Answers from a script, in order, and a record of everything shown. Questions
// (OK/Cancel boxes) take the next answer; plain OK boxes take none. Past the end of
// the script questions are answered Cancel and file dialogs are cancelled, so a test
// that forgot an answer fails on its assertions instead of hanging.
class scripted : public provider {
public:
    struct shownBox {
        std::string text;
        std::string caption;
        buttons choice;
    };
    struct shownFileDialog {
        bool save;
        fileDialog dialog;
    };

    // The next question answers `b`.
    scripted& answer(button b);
    // The next file dialog returns `path`, or is cancelled when it is empty.
    scripted& choose(std::optional<std::string> path);

    button messageBox(const std::string& text, const std::string& caption, buttons choice) override;
    std::optional<std::string> openFile(const fileDialog& dialog) override;
    std::optional<std::string> saveFile(const fileDialog& dialog) override;

    const std::vector<shownBox>& boxes() const { return shownBoxes; }
    const std::vector<shownFileDialog>& fileDialogs() const { return shownFiles; }
    // Script entries not used yet.
    std::size_t unusedAnswers() const { return answers.size() - nextAnswer; }
    std::size_t unusedChoices() const { return choices.size() - nextChoice; }

private:
    std::optional<std::string> nextFile(bool save, const fileDialog& dialog);

    std::vector<button> answers;
    std::size_t nextAnswer = 0;
    std::vector<std::optional<std::string>> choices;
    std::size_t nextChoice = 0;
    std::vector<shownBox> shownBoxes;
    std::vector<shownFileDialog> shownFiles;
};

// Installs a provider for the lifetime of the guard and puts the previous one back.
class installGuard {
public:
    explicit installGuard(provider& p) : previous(install(&p)) {}
    ~installGuard() { install(previous); }
    installGuard(const installGuard&) = delete;
    installGuard& operator=(const installGuard&) = delete;

private:
    provider* previous;
};

} // namespace platform::dialogs
