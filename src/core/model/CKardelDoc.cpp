#include "core/model/CKardelDoc.h"

#include "core/base/Archive.h"
#include "core/base/Cp932Codec.h"
#include "core/base/FileSystem.h"
#include "core/base/OutputSink.h"
#include "core/base/Platform.h"
#include "core/base/SafeFile.h"
#include "core/base/Texts.h"
#include "core/model/BackupRotation.h"
#include "core/model/LargeMemory.h"
#include "core/search/CKdListView.h"
#include "core/shell/CKdEditView.h"
#include "core/tree/CKdTreeView.h"
#include "core/tree/CTitleView.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace kardel {
CKardelDoc::CKardelDoc(CKardelApp& app, PlatformServices& platform)
    : m_strTitle(texts::Untitled()), m_app(app), m_platform(platform) {}

ISettingsStore& CKardelDoc::settings() const {
    return m_platform.settings;
}
IMainFrame& CKardelDoc::frame() const {
    return m_platform.frame;
}

CKardelDoc::~CKardelDoc() = default;

void CKardelDoc::AttachViews(CKdListView* findView, CTitleView* titleView, CKdEditView* memoView,
                             CKdTreeView* treeView) {
    m_findView = findView;
    m_titleView = titleView;
    m_memoView = memoView;
    m_treeView = treeView;
    m_views = {findView, titleView, memoView, treeView};
    if (treeView)
        treeView->Tree().SetEditLog(&m_history);
}

void CKardelDoc::SetModifiedFlag(bool modified) {
    m_bModified = modified;
    if (modified)
        m_history.NoteUnrecordedChange();
    else
        m_history.MarkSaved();
}

void CKardelDoc::ClearClip() {
    if (m_arrClip.empty())
        return;
    m_history.ClipCleared(std::move(m_arrClip), std::move(m_clipLinks));
    m_arrClip.clear();
    m_clipLinks.clear();
}

void CKardelDoc::UpdateAllViews(CView* sender, int hint, CMemoItem* memo) {
    for (CView* view : m_views)
        if (view && view != sender)
            view->OnUpdate(sender, hint, memo);
}

bool CKardelDoc::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    if (OnUpdateOwnCmd(id, ui))
        return true;
    for (CCmdTarget* handler : m_commandHandlers)
        if (handler->OnUpdateCmd(id, ui))
            return true;
    return false;
}

bool CKardelDoc::OnCmdMsg(CommandId id) {
    if (OnOwnCmdMsg(id))
        return true;
    for (CCmdTarget* handler : m_commandHandlers)
        if (handler->OnCmdMsg(id))
            return true;
    return false;
}

CMemoItem* CKardelDoc::AppendMemo(std::unique_ptr<CMemoItem> memo) {
    m_arrMemos.push_back(std::move(memo));
    m_history.AfterAppendMemo(m_arrMemos.back().get());
    return m_arrMemos.back().get();
}

void CKardelDoc::RemoveMemos(std::vector<std::int32_t> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    while (!indices.empty() && indices.back() >= static_cast<std::int32_t>(m_arrMemos.size()))
        indices.pop_back();
    while (!indices.empty() && indices.front() < 0)
        indices.erase(indices.begin());
    if (indices.empty())
        return;
    CMemoItem* shown = m_memoView ? m_memoView->ShownMemo() : nullptr;
    const std::int32_t current = m_nCurMemo;
    bool currentRemoved = false;
    // While a step is recorded the removed memos go into it rather than away.
    const bool keep = m_history.IsRecording();
    std::vector<std::unique_ptr<CMemoItem>> removed;
    size_t next = 0;
    auto kept = static_cast<size_t>(indices.front());
    // Memos below the first removed index keep theirs; one pass moves the rest down.
    for (size_t i = kept; i < m_arrMemos.size(); ++i) {
        std::unique_ptr<CMemoItem>& slot = m_arrMemos[i];
        if (next < indices.size() && static_cast<size_t>(indices[next]) == i) {
            ++next;
            if (slot.get() == shown)
                m_memoView->ForgetShownMemo();
            currentRemoved = currentRemoved || static_cast<std::int32_t>(i) == current;
            if (keep)
                removed.push_back(std::move(slot));
            else
                slot.reset();
            continue;
        }
        auto index = static_cast<std::int32_t>(kept);
        if (static_cast<std::int32_t>(i) == current)
            m_nCurMemo = index;
        if (TreeItem* item = slot->m_hTreeItem)
            m_treeView->Tree().SetValue(item, index);
        if (kept != i)
            m_arrMemos[kept] = std::move(slot);
        ++kept;
    }
    m_arrMemos.resize(kept);
    if (keep)
        m_history.MemosRemoved(std::move(indices), std::move(removed));
    if (currentRemoved) {
        TreeItem* caret = m_treeView ? m_treeView->Tree().GetCaret() : nullptr;
        m_nCurMemo = caret ? caret->value() : 0;
    }
}

