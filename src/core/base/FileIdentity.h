#pragma once
#include "core/base/Archive.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kardel {

// A running 64-bit hash of a file's content, fed piece by piece.
class ContentHasher {
public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    void Update(const char* data, size_t size);
    std::uint64_t Digest() const;
    static std::uint64_t Of(std::string_view bytes);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Passes everything on to another output and hashes it on the way.
class HashingOutput : public IOutput {
public:
    explicit HashingOutput(IOutput& out) : m_out(out) {}
    bool Write(const char* data, size_t size) override {
        m_hasher.Update(data, size);
        return m_out.Write(data, size);
    }
    bool WriteBlock(OutputBlock& block) override {
        m_hasher.Update(block.data.get(), block.size);
        return m_out.WriteBlock(block);
    }
    std::uint64_t Digest() const { return m_hasher.Digest(); }

private:
    IOutput& m_out;
    ContentHasher m_hasher;
};

// What the document remembers of the file it read or last wrote, so that a change made
// since by something else (a sync tool, another editor, another machine) is noticed.
// Size, modification time and inode tell most changes; the content hash decides where
// they cannot: the same size with a new inode or time (a rewrite with the same bytes),
// or a time so close to the moment of recording that a later write could carry the same
// time stamp.
struct FileIdentity {
    bool known = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0; // no program can set it back
    std::uint64_t hash = 0;
    bool ambiguous = false;

    enum class State { Unchanged, Changed, Missing };

    // The file at `path` as it is now, holding content with hash `hash`. `before`, taken
    // before the content was read, makes the record ambiguous when the file moved on
    // while it was read.
    static FileIdentity Record(const std::string& path, std::uint64_t hash,
                               const std::optional<FileIdentity>& before = std::nullopt);
    // Size, time and inode of `path` without its content; nothing when it cannot be read.
    static std::optional<FileIdentity> Stat(const std::string& path);

    // Compares the file at `path` with the record, reading it only when the metadata cannot
    // tell. When its content proves unchanged, the record takes the file's present metadata,
    // so the next check is cheap again.
    State Verify(const std::string& path);

    bool SameMetadata(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size && mtimeNs == other.mtimeNs &&
               ctimeNs == other.ctimeNs;
    }
    bool operator==(const FileIdentity& other) const = default;

    // One line of text for the recovery record, and back.
    std::string ToText() const;
    static FileIdentity FromText(const std::string& text);
};

// The path with every symlink and "." or ".." resolved, or the path itself when it does
// not exist; two paths naming the same file give the same text.
std::string CanonicalPath(const std::string& path);

} // namespace kardel
