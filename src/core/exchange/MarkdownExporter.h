#pragma once
#include "core/exchange/OutlineWriter.h"

#include <string_view>

namespace kardel {

// Markdown: a heading per memo for the first six levels, nested list items
// below them. Titles and bodies are escaped so that they render as typed; the
// body's lines stay lines (hard breaks). Each memo is followed by a comment line
// "<!-- kardel: kind=... created=... -->" with its kind and dates, which the
// Markdown import reads back.
class MarkdownExporter : public OutlineWriter {
public:
    using OutlineWriter::OutlineWriter;
    static constexpr int kHeadingLevels = 6;

    void Begin(const std::string& title) override;
    void Enter(const CMemoItem& memo, int depth, bool hasChildren) override;
    void Leave(const CMemoItem&, int, bool) override {}
    void End() override {}

    // One line of text as Markdown that renders as typed (UTF-8 in and out).
    static std::string EscapeLine(std::string_view line);

private:
    void WriteBody(std::string_view utf8, size_t indent);
};

// The comment line of a memo's kind and dates, as the Markdown export writes it.
std::string MarkdownMetadata(const CMemoItem& memo);

} // namespace kardel
