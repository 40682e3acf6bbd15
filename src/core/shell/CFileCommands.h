#pragma once
#include "model/FileResult.h"
#include "shell/CCmdTarget.h"
#include "shell/CRecentFileList.h"

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

// The framework's file commands: open, save, save as, close, the recent files and printer
// set-up. (New is the document's: it starts another process.)
class CFileCommands : public CCmdTarget {
public:
    CFileCommands(CKardelDoc& doc, IAppWindow& window) : m_doc(doc), m_window(window) {}

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

    CRecentFileList& recentFiles() { return m_recent; }
    // Takes the stored recent files at start-up; the window's menu, its prompts and the
    // open action all follow the cleaned list that results.
    void LoadRecentFiles(const std::vector<std::string>& stored);
    // Whether the last OpenFile handed the path to another instance.
    bool HandedOver() const { return m_bHandedOver; }

    static constexpr int kRecentCount = 4;

private:
    bool SaveTo(const std::string& path);

    CKardelDoc& m_doc;
    IAppWindow& m_window;
    CRecentFileList m_recent;
    bool m_bHandedOver = false;
};

} // namespace kardel
