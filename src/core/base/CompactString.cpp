#include "core/base/CompactString.h"

#include <cstring>

namespace kardel {

void CompactString::Assign(std::string_view text) {
    char* bytes = nullptr;
    if (!text.empty()) {
        bytes = new char[text.size()];
        std::memcpy(bytes, text.data(), text.size());
    }
    delete[] m_data;
    m_data = bytes;
    m_size = text.size();
}

CompactString& CompactString::operator+=(std::string_view more) {
    if (more.empty())
        return *this;
    auto* bytes = new char[m_size + more.size()];
    if (m_size > 0)
        std::memcpy(bytes, m_data, m_size);
    std::memcpy(bytes + m_size, more.data(), more.size());
    delete[] m_data;
    m_data = bytes;
    m_size += more.size();
    return *this;
}

} // namespace kardel
