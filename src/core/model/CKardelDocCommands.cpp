// The document's own commands: creating memos, their properties, import, a new
// window, and the question asked before the document is closed or replaced.
#include "core/base/Cp932Codec.h"
#include "core/base/Platform.h"
#include "core/base/SafeFile.h"
#include "core/base/SettingsStore.h"
#include "core/base/Texts.h"
#include "core/exchange/ImportReader.h"
#include "core/model/CKardelDoc.h"
#include "core/model/ImportSource.h"
#include "core/shell/CommandTable.h"
#include "core/tree/CKdTreeView.h"

#include <optional>

namespace kardel {

bool CKardelDoc::OnUpdateOwnCmd(CommandId id, CCmdUI& ui) {
    TreeItem* caret = m_treeView ? m_treeView->Tree().GetCaret() : nullptr;
    TreeItem* trash = m_treeView ? m_treeView->m_hTrash : nullptr;
    switch (id) {
    case ID_MEMO_CREATE: // while the TreeView is active it answers first
    case ID_IMPORT:
    case ID_FILE_NEW:
        ui.enabled = true;
        return true;
    case ID_MEMO_CREATE_UNTITLED:
        ui.enabled = caret && caret != trash;
        return true;
    case ID_MEMO_PROPERTY:
        ui.enabled = caret && caret != trash && caret != m_treeView->Tree().GetRoot();
        return true;
    case ID_MEMO_UNDO:
    case ID_MEMO_REDO: {
        bool undo = id == ID_MEMO_UNDO;
        ui.enabled = undo ? m_history.CanUndo() : m_history.CanRedo();
        ui.text = CommandTable::PlainText(id);
        if (ui.enabled)
            ui.text += ": " + (undo ? m_history.UndoName() : m_history.RedoName());
        return true;
    }
    default:
        return false;
    }
}

bool CKardelDoc::OnOwnCmdMsg(CommandId id) {
    std::optional<UndoHistory::Scope> step;
    if (id == ID_MEMO_CREATE || id == ID_MEMO_CREATE_UNTITLED || id == ID_MEMO_PROPERTY || id == ID_IMPORT)
        step.emplace(*this, CommandTable::PlainText(id));
    switch (id) {
    case ID_MEMO_UNDO:
        m_history.Undo();
        return true;
    case ID_MEMO_REDO:
        m_history.Redo();
        return true;
    case ID_MEMO_CREATE:
        CreateMemoWithDialog();
        return true;
    case ID_MEMO_CREATE_UNTITLED:
        CreateUntitledMemo();
        return true;
    case ID_MEMO_PROPERTY:
        EditCurrentMemoProperties();
        return true;
    case ID_IMPORT:
        OnImport();
        return true;
    case ID_FILE_NEW:
        m_platform.shell.StartNewInstance();
        return true;
    default:
        return false;
    }
}

// The memo joins the array only once the dialog is confirmed, so a cancelled
// dialog leaves nothing behind and no memo is ever without its tree item.
void CKardelDoc::CreateMemoWithDialog() {
    auto memo = std::make_unique<CMemoItem>(KindMemo);
    MemoPropValues values = memo->ToDialog();
    if (!m_platform.dialogs.MemoProperties(values, m_options))
        return;
    SetModifiedFlag();
    memo->FromDialog(values);
    UpdateAllViews(nullptr, HintMemoCreated, AppendMemo(std::move(memo)));
}

void CKardelDoc::CreateUntitledMemo() {
    UpdateAllViews(nullptr, HintMemoCreated, AppendMemo(std::make_unique<CMemoItem>(KindMemo)));
}

void CKardelDoc::EditCurrentMemoProperties() {
    CMemoItem* memo = Memo(m_nCurMemo);
    if (!memo || m_nCurMemo == 0 || IsTrashKind(memo->m_nKind))
        return;
    MemoPropValues values = memo->ToDialog();
    if (!m_platform.dialogs.MemoProperties(values, m_options))
        return;
    SetModifiedFlag();
    WillChangeMemo(*memo);
    // A folder keeps its kind whatever the dialog returns: it still has children.
    if (IsFolderKind(memo->m_nKind))
        values.m_nKindIndex = CMemoItem::KindToDialogIndex(memo->m_nKind);
    memo->FromDialog(values);
    AddSelItem(memo->m_strSelItem);
    UpdateAllViews(nullptr, HintMemoChanged, memo);
}

void CKardelDoc::OnImport() {
    FileDialogRequest request;
    request.defaultExtension = "kdl";
    request.filter = "Kardel Files (*.kdl)|*.kdl|All Files (*.*)|*.*||";
    std::optional<std::string> path = m_platform.fileDialogs.Run(request);
    if (!path)
        return;
    if (FileResult result = ImportFile(*path); !result.ok)
        m_platform.messages.ShowError(result.message);
    else if (m_lastImportReplaced > 0)
        m_platform.messages.ShowInfo(ReplacedCharactersText(m_lastImportReplaced));
}

std::string CKardelDoc::ReplacedCharactersText(size_t count) {
    std::string text = Fill(Sjis("Shift-JISで表せない文字%1個を「?」に置き換えました。"), {std::to_string(count)});
    return text;
}

FileResult CKardelDoc::ImportFile(const std::string& path) {
    m_lastImportReplaced = 0;
    TreeItem* target = m_treeView ? m_treeView->Tree().GetCaret() : nullptr;
    if (!target)
        return FileResult::Failure(texts::BadFileFormat());
    ImportSource source;
    size_t replaced = 0;
    if (FileResult checked = ReadImportFile(path, source, replaced); !checked.ok)
        return checked;
    m_app.m_nFileVersion = source.m_nFileVersion;
    auto base = static_cast<std::int32_t>(m_arrMemos.size());
    m_arrMemos.reserve(m_arrMemos.size() + source.m_arrMemos.size());
    for (auto& memo : source.m_arrMemos) {
        AddSelItem(memo->m_strSelItem);
        AppendMemo(std::move(memo));
    }
    m_treeView->MergeImportedTree(source.m_tree, base);
    m_lastImportReplaced = replaced;
    return FileResult::Success();
}

bool CKardelDoc::SaveModified() {
    UpdateAllViews(nullptr, HintStoreText, Memo(m_nCurMemo));
    frame().SaveBarState();
    if (!IsModified())
        return true;
    bool autoSave = AppSettings(settings()).Get(AppSettings::kAutoSave) != 0;
    if (autoSave && m_strTitle != texts::Untitled() && !m_strPathName.empty())
        return DoSave(m_strPathName);
    std::string question = Fill(Sjis("%1 への変更を保存しますか?"), {m_strTitle});
    switch (m_platform.messages.AskYesNoCancel(question)) {
    case IMessageBox::Answer::No:
        return true;
    case IMessageBox::Answer::Yes: {
        std::string path = m_strPathName;
        if (path.empty()) {
            std::optional<std::string> chosen = AskSaveAsPath();
            if (!chosen)
                return false;
            path = *chosen;
        }
        return DoSave(path);
    }
    default:
        return false;
    }
}

} // namespace kardel
