#include "core/exchange/HtmlExporter.h"

#include "core/base/Texts.h"
#include "core/exchange/ExchangeText.h"
#include "core/model/CKardelDoc.h"

namespace kardel {
namespace {
const char* const kStyle = R"(body { font-family: sans-serif; margin: 2em; line-height: 1.5; }
ul.outline, ul.outline ul { list-style: none; padding-left: 1.5em; }
ul.outline { padding-left: 0; }
li { margin: 0.4em 0; }
.title { font-weight: bold; }
.meta { color: #666; font-size: 0.85em; margin-left: 1em; }
.body { white-space: pre-wrap; margin: 0.2em 0 0.6em 0; padding-left: 0.8em; border-left: 2px solid #ddd; }
@media print { body { margin: 0; } li { break-inside: avoid; } .body { border-left-color: #999; } })";

// A date as the title strip shows it, in UTF-8.
std::string Day(time32 time) {
    return FormatLocalTime(time, "%Y/%m/%d");
}
} // namespace

void HtmlExporter::Begin(const std::string& title) {
    m_sink.Put("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
    exchange::PutXmlEscaped(m_sink, title, false);
    m_sink.Put("</title>\n<style>\n").Put(kStyle).Put("\n</style>\n</head>\n<body>\n<h1>");
    exchange::PutXmlEscaped(m_sink, title, false);
    m_sink.Put("</h1>\n<ul class=\"outline\">\n");
}

void HtmlExporter::Enter(const CMemoItem& memo, int, bool hasChildren) {
    m_sink.Put("<li><span class=\"title\">");
    exchange::PutXmlEscaped(m_sink, exchange::ToUtf8Text(memo.m_strTitle), false);
    m_sink.Put("</span><span class=\"meta\">");
    std::string meta = exchange::ToUtf8Text(m_doc.m_options.KindName(memo.m_nKind));
    meta += " \xC2\xB7 " + exchange::ToUtf8Text(Sjis("作成日:")) + Day(memo.m_timeCreated);
    meta += " \xC2\xB7 " + exchange::ToUtf8Text(Sjis("更新日:")) + Day(memo.m_timeUpdated);
    if (memo.m_bHasDue)
        meta += " \xC2\xB7 " + exchange::ToUtf8Text(Sjis("期日:")) + Day(memo.m_timeDue);
    if (memo.m_nKind == KindDone)
        meta += " \xC2\xB7 " + exchange::ToUtf8Text(Sjis("完了日:")) + Day(memo.m_timeDone);
    if (!memo.m_strSelItem.empty())
        meta +=
            " \xC2\xB7 " + exchange::ToUtf8Text(m_doc.m_options.m_strSelTitle.empty()
                                                    ? memo.m_strSelItem.str()
                                                    : m_doc.m_options.m_strSelTitle + ":" + memo.m_strSelItem.str());
    exchange::PutXmlEscaped(m_sink, meta, false);
    m_sink.Put("</span>");
    if (!m_options.titleOnly && !memo.m_strBody.empty()) {
        m_sink.Put("\n<div class=\"body\">");
        exchange::PutXmlEscaped(m_sink, exchange::ToUtf8Text(memo.m_strBody), false);
        m_sink.Put("</div>");
    }
    m_sink.Put(hasChildren ? "\n<ul>\n" : "</li>\n");
}

void HtmlExporter::Leave(const CMemoItem&, int, bool hasChildren) {
    if (hasChildren)
        m_sink.Put("</ul></li>\n");
}

void HtmlExporter::End() {
    m_sink.Put("</ul>\n</body>\n</html>\n");
}

} // namespace kardel
