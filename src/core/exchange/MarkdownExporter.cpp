#include "core/exchange/MarkdownExporter.h"

#include "core/exchange/ExchangeText.h"
#include "core/model/CMemoItem.h"

#include <algorithm>
#include <cstring>

namespace kardel {
namespace {
// List items deeper than this are written at this level: indentation would
// otherwise grow with the square of the depth.
constexpr size_t kMaxListLevel = 64;

size_t ListLevel(int depth) {
    return std::min(static_cast<size_t>(depth - MarkdownExporter::kHeadingLevels), kMaxListLevel);
}
} // namespace

std::string MarkdownMetadata(const CMemoItem& memo) {
    std::string line = "<!-- kardel: kind=" + std::to_string(memo.m_nKind) +
                       " created=" + exchange::IsoTime(memo.m_timeCreated) +
                       " updated=" + exchange::IsoTime(memo.m_timeUpdated);
    if (memo.m_bHasDue)
        line += " due=" + exchange::IsoTime(memo.m_timeDue);
    if (memo.m_nKind == KindDone)
        line += " done=" + exchange::IsoTime(memo.m_timeDone);
    return line + " -->";
}

std::string MarkdownExporter::EscapeLine(std::string_view line) {
    std::string out;
    out.reserve(line.size() + 8);
    size_t lead = 0;
    while (lead < line.size() && (line[lead] == ' ' || line[lead] == '\t'))
        out += line[lead++] == ' ' ? "&#32;" : "&#9;";
    size_t tail = line.size();
    while (tail > lead && (line[tail - 1] == ' ' || line[tail - 1] == '\t'))
        --tail;
    // What would open a block at the start of a line: a list, a heading underline, a numbered item.
    size_t digits = lead;
    while (digits < tail && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    for (size_t i = lead; i < tail; ++i) {
        char c = line[i];
        bool startMark = i == lead && (c == '-' || c == '+' || c == '=');
        bool numberMark = digits > lead && i == digits && (c == '.' || c == ')');
        if (startMark || numberMark || std::strchr("\\`*_[]<>!|~&#", c))
            out += '\\';
        out += c;
    }
    for (size_t i = tail; i < line.size(); ++i)
        out += line[i] == ' ' ? "&#32;" : "&#9;";
    return out;
}

void MarkdownExporter::Begin(const std::string&) {}

void MarkdownExporter::Enter(const CMemoItem& memo, int depth, bool) {
    std::string title = EscapeLine(exchange::ToUtf8Text(memo.m_strTitle));
    size_t indent = 0;
    if (depth < kHeadingLevels) {
        m_sink.Put(std::string(static_cast<size_t>(depth) + 1, '#'));
        if (!title.empty())
            m_sink.Put(' ').Put(title);
        m_sink.Put('\n').Put(MarkdownMetadata(memo)).Put("\n\n");
    } else {
        size_t level = ListLevel(depth);
        m_sink.Spaces(2 * level).Put(title.empty() ? "-" : "- ").Put(title).Put('\n');
        indent = 2 * level + 2;
        m_sink.Spaces(indent).Put(MarkdownMetadata(memo)).Put("\n\n");
    }
    if (!m_options.titleOnly && !memo.m_strBody.empty())
        WriteBody(exchange::ToUtf8Text(memo.m_strBody), indent);
}

void MarkdownExporter::WriteBody(std::string_view utf8, size_t indent) {
    // Lines with text form paragraphs whose lines end in hard breaks; empty lines separate paragraphs.
    bool inParagraph = false;
    while (!utf8.empty()) {
        size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8 = end == std::string_view::npos ? std::string_view() : utf8.substr(end + 1);
        if (line.empty()) {
            if (inParagraph)
                m_sink.Put("\n\n");
            inParagraph = false;
            continue;
        }
        if (inParagraph)
            m_sink.Put("\\\n");
        m_sink.Spaces(indent).Put(EscapeLine(line));
        inParagraph = true;
    }
    if (inParagraph)
        m_sink.Put("\n\n");
}

} // namespace kardel
