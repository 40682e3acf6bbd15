#pragma once
#include "model/Clock.h"
#include "model/SettingsStore.h"
#include "shell/IDialogs.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kardel {

// Platform services that the rules call. The Qt skin implements them; tests and
// the CLI use scripted fakes. Texts are cp932 unless a name says otherwise;
// paths are file system (UTF-8) strings.

class IMessageBox {
public:
    enum class Answer { Yes, No, Cancel, Ok };
    virtual ~IMessageBox() = default;
    virtual Answer AskYesNo(const std::string& text) = 0;
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    virtual void ShowError(const std::string& text) = 0;
    virtual void ShowInfo(const std::string& text) = 0;
};

struct FileDialogRequest {
    bool save = false;
    std::string defaultExtension; // without the dot
    std::string initialName;      // cp932, as the rules give it
    std::string filter;           // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"
    bool confirmOverwrite = false;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> Run(const FileDialogRequest& request) = 0;
};

class IShell {
public:
    virtual ~IShell() = default;
    // The desktop's "open" action on a URL or "mailto:" address (cp932 text). Failure is ignored.
    virtual void Open(const std::string& target) = 0;
    // Starts another copy of the program with no arguments.
    virtual void StartNewInstance() = 0;
};

// Where the frame keeps its window: the document file's last section.
struct CFramePlacement {
    std::int32_t top = 0, left = 0, bottom = 0, right = 0;
    std::int32_t treeWidth = 145;
};

// What the core asks of the main frame.
class IMainFrame {
public:
    enum class Pane { TreeView, FindView, TitleStrip, MemoView };
    virtual ~IMainFrame() = default;
    virtual CFramePlacement GetPlacement() const = 0;
    virtual void ApplyPlacement(const CFramePlacement& placement) = 0;
    virtual void SaveBarState() = 0;
    virtual void SetFindViewHeight(int height) = 0;
    virtual void SetTitleStripTall(bool tall) = 0;
    virtual void ShowMemoContextMenu(int screenX, int screenY) = 0;
    virtual void ActivatePane(Pane pane) = 0;
    virtual Pane ActivePane() const = 0;
    // Replaces entry 4 + `definition` (1..5) of the shared icon list with the small
    // icon of `iconFile` (cp932), or with the built-in one when the file gives none.
    virtual void SetDefinitionIcon(int /*definition*/, const std::string& /*iconFile*/) {}
};

// No window: the placement is carried over as read, everything else does nothing.
class HeadlessFrame : public IMainFrame {
public:
    CFramePlacement GetPlacement() const override { return m_placement; }
    void ApplyPlacement(const CFramePlacement& placement) override { m_placement = placement; }
    void SaveBarState() override {}
    void SetFindViewHeight(int height) override { m_findViewHeight = height; }
    void SetTitleStripTall(bool tall) override { m_titleStripTall = tall; }
    void ShowMemoContextMenu(int, int) override {}
    void ActivatePane(Pane pane) override { m_active = pane; }
    Pane ActivePane() const override { return m_active; }
    void SetDefinitionIcon(int definition, const std::string& iconFile) override {
        m_definitionIcons.emplace_back(definition, iconFile);
    }

    CFramePlacement m_placement;
    std::vector<std::pair<int, std::string>> m_definitionIcons; // every icon reload, in order
    int m_findViewHeight = 0;
    bool m_titleStripTall = true;
    Pane m_active = Pane::TreeView;
};

// Headless stand-ins: questions get a fixed answer (Yes unless set), messages are
// kept for the caller to read, file dialogs are cancelled and the shell records.
class HeadlessMessageBox : public IMessageBox {
public:
    Answer AskYesNo(const std::string& text) override { return Ask(text); }
    Answer AskYesNoCancel(const std::string& text) override { return Ask(text); }
    void ShowError(const std::string& text) override { m_shown.push_back(text); }
    void ShowInfo(const std::string& text) override { m_shown.push_back(text); }

    Answer m_answer = Answer::Yes;
    std::vector<std::string> m_asked;
    std::vector<std::string> m_shown;

private:
    Answer Ask(const std::string& text) {
        m_asked.push_back(text);
        return m_answer;
    }
};

class HeadlessFileDialogs : public IFileDialogs {
public:
    std::optional<std::string> Run(const FileDialogRequest& request) override {
        m_requests.push_back(request);
        if (m_answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = m_answers.front();
        m_answers.erase(m_answers.begin());
        return answer;
    }
    std::vector<std::optional<std::string>> m_answers; // given out in order, then Cancel
    std::vector<FileDialogRequest> m_requests;
};

class HeadlessShell : public IShell {
public:
    void Open(const std::string& target) override { m_opened.push_back(target); }
    void StartNewInstance() override { ++m_started; }
    std::vector<std::string> m_opened;
    int m_started = 0;
};

// Every platform service the rules reach, handed to the document once.
struct CPlatform {
    ISettingsStore& settings;
    IMainFrame& frame;
    IMessageBox& messages;
    IFileDialogs& fileDialogs;
    IShell& shell;
    IDialogs& dialogs;
};

} // namespace kardel
