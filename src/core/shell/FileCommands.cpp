#include "core/shell/FileCommands.h"

#include "core/base/Cp932Codec.h"
#include "core/base/OutputSink.h"
#include "core/base/Platform.h"
#include "core/base/SettingsStore.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"

namespace kardel {
namespace {

bool IsRecentId(int id) {
    return id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + FileCommands::kRecentCount;
}

} // namespace

bool FileCommands::OnUpdateCmd(CommandId id, CCmdUI& ui) {
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

bool FileCommands::OnCmdMsg(CommandId id) {
    if (IsRecentId(id)) {
        size_t index = static_cast<size_t>(id - ID_FILE_MRU_FILE1);
        if (index < m_recent.Entries().size()) {
            std::string path = m_recent.Entries()[index];
            OpenFile(path);
        }
        return true;
    }
    PlatformServices& platform = m_doc.platform();
    switch (id) {
    case ID_FILE_OPEN: {
        FileDialogRequest request;
        request.defaultExtension = "kdl";
        request.filter = texts::DocumentFilter();
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

bool FileCommands::SaveModified() {
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

void FileCommands::LoadRecentFiles(const std::vector<std::string>& stored) {
    m_recent.Load(stored);
    m_window.RecentFilesChanged(m_recent.Entries());
}

bool FileCommands::OpenFile(const std::string& path) {
    m_handedOver = false;
    if (!path.empty() && path == m_doc.m_strPathName) {
        m_window.BringForward();
        return true;
    }
    if (!SaveModified())
        return false;
    // An instance that holds the file takes over; this window closes, so that one file is
    // never edited in two.
    if (m_window.HandOverToRunningInstance(path)) {
        m_handedOver = true;
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

bool FileCommands::SaveTo(const std::string& path) {
    // A failure was shown; the old file is untouched and the document stays modified.
    if (!m_doc.DoSave(path))
        return false;
    m_recent.Add(m_doc.m_strPathName);
    m_window.RecentFilesChanged(m_recent.Entries());
    m_window.DocumentReplaced();
    return true;
}

void FileCommands::FileChangedElsewhere() {
    const std::string path = m_doc.m_strPathName;
    if (path.empty() || !m_doc.m_fileIdentity.known || m_noticedFor == m_doc.m_fileIdentity)
        return;
    const FileIdentity::State state = m_doc.m_fileIdentity.Verify(path);
    if (state == FileIdentity::State::Unchanged)
        return;
    m_noticedFor = m_doc.m_fileIdentity;
    IMessageBox& messages = m_doc.platform().messages;
    if (state == FileIdentity::State::Missing) {
        // This window now holds the only copy: closing it must ask, and a save writes the
        // file anew under its name.
        m_doc.SetModifiedFlag(true);
        messages.ShowInfo(
            Fill(Sjis("%1 は他のﾌﾟﾛｸﾞﾗﾑで削除または移動されました。\n"
                      "このｳｨﾝﾄﾞｳの内容は保存されていないものとして扱い、閉じるときに保存するかどうかを確認します。"),
                 {m_doc.m_strTitle}));
        return;
    }
    if (m_doc.HasUnsavedChanges()) {
        messages.ShowInfo(
            Fill(Sjis("%1 は他のﾌﾟﾛｸﾞﾗﾑで変更されました。\n"
                      "このｳｨﾝﾄﾞｳの変更はまだ保存されていません。保存するときに、上書きするかどうかを確認します。"),
                 {m_doc.m_strTitle}));
        return;
    }
    std::string question = Fill(Sjis("%1 は他のﾌﾟﾛｸﾞﾗﾑで変更されました。\n読み込み直しますか?"), {m_doc.m_strTitle});
    // The answer may take a while; only an unchanged document may be replaced.
    if (messages.AskYesNo(question) == IMessageBox::Answer::Yes && !m_doc.HasUnsavedChanges())
        Reload();
    else // the file no longer holds what the window shows: closing must ask
        m_doc.SetModifiedFlag(true);
}

bool FileCommands::Reload() {
    const std::string path = m_doc.m_strPathName;
    // The outline as it stands, kept until the file has been read: a file that no longer
    // reads (cut short, half written, not a document) must not take it along.
    MemoryOutput shown;
    if (!m_doc.StoreTo(shown))
        return false;
    const FileIdentity identity = m_doc.m_fileIdentity;
    m_window.BeginLoad();
    FileResult result = m_doc.OnOpenDocument(path);
    if (!result.ok) // modified: the file no longer holds it, and a save asks before replacing
        m_doc.RestoreRecovered(shown.bytes(), path, identity);
    m_window.DocumentReplaced();
    if (!result.ok)
        m_doc.platform().messages.ShowError(result.message);
    return result.ok;
}

bool FileCommands::Save() {
    if (m_doc.m_strPathName.empty())
        return SaveAs();
    return SaveTo(m_doc.m_strPathName);
}

bool FileCommands::SaveAs() {
    std::optional<std::string> path = m_doc.AskSaveAsPath();
    if (!path)
        return false;
    return SaveTo(*path);
}

} // namespace kardel
