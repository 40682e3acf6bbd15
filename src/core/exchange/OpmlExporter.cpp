#include "core/exchange/OpmlExporter.h"

#include "core/exchange/ExchangeText.h"
#include "core/model/CMemoItem.h"

#include <algorithm>

namespace kardel {
namespace {
// Deeper levels are written at this indent, so the file grows with the memos, not their depth squared.
constexpr int kMaxIndentDepth = 32;

void Attribute(Utf8Sink& sink, const char* name, std::string_view utf8) {
    sink.Put(' ').Put(name).Put("=\"");
    exchange::PutXmlEscaped(sink, utf8, true);
    sink.Put('"');
}
} // namespace

void OpmlExporter::Indent(int depth) {
    m_sink.Spaces(4 + 2 * static_cast<size_t>(std::min(depth, kMaxIndentDepth)));
}

void OpmlExporter::Begin(const std::string& title) {
    m_sink.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\" xmlns:kardel=\"")
        .Put(kNamespace)
        .Put("\">\n  <head>\n    <title>");
    exchange::PutXmlEscaped(m_sink, title, false);
    m_sink.Put("</title>\n  </head>\n  <body>\n");
}

void OpmlExporter::Enter(const CMemoItem& memo, int depth, bool hasChildren) {
    Indent(depth);
    m_sink.Put("<outline");
    Attribute(m_sink, "text", exchange::ToUtf8Text(memo.m_strTitle));
    if (!m_options.titleOnly && !memo.m_strBody.empty())
        Attribute(m_sink, "_note", exchange::ToUtf8Text(memo.m_strBody));
    Attribute(m_sink, "kardel:kind", std::to_string(memo.m_nKind));
    Attribute(m_sink, "kardel:created", exchange::IsoTime(memo.m_timeCreated));
    Attribute(m_sink, "kardel:updated", exchange::IsoTime(memo.m_timeUpdated));
    Attribute(m_sink, "kardel:hasDue", std::to_string(memo.m_bHasDue));
    Attribute(m_sink, "kardel:due", exchange::IsoTime(memo.m_timeDue));
    Attribute(m_sink, "kardel:done", exchange::IsoTime(memo.m_timeDone));
    if (!memo.m_strSelItem.empty())
        Attribute(m_sink, "kardel:selItem", exchange::ToUtf8Text(memo.m_strSelItem));
    m_sink.Put(hasChildren ? ">\n" : "/>\n");
}

void OpmlExporter::Leave(const CMemoItem&, int depth, bool hasChildren) {
    if (!hasChildren)
        return;
    Indent(depth);
    m_sink.Put("</outline>\n");
}

void OpmlExporter::End() {
    m_sink.Put("  </body>\n</opml>\n");
}

} // namespace kardel
