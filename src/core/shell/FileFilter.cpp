#include "core/shell/FileFilter.h"

namespace kardel {
namespace {
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}
} // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilterEntry> entries;
    std::vector<std::string> parts = Split(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break; // the closing "||"
        FileFilterEntry entry{parts[i], {}};
        for (const std::string& pattern : Split(parts[i + 1], ';'))
            if (!pattern.empty())
                entry.patterns.push_back(pattern);
        if (!entry.patterns.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace kardel
