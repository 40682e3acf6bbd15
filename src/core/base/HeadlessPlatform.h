#pragma once
#include "core/base/Platform.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kardel {

// Scripted stand-ins for every platform service: the CLI and the tests play the
// user through them.

// No window: the placement is carried over as read, everything else does nothing.
class HeadlessFrame : public IMainFrame {
public:
    FrameGeometry GetPlacement() const override { return m_placement; }
    void ApplyPlacement(const FrameGeometry& placement) override { m_placement = placement; }
    void SaveBarState() override {}
    void SetFindViewHeight(int height) override { m_findViewHeight = height; }
    void SetTitleStripTall(bool tall) override { m_titleStripTall = tall; }
    void ShowMemoContextMenu(int, int) override {}
    void ActivatePane(Pane pane) override { m_active = pane; }
    Pane ActivePane() const override { return m_active; }
    void SetDefinitionIcon(int definition, const std::string& iconFile) override {
        m_definitionIcons.emplace_back(definition, iconFile);
    }

    FrameGeometry m_placement;
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

// No window: a dialog without a scripted answer is cancelled. Tests and the CLI
// set the hooks to play the user.
class HeadlessDialogs : public IDialogs {
public:
    bool MemoProperties(MemoPropValues& values, const CDocOptions& options) override {
        return onMemoProperties ? onMemoProperties(values, options) : false;
    }
    bool FindSheet(CFindCondition& target, const CDocOptions& options, bool restrictedScope) override {
        return onFindSheet ? onFindSheet(target, options, restrictedScope) : false;
    }
    std::optional<int> StdFindChoice(const CDocOptions& options, int lastChosen) override {
        return onStdFindChoice ? onStdFindChoice(options, lastChosen) : std::nullopt;
    }
    std::optional<SubtreeExportChoice> SubtreeExport(const std::string& initialName, bool titleOnly,
                                                     bool viewOnly) override {
        return onSubtreeExport ? onSubtreeExport(initialName, titleOnly, viewOnly) : std::nullopt;
    }
    bool OptionsSheet(CKardelDoc& doc) override { return onOptionsSheet ? onOptionsSheet(doc) : false; }
    void AboutBox() override { ++m_aboutShown; }

    std::function<bool(MemoPropValues&, const CDocOptions&)> onMemoProperties;
    std::function<bool(CFindCondition&, const CDocOptions&, bool)> onFindSheet;
    std::function<std::optional<int>(const CDocOptions&, int)> onStdFindChoice;
    std::function<std::optional<SubtreeExportChoice>(const std::string&, bool, bool)> onSubtreeExport;
    std::function<bool(CKardelDoc&)> onOptionsSheet;
    int m_aboutShown = 0;
};

} // namespace kardel
