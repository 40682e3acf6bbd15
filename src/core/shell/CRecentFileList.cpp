#include "core/shell/CRecentFileList.h"

#include <algorithm>

namespace kardel {

void CRecentFileList::Add(const std::string& path) {
    if (path.empty())
        return;
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kSize)
        m_entries.resize(kSize);
}

void CRecentFileList::Remove(const std::string& path) {
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
}

void CRecentFileList::Load(const std::vector<std::string>& stored) {
    m_entries.clear();
    for (const std::string& path : stored)
        if (!path.empty() && std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end() &&
            m_entries.size() < kSize)
            m_entries.push_back(path);
}

} // namespace kardel
