#pragma once
#include "core/base/CCmdTarget.h"
#include "core/base/CView.h"
#include "core/base/FileIdentity.h"
#include "core/base/FileResult.h"
#include "core/model/CDocOptions.h"
#include "core/model/CMemoItem.h"
#include "core/model/UndoHistory.h"
#include "core/search/CFindCondition.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kardel {

class CArchive;
class IOutput;
struct PlatformServices;
class IMainFrame;
class ISettingsStore;
class CKdListView;
class CTitleView;
class CKdEditView;
class CKdTreeView;

// The application object's one piece of state the readers consult.
struct CKardelApp {
    std::int32_t m_nFileVersion = 0;
};

// The document: owns every memo, the memo clipboard, the current memo, the
// current search and the options, and broadcasts update hints to its views.
class CKardelDoc : public CCmdTarget {
public:
    CKardelDoc(CKardelApp& app, PlatformServices& platform);
    ~CKardelDoc();

    // The panes in view-list order: FindView, title strip, MemoView, TreeView.
    void AttachViews(CKdListView* findView, CTitleView* titleView, CKdEditView* memoView, CKdTreeView* treeView);
    CKdTreeView* TreeView() const { return m_treeView; }
    CKdEditView* MemoView() const { return m_memoView; }
    CKdListView* FindView() const { return m_findView; }
    CTitleView* TitleView() const { return m_titleView; }

    void UpdateAllViews(CView* sender, int hint, CMemoItem* memo = nullptr);

    // Document-level commands: the document's own first, then each added handler
    // (search, exports) in the order added.
    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;
    void AddCommandHandler(CCmdTarget* handler) { m_commandHandlers.push_back(handler); }

    // The memos in array order (index = tree item value). Only the document's own
    // operations add, remove or reorder them, so that an index, its tree item and the
    // memo's m_hTreeItem stay bound.
    std::span<const std::unique_ptr<CMemoItem>> Memos() const { return m_arrMemos; }
    void ReserveMemos(size_t count) { m_arrMemos.reserve(count); }
    // The current memo: the one the tree's caret is on.
    std::int32_t CurMemo() const { return m_nCurMemo; }
    CMemoItem* CurrentMemo() const { return Memo(m_nCurMemo); }
    void SetCurMemo(std::int32_t index) { m_nCurMemo = index; }
    // The memo clipboard: copies of what was copied or cut, in tree order, and beside each
    // its source and parent entry.
    const std::vector<std::unique_ptr<CMemoItem>>& Clip() const { return m_arrClip; }
    const std::vector<ClipLink>& ClipLinks() const { return m_clipLinks; }
    void AppendClip(std::unique_ptr<CMemoItem> entry, ClipLink link) {
        m_arrClip.push_back(std::move(entry));
        m_clipLinks.push_back(link);
    }
    // The ids of the items clipboard entries were copied from and that may still exist; a
    // deletion that takes one of them empties the clipboard. Cut entries name none.
    std::unordered_set<std::uint64_t> LivingClipSources() const {
        std::unordered_set<std::uint64_t> sources;
        for (const ClipLink& link : m_clipLinks)
            if (link.source != 0)
                sources.insert(link.source);
        return sources;
    }
    // The sources were cut: no deletion may empty the clipboard now.
    void ForgetClipSources() {
        for (ClipLink& link : m_clipLinks)
            link.source = 0;
    }

    CFindCondition m_findCond;
    CDocOptions m_options;
    std::int32_t m_nStdFind = 1;

    // What every document has: its title, its file and whether it changed since saved.
    std::string m_strTitle;    // cp932; "無題" until opened or saved
    std::string m_strPathName; // file system path
    bool IsModified() const { return m_bModified; }
    // Marking the document modified outside an edit step means the saved state can no
    // longer be reached by undo; clearing the flag marks the present state as saved.
    void SetModifiedFlag(bool modified = true);
    void SetModifiedFlagOnly(bool modified) { m_bModified = modified; }

    // The outline's undo and redo history; every memo command records one step.
    UndoHistory& History() { return m_history; }
    // Fields of `memo` are about to change (a step records their old values).
    void WillChangeMemo(CMemoItem& memo) { m_history.WillChangeMemo(memo); }
    // Empties the memo clipboard (a step keeps what it held).
    void ClearClip();
    // Modified, or MemoView holds typed text not yet stored into its memo.
    bool HasUnsavedChanges() const;
    // The file as the document read or last wrote it; unknown for a new document.
    FileIdentity m_fileIdentity;
    // Where a save keeps the version it replaces; empty keeps none (headless use).
    std::string m_backupFolder;

