#pragma once
#include "core/base/Clock.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kardel {

class ImportSource;

// What an outline file says about one memo, in UTF-8; anything it leaves out
// takes a new memo's value (now for the dates).
struct ImportedFields {
    std::string title;
    std::string body;
    std::optional<std::int32_t> kind;
    std::optional<time32> created, updated, due, done;
    std::optional<std::int32_t> hasDue;
    std::optional<std::string> selItem;
};

// Collects an outline read from OPML or Markdown, item by item in document order,
// and turns it into what a .kdl import would have read: memos and tree records,
// so that the merge below the selected memo is the one the .kdl import does.
class ImportedOutline {
public:
    // Opens an item below the innermost open one (the top level when none is open).
    ImportedFields& Open();
    // The innermost open item; nullptr at the top level.
    ImportedFields* Current();
    void Close();
    int Depth() const { return static_cast<int>(m_open.size()); }
    size_t Count() const { return m_nodes.size(); }

    // Converts the text to cp932 (counting the characters it cannot hold), makes
    // the kinds fit the shape (an item with children is a folder, one without is
    // not), keeps the first top-level trash as the imported trash and fills `source`.
    void Finish(ImportSource& source, size_t& replaced);

private:
    struct Node {
        ImportedFields fields;
        int parent; // -1: top level
        bool hasChildren = false;
    };
    std::deque<Node> m_nodes; // pre-order; a deque, so growing never moves the nodes
    std::vector<int> m_open;
};

} // namespace kardel
