#pragma once
#include <cstddef>
#include <string>
#include <sys/types.h>

namespace kardel {

// The last component of a path ("a/b.kdl" gives "b.kdl").
std::string FileNameOf(const std::string& path);
// The folder of a path: "." for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path);

// A per-user folder of the XDG base directories: `sub` below $`variable` when that is an
// absolute path, otherwise below $HOME/`fallback` ("XDG_STATE_HOME", ".local/state").
std::string XdgUserFolder(const char* variable, const char* fallback, const std::string& sub);

// Creates `folder` and its missing parents; the folders made get `mode`. False on failure,
// with errno set.
bool MakeFolders(const std::string& folder, unsigned mode);

// Whether both paths name one existing file: links are followed, and two names of one
// file (hard links) are one file.
bool IsSameFile(const std::string& a, const std::string& b);

// Reads until `size` bytes are in or the file ends, going on after interrupted reads.
// Returns the bytes read, or -1 with errno set on a failed read.
ssize_t ReadFull(int fd, char* data, size_t size);

// Closes a descriptor at the end of the scope; -1 holds none.
struct ScopedDescriptor {
    int fd = -1;
    ~ScopedDescriptor() { Close(); }
    void Close();
};

} // namespace kardel
