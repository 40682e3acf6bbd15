#pragma once
#include "core/base/CCmdTarget.h"
#include "core/base/FileIdentity.h"
#include "core/base/FileResult.h"
#include "core/shell/CRecentFileList.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kardel {

class CKardelDoc;

// What the application asks of the window around it.
class IAppWindow {
public:
    virtual ~IAppWindow() = default;
    // Ends the program's window (after the document agreed to close).
    virtual void CloseWindow() = 0;
    virtual void PrinterSetup() = 0;
    // Offers `path` to a running instance; true when one holds it and has come forward.
    virtual bool HandOverToRunningInstance(const std::string& path) = 0;
    // The recent-file list changed: store it and rebuild the menu.
    virtual void RecentFilesChanged(const std::vector<std::string>& entries) = 0;
    // The document asked for is the one already open: only bring the window forward.
    virtual void BringForward() = 0;
    // A file is about to replace the document's contents.
    virtual void BeginLoad() = 0;
    // The document was replaced (opened, whether or not that worked) or saved, perhaps
    // under a new name. Called before any error is shown.
    virtual void DocumentReplaced() = 0;
};

// The file menu's commands: open, save, save as, close, the recent files and printer
// set-up. (New is the document's: it starts another process.)
class FileCommands : public CCmdTarget {
public:
    FileCommands(CKardelDoc& doc, IAppWindow& window) : m_doc(doc), m_window(window) {}

    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

    // Opening from the command line, the recent list or the open dialog. The document already
    // open is only brought forward (true), never asked about or reloaded. False when the
    // file was handed to another instance, could not be read (reported), or the user
    // cancelled closing the current document.
    bool OpenFile(const std::string& path);
    bool Save();
    bool SaveAs();
    // The document's save question before it is closed or replaced; false cancels.
    bool SaveModified();

    // Something may have changed the document's file (the window's watcher saw it). When it
    // really did: without unsaved changes the user is offered to read it again; with them the
    // user is told, once, and the save will ask before overwriting.
    void FileChangedElsewhere();
    // Reads the document's file again in place of the contents; a failure is shown.
    bool Reload();

    CRecentFileList& recentFiles() { return m_recent; }
    // Takes the stored recent files at start-up; the window's menu, its prompts and the
    // open action all follow the cleaned list that results.
    void LoadRecentFiles(const std::vector<std::string>& stored);
    // Whether the last OpenFile handed the path to another instance.
    bool HandedOver() const { return m_handedOver; }

    static constexpr int kRecentCount = 4;

private:
    bool SaveTo(const std::string& path);

    CKardelDoc& m_doc;
    IAppWindow& m_window;
    CRecentFileList m_recent;
    bool m_handedOver = false;
    // The record the last notice of an outside change was about: one notice per record.
    std::optional<FileIdentity> m_noticedFor;
};

} // namespace kardel
