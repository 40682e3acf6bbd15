#pragma once
#include <string>
#include <vector>

namespace kardel {

// One entry of a file dialog's filter: what the list shows and its patterns.
struct FileFilterEntry {
    std::string name;                  // "Kardel Files (*.kdl)"
    std::vector<std::string> patterns; // "*.kdl"; "*.*" stands for every file
};

// Splits a filter written "name|patterns|name|patterns||" (patterns separated by
// ';'). An entry without patterns is dropped.
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);

} // namespace kardel
