#pragma once
#include "core/base/Clock.h"
#include "core/base/FileIdentity.h"
#include "core/base/FileResult.h"
#include "core/base/ForkedProducer.h"
#include "core/model/LargeMemory.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace kardel {

// A copy left behind by an instance that ended without closing its document.
struct RecoveryCopy {
    std::string id;
    std::string copyPath;     // a complete document file
    std::string originalPath; // empty for a document never saved
    FileIdentity identity;    // of the original when the copy was written
    time32 writtenAt = 0;
};

// The per-user folder of recovery copies. Each running instance has a record there: a lock
// file it holds locked for as long as it runs, an info file naming the document it holds
// (and, with a copy, what the original looked like) and, while the document has unsaved
// changes, the copy itself. An instance that is killed loses its lock with it, so a later
// start tells the copies of the dead from those of the living.
//
// Writing happens on a worker thread: the caller hands over the bytes and goes on. A newer
// request replaces one still waiting, so the worker never falls behind.
class RecoveryStore {
public:
    // After the user stops editing, and at the latest while changes go on.
    static constexpr int kIdleDelayMs = 3000;
    static constexpr int kMaxDelayMs = 120000;

    // $XDG_STATE_HOME/Kardel/recovery, or ~/.local/state/Kardel/recovery.
    static std::string DefaultFolder();

    // Creates the folder (mode 0700) and this instance's locked record.
    explicit RecoveryStore(std::string folder);
    // Finishes what is waiting; the record goes unless a copy remains.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // This instance's copy: written or removed later, in the order asked.
    // The bytes are in memory, or still being made by a forked copy of the process.
    using CopyBytes = std::variant<PageBuffer, ForkedProducer>;
    void WriteCopyLater(CopyBytes bytes, const std::string& originalPath, const FileIdentity& identity);
    void RemoveCopyLater();
    // The document this instance holds now, for other instances to see.
    void SetHeldPath(const std::string& path);
    // Waits until everything asked has been done.
    void Flush();
    // The message of the last write that failed since the last call (cp932), or nothing.
    std::optional<std::string> TakeError();

    bool HasCopy() const;
    // Whether a copy made by a forked process could not be written; later copies are then
    // better made in this process.
    bool ForkedCopyFailed() const { return m_forkedCopyFailed; }
    const std::string& folder() const { return m_folder; }

    // At start-up: the copies of instances that are gone, oldest first, each claimed (locked)
    // by this instance until it is discarded or released. A copy whose original another
    // running instance holds is left alone.
    std::vector<RecoveryCopy> ClaimOrphans();
    FileResult Read(const RecoveryCopy& copy, std::string& bytes) const;
    // Deletes the copy and its record.
    void Discard(const RecoveryCopy& copy);
    // Leaves the copy for a later start.
    void Release(const RecoveryCopy& copy);

private:
    struct Info {
        std::string path;
        FileIdentity identity;
        time32 writtenAt = 0;
    };
    std::string PathOf(const std::string& id, const char* extension) const;
    void WriteInfo(const Info& info);
    static std::optional<Info> ReadInfo(const std::string& path);
    void Run();

    std::string m_folder;
    std::string m_id;
    int m_lockFd = -1;
    std::map<std::string, int> m_claimed; // id -> lock descriptor

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    Info m_info;
    std::optional<CopyBytes> m_pendingCopy;
    bool m_pendingRemove = false;
    bool m_pendingInfo = false;
    bool m_busy = false;
    bool m_hasCopy = false;
    bool m_stop = false;
    std::optional<std::string> m_error;
    std::atomic<bool> m_forkedCopyFailed = false;
    std::thread m_worker;
};

} // namespace kardel
