#pragma once
#include "core/model/RecoveryStore.h"

#include <string>

namespace kardel {

class FileCommands;
class CKardelDoc;
class IAppWindow;

// Keeps a recovery copy of the window's document while it has unsaved changes, and at
// start-up offers the copies that instances killed or crashed left behind. The window
// decides when (a pause in editing, at the latest every two minutes); this decides what.
class CrashRecovery {
public:
    CrashRecovery(CKardelDoc& doc, FileCommands& files, IAppWindow& window, RecoveryStore& store)
        : m_doc(doc), m_files(files), m_window(window), m_store(store) {}

    // Writes the copy when the document has unsaved changes, removes it when it has none.
    // Only the snapshot of the bytes is taken here; the writing goes on in the background.
    void Checkpoint();
    // The document was opened, saved or reloaded.
    void DocumentReplaced();
    // The window closes: whatever was not saved has been given up, so the copy goes.
    void DocumentClosed();
    // Asks about each copy left behind: restore it (the document opens with its content, the
    // original path and the modified flag), discard it, or keep it for a later start. One
    // copy is restored per window; when more wait, another window is started for them.
    // True when one was restored.
    bool OfferOrphans();

    // The document as saving it now would write it, with MemoView's typed text included,
    // and without changing the document. With the size of an earlier snapshot as a hint the
    // document is written once into room for a little more; without one, or when it has
    // outgrown the room, it is counted first.
    static PageBuffer Snapshot(CKardelDoc& doc, size_t sizeHint = 0);

    RecoveryStore& store() const { return m_store; }
    // Documents of at least this many memos are written by a forked copy of the process.
    void SetForkFromMemos(size_t memos) { m_forkFromMemos = memos; }

private:
    // Takes the snapshot and hands it to the store to write.
    void WriteCopy();

    CKardelDoc& m_doc;
    FileCommands& m_files;
    IAppWindow& m_window;
    RecoveryStore& m_store;
    size_t m_lastSnapshotSize = 0;
    // About 5 MB of file: below it the snapshot takes a few milliseconds on the window's thread.
    size_t m_forkFromMemos = 20000;
};

} // namespace kardel
