#pragma once
#include "core/base/Clock.h"
#include "core/base/SettingsStore.h"
#include "core/base/IDialogs.h"

#include <cstdint>
#include <optional>
#include <string>

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
struct FrameGeometry {
    std::int32_t top = 0, left = 0, bottom = 0, right = 0;
    std::int32_t treeWidth = 145;
};

// What the core asks of the main frame.
class IMainFrame {
public:
    enum class Pane { TreeView, FindView, TitleStrip, MemoView };
    virtual ~IMainFrame() = default;
    virtual FrameGeometry GetPlacement() const = 0;
    virtual void ApplyPlacement(const FrameGeometry& placement) = 0;
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

// Every platform service the rules reach, handed to the document once.
struct PlatformServices {
    ISettingsStore& settings;
    IMainFrame& frame;
    IMessageBox& messages;
    IFileDialogs& fileDialogs;
    IShell& shell;
    IDialogs& dialogs;
};

} // namespace kardel