void CKardelDoc::DeleteContents() {
    m_history.Clear();
    while (!m_arrMemos.empty())
        m_arrMemos.pop_back();
    while (!m_arrClip.empty())
        m_arrClip.pop_back();
    m_clipLinks.clear();
    if (m_memoView)
        m_memoView->ForgetShownMemo();
    if (m_treeView)
        m_treeView->DeleteAllItems();
    m_nCurMemo = 0;
}

bool CKardelDoc::OnNewDocument() {
    DeleteContents();
    m_strTitle = texts::Untitled();
    m_strPathName.clear();
    m_fileIdentity = FileIdentity();
    UpdateAllViews(nullptr, HintMemoCreated, AppendMemo(std::make_unique<CMemoItem>(KindClosedFolder)));
    UpdateAllViews(nullptr, HintMemoCreated, AppendMemo(std::make_unique<CMemoItem>(KindTrashEmpty)));
    SetModifiedFlag(false);
    return true;
}

void CKardelDoc::ReadHeader(CArchive& ar) {
    int version = ReadDocumentHeader(ar);
    ar.SetFileVersion(version);
    m_app.m_nFileVersion = version;
}

void CKardelDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteBytes(std::string_view("Version005\0", 11));
        ar.WriteInt32(static_cast<std::int32_t>(m_arrMemos.size()));
        for (auto& memo : m_arrMemos)
            memo->Serialize(ar);
    } else {
        ReadHeader(ar);
        // The smallest record: an empty title, six integers and an empty body (the
        // selection item is absent before version 4).
        size_t count = ar.ReadCount(1 + 4 * 6 + 1);
        m_arrMemos.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            auto memo = std::make_unique<CMemoItem>(CMemoItem::ForLoading());
            memo->Serialize(ar);
            m_arrMemos.push_back(std::move(memo));
        }
    }
    for (CView* view : m_views)
        view->Serialize(ar);
    m_findCond.Serialize(ar);
    m_options.Serialize(ar);
    if (ar.IsStoring()) {
        FrameGeometry p = frame().GetPlacement();
        for (std::int32_t v : {p.top, p.left, p.bottom, p.right, p.treeWidth})
            ar.WriteInt32(v);
    } else if (ar.FileVersion() >= 4) {
        FrameGeometry p;
        p.top = ar.ReadInt32();
        p.left = ar.ReadInt32();
        p.bottom = ar.ReadInt32();
        p.right = ar.ReadInt32();
        p.treeWidth = ar.ReadInt32();
        frame().ApplyPlacement(p);
    }
}

FileResult CKardelDoc::LoadFromBytes(std::string_view bytes) {
    CArchive ar(bytes);
    return LoadFromArchive(ar);
}

namespace {

// An open file's bytes as a loading archive asks for them, hashed on the way. A failed
// read ends the load; its error is kept for the message.
class FileInput : public IArchiveInput {
public:
    explicit FileInput(int fd) : m_fd(fd) {}
    ~FileInput() override { ::close(m_fd); }
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    size_t Read(char* data, size_t size) override {
        ssize_t n = ReadFull(m_fd, data, size);
        if (n < 0) {
            m_error = errno;
            throw ArchiveError(ArchiveError::Kind::EndOfFile, "read failed");
        }
        m_hasher.Update(data, static_cast<size_t>(n));
        m_read += static_cast<std::uint64_t>(n);
        HeapLoadProgress(m_read);
        return static_cast<size_t>(n);
    }
    // Reads what the load left of the first `total` bytes, for the hash of them all.
    bool ReadRest(std::uint64_t total) {
        std::string piece(1 << 16, '\0');
        try {
            while (m_read < total &&
                   Read(piece.data(), static_cast<size_t>(std::min<std::uint64_t>(piece.size(), total - m_read))) > 0) {
            }
        } catch (const ArchiveError&) {
            return false;
        }
        return true;
    }
    int Error() const { return m_error; }
    std::uint64_t Digest() const { return m_hasher.Digest(); }

private:
    int m_fd;
    int m_error = 0;
    std::uint64_t m_read = 0;
    ContentHasher m_hasher;
};

} // namespace

