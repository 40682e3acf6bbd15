#include "core/exchange/OutlineWriter.h"

#include "core/exchange/ExchangeText.h"
#include "core/exchange/HtmlExporter.h"
#include "core/exchange/MarkdownExporter.h"
#include "core/exchange/OpmlExporter.h"
#include "core/model/CKardelDoc.h"
#include "core/tree/CKdTreeView.h"

#include <vector>

namespace kardel {

std::unique_ptr<OutlineWriter> MakeOutlineWriter(ExchangeFormat format, const CKardelDoc& doc, Utf8Sink& sink,
                                                 const OutlineExportOptions& options) {
    switch (format) {
    case ExchangeFormat::Markdown:
        return std::make_unique<MarkdownExporter>(doc, sink, options);
    case ExchangeFormat::Opml:
        return std::make_unique<OpmlExporter>(doc, sink, options);
    case ExchangeFormat::Html:
        break;
    }
    return std::make_unique<HtmlExporter>(doc, sink, options);
}

bool ExportOutline(ExchangeFormat format, const CKardelDoc& doc, CKdTreeView& view, TreeItem* top,
                   const OutlineExportOptions& options, IOutput& out) {
    Utf8Sink sink(out);
    std::unique_ptr<OutlineWriter> writer = MakeOutlineWriter(format, doc, sink, options);
    TreeControl& tree = view.Tree();
    // The items below `item` that the file gets, in tree order.
    auto childrenOf = [&](TreeItem* item, std::vector<TreeItem*>& kids) {
        kids.clear();
        if (!tree.HasChildren(item) || (options.viewOnly && !tree.FirstChildIsNextVisible(item)))
            return;
        for (TreeItem* c = tree.GetChild(item); c; c = tree.GetNextSibling(c))
            if (c != view.m_hTrash || options.withTrash)
                kids.push_back(c);
    };

    struct Step {
        TreeItem* item;
        int depth;
        bool leave;
        bool hasChildren;
    };
    std::vector<Step> pending;
    std::vector<TreeItem*> kids;
    const bool whole = top && top == tree.GetRoot();
    // The root memo carries the document's name (saving gives it the file's name).
    std::string title;
    if (const CMemoItem* memo = top ? view.MemoOf(top) : nullptr)
        title = exchange::ToUtf8Text(memo->m_strTitle);
    if (whole)
        childrenOf(top, kids);
    else if (top)
        kids = {top};
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        pending.push_back({*it, 0, false, false});

    writer->Begin(title);
    while (!pending.empty() && sink.ok()) {
        Step step = pending.back();
        pending.pop_back();
        const CMemoItem* memo = view.MemoOf(step.item);
        if (!memo)
            continue;
        if (step.leave) {
            writer->Leave(*memo, step.depth, step.hasChildren);
            continue;
        }
        childrenOf(step.item, kids);
        writer->Enter(*memo, step.depth, !kids.empty());
        pending.push_back({step.item, step.depth, true, !kids.empty()});
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            pending.push_back({*it, step.depth + 1, false, false});
    }
    writer->End();
    return sink.Flush();
}

const char* FormatExtension(ExchangeFormat format) {
    switch (format) {
    case ExchangeFormat::Markdown:
        return "md";
    case ExchangeFormat::Opml:
        return "opml";
    case ExchangeFormat::Html:
        break;
    }
    return "html";
}

const std::string& FormatFilter(ExchangeFormat format) {
    static const std::string markdown = "Markdown Files (*.md)|*.md|All Files (*.*)|*.*||";
    static const std::string opml = "OPML Files (*.opml)|*.opml|All Files (*.*)|*.*||";
    static const std::string html = "HTML Files (*.html)|*.html|All Files (*.*)|*.*||";
    switch (format) {
    case ExchangeFormat::Markdown:
        return markdown;
    case ExchangeFormat::Opml:
        return opml;
    case ExchangeFormat::Html:
        break;
    }
    return html;
}

} // namespace kardel
