#include "shell/CFileCommands.h"

#include "model/CKardelDoc.h"
#include "model/Cp932Codec.h"
#include "model/SettingsStore.h"
#include "model/Texts.h"
#include "shell/Platform.h"

namespace kardel {
namespace {

const std::string& DocumentFilter() {
    return Sjis("Kardel ﾌｧｲﾙ (*.kdl)|*.kdl|すべてのﾌｧｲﾙ (*.*)|*.*||");
}

bool IsRecentId(int id) {
    return id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + CFileCommands::kRecentCount;
}

} // namespace

bool CFileCommands::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    if (IsRecentId(id)) {
        ui.enabled = static_cast<size_t>(id - ID_FILE_MRU_FILE1) < m_recent.Entries().size();
        return true;
    }
    switch (id) {
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_FILE_CLOSE:
    case ID_FILE_PRINT_SETUP:
        ui.enabled = true;
        return true;
    default:
        return false;
    }
}

bool CFileCommands::OnCmdMsg(CommandId id) {
    if (IsRecentId(id)) {
        size_t index = static_cast<size_t>(id - ID_FILE_MRU_FILE1);
        if (index < m_recent.Entries().size()) {
            std::string path = m_recent.Entries()[index];
            OpenFile(path);
        }
        return true;
    }
    CPlatform& platform = m_doc.platform();
    switch (id) {
    case ID_FILE_OPEN: {
        FileDialogRequest request;
        request.defaultExtension = "kdl";
        request.filter = DocumentFilter();
        if (std::optional<std::string> path = platform.fileDialogs.Run(request))
            OpenFile(*path);
        return true;
    }
    case ID_FILE_SAVE:
        Save();
        return true;
    case ID_FILE_SAVE_AS:
        SaveAs();
        return true;
    case ID_FILE_CLOSE:
        if (SaveModified())
            m_window.CloseWindow();
        return true;
    case ID_FILE_PRINT_SETUP:
        m_window.PrinterSetup();
        return true;
    default:
        return false;
    }
}

bool CFileCommands::SaveModified() {
    const bool wasModified = m_doc.IsModified();
    if (!m_doc.SaveModified())
        return false;
    // A save on the way (asked or automatic) names the file: it joins the recent files.
    if (wasModified && !m_doc.IsModified() && !m_doc.m_strPathName.empty()) {
        m_recent.Add(m_doc.m_strPathName);
        m_window.RecentFilesChanged(m_recent.Entries());
    }
    return true;
}

void CFileCommands::LoadRecentFiles(const std::vector<std::string>& stored) {
    m_recent.Load(stored);
    m_window.RecentFilesChanged(m_recent.Entries());
}

bool CFileCommands::OpenFile(const std::string& path) {
    m_bHandedOver = false;
    if (!path.empty() && path == m_doc.m_strPathName) {
        m_window.BringForward();
        return true;
    }
    if (!SaveModified())
        return false;
    // An instance that holds the file takes over; this one closes, as the framework would.
    if (m_window.HandOverToRunningInstance(path)) {
        m_bHandedOver = true;
        m_window.CloseWindow();
        return false;
    }
    m_window.BeginLoad();
    FileResult result = m_doc.OnOpenDocument(path);
    m_window.DocumentReplaced();
    if (!result.ok) {
        m_doc.platform().messages.ShowError(result.message);
        m_recent.Remove(path);
        m_window.RecentFilesChanged(m_recent.Entries());
        return false;
    }
    m_recent.Add(path);
    m_window.RecentFilesChanged(m_recent.Entries());
    return true;
}

bool CFileCommands::SaveTo(const std::string& path) {
    FileResult result = m_doc.OnSaveDocument(path);
    if (!result.ok) {
        // The old file is untouched and the document stays modified.
        m_doc.platform().messages.ShowError(result.message);
        return false;
    }
    m_recent.Add(path);
    m_window.RecentFilesChanged(m_recent.Entries());
    m_window.DocumentReplaced();
    return true;
}

bool CFileCommands::Save() {
    if (m_doc.m_strPathName.empty())
        return SaveAs();
    return SaveTo(m_doc.m_strPathName);
}

bool CFileCommands::SaveAs() {
    FileDialogRequest request;
    request.save = true;
    request.defaultExtension = "kdl";
    request.filter = DocumentFilter();
    request.initialName = m_doc.m_strTitle;
    request.confirmOverwrite = true;
    std::optional<std::string> path = m_doc.platform().fileDialogs.Run(request);
    if (!path)
        return false;
    return SaveTo(*path);
}

} // namespace kardel