FileResult CKardelDoc::ReadFromFile(const std::string& path, std::uint64_t* hash, size_t pieceBytes) {
    FileResult opened;
    int fd = OpenRegularFile(path, opened);
    if (fd < 0)
        return opened;
    FileInput input(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return FileResult::Failure(FileErrorMessage(errno, path, false));
    // The file as large as it was when opened: what it grows by later is not read.
    const auto total = static_cast<std::uint64_t>(info.st_size);
    CArchive ar(input, total, pieceBytes);
    FileResult loaded = LoadFromArchive(ar);
    if (loaded.ok && hash && !input.ReadRest(total)) {
        DeleteContents();
        OnNewDocument();
    }
    if (input.Error())
        return FileResult::Failure(FileErrorMessage(input.Error(), path, false));
    if (hash)
        *hash = input.Digest();
    return loaded;
}

FileResult CKardelDoc::LoadFromArchive(CArchive& ar) {
    CKdListView::Widths widthsBefore{};
    if (m_findView)
        widthsBefore = m_findView->ColumnWidths();
    DeleteContents();
    SetModifiedFlag(true);
    HeapPreparedForLoad heap(ar.Remaining());
    ar.ShareLoadedTexts();
    try {
        Serialize(ar);
        if (CMemoItem* current = Memo(m_nCurMemo); current && current->m_hTreeItem)
            m_treeView->Tree().Select(current->m_hTreeItem);
        return FileResult::Success();
    } catch (const ArchiveError&) {
        // Nothing partly read may survive into the new document: not the search,
        // not the options, not the FindView widths.
        DeleteContents();
        m_findCond = CFindCondition();
        m_options = CDocOptions();
        if (m_findView)
            m_findView->SetColumnWidths(widthsBefore);
        OnNewDocument();
        return FileResult::Failure(texts::BadFileFormat());
    }
}

bool CKardelDoc::StoreTo(IOutput& output) {
    try {
        // A record is a dozen small fields: the hash and the file behind see blocks instead.
        BufferedOutput buffered(output);
        CArchive ar(buffered);
        Serialize(ar);
        return buffered.Flush();
    } catch (const ArchiveError&) {
        return false;
    }
}

void CKardelDoc::SetRootTitleFromPath(const std::string& path) {
    std::string name = FileNameOf(path);
    if (auto dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    std::string title = Cp932Codec::FromUtf8(name).text;
    if (CMemoItem* root = Memo(0)) {
        root->m_strTitle = title;
        if (root->m_hTreeItem && m_treeView)
            m_treeView->Tree().SetLabel(root->m_hTreeItem, title);
    }
}

FileResult CKardelDoc::OnOpenDocument(const std::string& path) {
    const std::optional<FileIdentity> before = FileIdentity::Stat(path);
    std::uint64_t hash = 0;
    if (FileResult loaded = ReadFromFile(path, &hash); !loaded.ok)
        return loaded;
    m_fileIdentity = FileIdentity::Record(path, hash, before);
    if (m_options.m_nInitialFind >= 1 && m_options.m_nInitialFind <= 5)
        m_findCond = m_options.m_stdFind[m_options.m_nInitialFind - 1];
    else if (m_options.m_nInitialFind == 6)
        m_findCond.ResetToAllMemos();
    m_strPathName = path;
    m_strTitle = Cp932Codec::FromUtf8(FileNameOf(path)).text;
    SetRootTitleFromPath(path); // the load has already selected the current memo's item
    SetModifiedFlag(false);
    return FileResult::Success();
}

FileResult CKardelDoc::OnSaveDocument(const std::string& path) {
    UpdateAllViews(nullptr, HintStoreText, Memo(m_nCurMemo));
    SetRootTitleFromPath(path);
    if (!m_backupFolder.empty()) {
        // The version about to be replaced; without it the save still goes on.
        BackupRotation backups(m_backupFolder, BackupRotation::CountSetting(settings()));
        if (FileResult kept = backups.Keep(path, Clock::Now()); !kept.ok)
            m_platform.messages.ShowError(Sjis("保存前のﾊﾞｯｸｱｯﾌﾟを作成できませんでした。\n") + kept.message +
                                          Sjis("\n\nﾌｧｲﾙの保存は続けます。"));
    }
    std::uint64_t hash = 0;
    FileResult result = WriteFileSafely(path, [this, &hash](IOutput& out) {
        HashingOutput hashing(out);
        bool stored = StoreTo(hashing);
        hash = hashing.Digest();
        return stored;
    });
    if (result.ok) {
        m_fileIdentity = FileIdentity::Record(path, hash);
        m_strPathName = path;
        m_strTitle = Cp932Codec::FromUtf8(FileNameOf(path)).text;
        SetModifiedFlag(false);
    }
    return result;
}

bool CKardelDoc::HasUnsavedChanges() const {
    if (IsModified())
        return true;
    CMemoItem* shown = m_memoView ? m_memoView->ShownMemo() : nullptr;
    return shown && m_memoView->edit().GetText() != shown->m_strBody;
}

std::optional<std::string> CKardelDoc::AskSaveAsPath() {
    FileDialogRequest request;
    request.save = true;
    request.defaultExtension = "kdl";
    request.initialName = m_strTitle;
    request.filter = texts::DocumentFilter();
    request.confirmOverwrite = true;
    return m_platform.fileDialogs.Run(request);
}

bool CKardelDoc::DoSave(const std::string& path) {
    std::string target = path;
    if (!m_strPathName.empty() && target == m_strPathName && m_fileIdentity.known &&
        m_fileIdentity.Verify(target) == FileIdentity::State::Changed) {
        std::string question =
            Fill(Sjis("%1 は開いた後または前回の保存の後に、他のﾌﾟﾛｸﾞﾗﾑで変更されています。\n"
                      "上書きしますか?\n\n[はい] 上書き保存\n[いいえ] 別の名前で保存\n[ｷｬﾝｾﾙ] 保存しない"),
                 {m_strTitle});
        switch (m_platform.messages.AskYesNoCancel(question)) {
        case IMessageBox::Answer::Yes:
            break;
        case IMessageBox::Answer::No: {
            std::optional<std::string> chosen = AskSaveAsPath();
            if (!chosen)
                return false;
            target = *chosen;
            break;
        }
        default:
            return false;
        }
    }
    FileResult saved = OnSaveDocument(target);
    if (!saved.ok)
        m_platform.messages.ShowError(saved.message);
    return saved.ok;
}

FileResult CKardelDoc::RestoreRecovered(std::string_view bytes, const std::string& originalPath,
                                        const FileIdentity& identity) {
    if (FileResult loaded = LoadFromBytes(bytes); !loaded.ok)
        return loaded;
    m_strPathName = originalPath;
    m_strTitle = originalPath.empty() ? texts::Untitled() : Cp932Codec::FromUtf8(FileNameOf(originalPath)).text;
    m_fileIdentity = originalPath.empty() ? FileIdentity() : identity;
    SetModifiedFlag(true);
    return FileResult::Success();
}

void CKardelDoc::AddSelItem(std::string_view item) {
    if (item.empty())
        return;
    for (const auto& existing : m_options.m_arrSelItems)
        if (existing == item)
            return;
    m_options.m_arrSelItems.emplace_back(item);
}

void CKardelDoc::ClearFoundMarks() {
    for (auto& memo : m_arrMemos)
        memo->m_bFound = 0;
}

// ---- Search ----

void CKardelDoc::RunSearch() {
    switch (m_findCond.m_scope) {
    case CFindCondition::AllMemos:
    case CFindCondition::BelowSelection:
        ClearFoundMarks();
        if (m_treeView)
            m_treeView->MarkMatches(m_findCond);
        break;
    case CFindCondition::FindViewRows:
        if (m_findView)
            m_findView->MarkRowMatches(m_findCond);
        break;
    default:
        break; // an unknown scope tests nothing and changes no flag
    }
    UpdateAllViews(nullptr, HintResultsChanged);
    if (m_findView)
        m_findView->AfterSearch();
}

} // namespace kardel
