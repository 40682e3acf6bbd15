#pragma once
#include "core/base/FileResult.h"
#include "core/base/OutputSink.h"

#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace kardel {

// A file written as its bytes are made, all or nothing.
//
// Open decides where the bytes go. A regular file, existing or new, is written to
// a temporary file in the folder of the file the path finally names (symbolic
// links followed); Commit renames it over that file, which keeps its mode, owner
// and group, and the links stay links. Being a rename, the save gives the file a
// new inode: other hard links to it keep the old content. A character device
// (/dev/null, a terminal) is written into directly. A directory, FIFO, socket,
// block device, dangling link or a file the user may not write is refused and
// left as it is. Until Commit succeeds nothing is replaced: a failure, the
// destruction of the output, or SIGTERM, SIGINT or SIGHUP ending the process
// removes the temporary file.
//
// A temporary file larger than the output's buffer is written by a thread of its own
// while the caller makes the next bytes; a failure there is reported by a later Write
// or by Commit.
class FileOutput : public IOutput {
public:
    // `path` is UTF-8 as the file system holds it; messages name it as given.
    explicit FileOutput(std::string path);
    ~FileOutput() override;
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    FileResult Open();
    // Writes into a descriptor that is already open (standard output) and stays
    // open; messages name the output `name`.
    FileResult OpenDescriptor(int fd);

    bool Write(const char* data, size_t size) override;
    // A temporary file keeps a large block as it is for its writing thread.
    bool WriteBlock(OutputBlock& block) override;
    // Appends what `source` holds from its offset to its end, copied by the kernel where
    // the file systems allow (copy_file_range), else through a small buffer; the bytes are
    // never held whole in memory.
    bool CopyFrom(int source);
    // Flushes; for a temporary file also syncs it, renames it over the target and
    // syncs the folder. On failure the target is as it was.
    FileResult Commit();

    // The first failure so far, or success.
    FileResult Status() const;
    // The regular file that Commit replaces (links followed); empty when writing
    // into a device or descriptor.
    const std::string& TargetPath() const { return m_target; }

private:
    class WriteBehind;

    FileResult Fail(int error);
    bool Flush();
    // Waits for the writing thread, if any, and takes its failure.
    bool Drain();
    // These return 0 or the error; they run on the writing thread while there is one.
    int WriteOut(const char* data, size_t size);
    int WriteAll(const char* data, size_t size);
    void StartWriteback();
    FileResult OpenTemporary(const struct ::stat* existing);
    void Discard();

    std::string m_path;
    std::string m_target;
    std::string m_tempPath;
    int m_fd = -1;
    bool m_ownsFd = false;
    int m_error = 0;
    int m_cleanupSlot = -1;
    std::uint64_t m_written = 0;
    std::uint64_t m_handedToDisk = 0; // bytes whose writeback has been started
    OutputBlock m_buffer;
    std::unique_ptr<WriteBehind> m_behind;
};

// For tests: makes every FileOutput of the process fail at one step as a full
// disk or a failing sync would, or end the process there with a signal.
struct WriteFault {
    enum class Step { Write, Sync, Rename };
    Step step = Step::Write;
    std::uint64_t afterBytes = 0; // Step::Write: bytes that still get through
    int error = ENOSPC;
    int signal = 0; // when not 0, raised at that point instead of failing
};
void SetWriteFaultForTesting(std::optional<WriteFault> fault);

} // namespace kardel
