#include "core/shell/CrashRecovery.h"

#include "core/base/Archive.h"
#include "core/base/Cp932Codec.h"
#include "core/base/ForkedProducer.h"
#include "core/base/Platform.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/CKdEditView.h"
#include "core/shell/FileCommands.h"

#include <optional>
#include <utility>

namespace kardel {

namespace {

// Runs `use` with MemoView's typed text in its memo. Storing it for real would set the
// update time and the modified flag before the user leaves the memo, so the memo is as it
// was again afterwards.
template <class Use> auto WithTypedText(CKardelDoc& doc, Use&& use) {
    CKdEditView* memoView = doc.MemoView();
    CMemoItem* shown = memoView ? memoView->ShownMemo() : nullptr;
    std::string typed = shown ? memoView->edit().GetText() : std::string();
    const bool swapped = shown && typed != shown->m_strBody;
    const time32 updated = shown ? shown->m_timeUpdated : 0;
    CompactString stored;
    if (swapped) {
        stored = std::move(shown->m_strBody);
        shown->m_strBody = typed;
        shown->m_timeUpdated = Clock::Now();
    }
    auto result = use();
    if (swapped) {
        shown->m_strBody = std::move(stored);
        shown->m_timeUpdated = updated;
    }
    return result;
}

} // namespace

PageBuffer CrashRecovery::Snapshot(CKardelDoc& doc, size_t sizeHint) {
    return WithTypedText(doc, [&doc, sizeHint] {
        // Written into memory of its own of the right size: growing one string to the whole
        // document costs several times the writing itself (each doubling copies what came
        // before into fresh memory, a page fault at every 4 KiB). Counting the size walks the
        // whole document once more, which the hint of the last snapshot's size saves.
        std::optional<PageOutput> out;
        if (sizeHint > 0) {
            out.emplace(sizeHint + sizeHint / 8 + 65536);
            if (!doc.StoreTo(*out))
                out.reset();
        }
        if (!out) {
            CountingOutput size;
            doc.StoreTo(size);
            out.emplace(size.count());
            doc.StoreTo(*out);
        }
        return out->take();
    });
}

void CrashRecovery::Checkpoint() {
    if (!m_doc.HasUnsavedChanges()) {
        m_store.RemoveCopyLater();
        return;
    }
    WriteCopy();
}

void CrashRecovery::WriteCopy() {
    if (m_doc.Memos().size() >= m_forkFromMemos && !m_store.ForkedCopyFailed()) {
        // A large document is written by a forked copy of the process, which holds the
        // window's thread only for the fork: the copy sees the document as it is now.
        std::optional<ForkedProducer> producer = WithTypedText(
            m_doc, [this] { return ForkedProducer::Start([this](IOutput& out) { return m_doc.StoreTo(out); }); });
        if (producer) {
            m_store.WriteCopyLater(std::move(*producer), m_doc.m_strPathName, m_doc.m_fileIdentity);
            return;
        }
    }
    PageBuffer bytes = Snapshot(m_doc, m_lastSnapshotSize);
    m_lastSnapshotSize = bytes.size();
    m_store.WriteCopyLater(std::move(bytes), m_doc.m_strPathName, m_doc.m_fileIdentity);
}

void CrashRecovery::DocumentReplaced() {
    m_store.SetHeldPath(m_doc.m_strPathName);
    if (!m_doc.HasUnsavedChanges())
        m_store.RemoveCopyLater();
}

void CrashRecovery::DocumentClosed() {
    m_store.RemoveCopyLater();
    m_store.SetHeldPath(std::string());
    m_store.Flush();
}

bool CrashRecovery::OfferOrphans() {
    std::vector<RecoveryCopy> copies = m_store.ClaimOrphans();
    IMessageBox& messages = m_doc.platform().messages;
    bool restored = false;
    bool othersWait = false;
    for (const RecoveryCopy& copy : copies) {
        if (restored) {
            m_store.Release(copy);
            othersWait = true;
            continue;
        }
        const std::string name =
            copy.originalPath.empty() ? texts::Untitled() : Cp932Codec::FromUtf8(copy.originalPath).text;
        std::string question =
            Fill(Sjis("前回 Kardel が正しく終了しなかったため、保存されていない変更が残っています。\n\n"
                      "ﾌｧｲﾙ: %1\n記録した日時: %2\n\n復元しますか?\n\n"
                      "[はい] 復元する (保存するかどうかは後で決めます)\n[いいえ] 破棄する\n"
                      "[ｷｬﾝｾﾙ] 次回の起動まで残しておく"),
                 {name, FormatLocalTime(copy.writtenAt, "%Y/%m/%d %H:%M:%S")});
        switch (messages.AskYesNoCancel(question)) {
        case IMessageBox::Answer::Yes: {
            std::string bytes;
            FileResult read = m_store.Read(copy, bytes);
            if (!read.ok || !m_files.SaveModified()) {
                if (!read.ok)
                    messages.ShowError(read.message);
                m_store.Release(copy);
                break;
            }
            m_window.BeginLoad();
            FileResult loaded = m_doc.RestoreRecovered(bytes, copy.originalPath, copy.identity);
            m_window.DocumentReplaced();
            if (!loaded.ok) {
                // What cannot be read stays where it is; the user may still want the file.
                messages.ShowError(loaded.message);
                m_store.Release(copy);
                break;
            }
            // This window's own copy stands in for the old one before that goes.
            WriteCopy();
            m_store.Flush();
            if (std::optional<std::string> error = m_store.TakeError()) {
                messages.ShowError(*error);
                m_store.Release(copy);
            } else {
                m_store.Discard(copy);
            }
            restored = true;
            break;
        }
        case IMessageBox::Answer::No:
            m_store.Discard(copy);
            break;
        default:
            m_store.Release(copy);
            break;
        }
    }
    if (othersWait)
        m_doc.platform().shell.StartNewInstance();
    return restored;
}

} // namespace kardel
