#pragma once
#include <string>
#include <vector>

namespace kardel {

// The recent-file list of the File menu: at most four paths, the most recent first.
// Paths are file system strings and compare exactly.
class CRecentFileList {
public:
    static constexpr size_t kSize = 4;

    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Entries() const { return m_entries; }
    // Replaces the list with stored entries, dropping empties, repeats and any beyond four.
    void Load(const std::vector<std::string>& stored);

private:
    std::vector<std::string> m_entries;
};

} // namespace kardel