    CMemoItem* Memo(std::int32_t index) const {
        return index >= 0 && static_cast<size_t>(index) < m_arrMemos.size() ? m_arrMemos[index].get() : nullptr;
    }
    CMemoItem* AppendMemo(std::unique_ptr<CMemoItem> memo);
    // Destroys the memos at the given indices (taken before any of them is removed)
    // and compacts the array in one pass: every surviving memo's tree item, parent
    // index and the current memo index follow the new indices, and a MemoView
    // showing a destroyed memo forgets it.
    void RemoveMemos(std::vector<std::int32_t> indices);

    bool OnNewDocument();
    void DeleteContents();
    FileResult OnOpenDocument(const std::string& path);
    FileResult OnSaveDocument(const std::string& path);
    // The user's save to `path`: when it is the file the document read or last wrote and
    // something else has changed that file since, asks first whether to overwrite it, save
    // under another name or cancel. A failure is shown. True when saved; m_strPathName then
    // names the file written.
    // The save-as file dialog over this document's title; nothing when cancelled.
    std::optional<std::string> AskSaveAsPath();
    bool DoSave(const std::string& path);
    // Replaces the contents with a recovered copy of the document at `originalPath` (empty
    // for one never saved) whose file looked like `identity` when the copy was written. The
    // document stays modified, so the user decides whether to save.
    FileResult RestoreRecovered(std::string_view bytes, const std::string& originalPath, const FileIdentity& identity);

    // Whole-file reading and writing, without the open/save steps around them.
    // A failed load leaves a new, untitled document.
    FileResult LoadFromBytes(std::string_view bytes);
    // The same from a file, read a piece of `pieceBytes` at a time (never whole in memory);
    // `hash`, when given, receives the content hash of the whole file as it was read.
    FileResult ReadFromFile(const std::string& path, std::uint64_t* hash = nullptr,
                            size_t pieceBytes = size_t(1) << 20);
    void Serialize(CArchive& ar);
    bool StoreTo(IOutput& output);

    // Asked before the document is closed or replaced; false cancels the close.
    bool SaveModified();
    // Memo commands of the document.
    void CreateMemoWithDialog();
    void CreateUntitledMemo();
    void EditCurrentMemoProperties();
    // Merges the file at `path` (a document, an OPML outline or Markdown) below the
    // selected memo. The whole file is read and checked first; a failure is returned
    // and leaves the document as it was.
    FileResult ImportFile(const std::string& path);
    // Characters the last successful import stored as '?' (cp932 cannot hold them).
    size_t m_lastImportReplaced = 0;
    // "Shift-JISで表せない文字%1個を「?」に置き換えました。" with the count filled in.
    static std::string ReplacedCharactersText(size_t count);
    void OnImport();

    void AddSelItem(std::string_view item);
    void ClearFoundMarks();
    CKardelApp& app() const { return m_app; }
    PlatformServices& platform() const { return m_platform; }
    ISettingsStore& settings() const;
    IMainFrame& frame() const;

    // ---- Search ----
    // Runs m_findCond over its scope, records the outcome in the found flags, sends
    // hint 6 and lets FindView take its after-search step.
    void RunSearch();

private:
    friend class UndoHistory; // puts memos, the clipboard and the current memo back

    std::vector<std::unique_ptr<CMemoItem>> m_arrMemos;
    std::vector<std::unique_ptr<CMemoItem>> m_arrClip;
    std::vector<ClipLink> m_clipLinks; // beside m_arrClip: few memos are ever in the clipboard
    std::int32_t m_nCurMemo = 0;

    bool OnUpdateOwnCmd(CommandId id, CCmdUI& ui);
    bool OnOwnCmdMsg(CommandId id);
    void ReadHeader(CArchive& ar);
    FileResult LoadFromArchive(CArchive& ar);
    void SetRootTitleFromPath(const std::string& path);

    CKardelApp& m_app;
    PlatformServices& m_platform;
    bool m_bModified = false;
    std::vector<CView*> m_views;
    std::vector<CCmdTarget*> m_commandHandlers;
    CKdListView* m_findView = nullptr;
    CTitleView* m_titleView = nullptr;
    CKdEditView* m_memoView = nullptr;
    CKdTreeView* m_treeView = nullptr;
    UndoHistory m_history{*this};
};

} // namespace kardel
