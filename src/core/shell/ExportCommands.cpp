#include "core/shell/ExportCommands.h"

#include "core/base/Platform.h"
#include "core/exchange/OutlineWriter.h"
#include "core/model/CKardelDoc.h"
#include "core/search/FindViewExport.h"
#include "core/shell/CTextExporter.h"
#include "core/shell/TextExportFile.h"
#include "core/tree/CKdTreeView.h"

namespace kardel {

bool ExportCommands::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    switch (id) {
    case ID_EXPORT_MEMOVIEW:
    case ID_EXPORT_SUBTREE:
    case ID_EXPORT_FINDVIEW:
    case ID_EXPORT_MARKDOWN:
    case ID_EXPORT_OPML:
    case ID_EXPORT_HTML:
        ui.enabled = true;
        return true;
    default:
        return false;
    }
}

bool ExportCommands::OnCmdMsg(CommandId id) {
    switch (id) {
    case ID_EXPORT_MEMOVIEW:
        CTextExporter(m_doc, m_doc.MemoView(), m_doc.TreeView()).ExportMemoView();
        return true;
    case ID_EXPORT_SUBTREE:
        CTextExporter(m_doc, m_doc.MemoView(), m_doc.TreeView()).ExportSubtree();
        return true;
    case ID_EXPORT_FINDVIEW:
        if (m_doc.FindView())
            ExportFindView(m_doc, *m_doc.FindView());
        return true;
    case ID_EXPORT_MARKDOWN:
    case ID_EXPORT_OPML:
    case ID_EXPORT_HTML:
        ExportExchange(id);
        return true;
    default:
        return false;
    }
}

// The selected memo and its subtree (from the root, the whole document) in an
// exchange format, to the file the save dialog gives. The trash stays out unless
// it is the selected memo or holds it.
void ExportCommands::ExportExchange(int id) {
    CKdTreeView* view = m_doc.TreeView();
    TreeItem* top = view ? view->Tree().GetCaret() : nullptr;
    if (!top)
        return;
    ExchangeFormat format = id == ID_EXPORT_MARKDOWN ? ExchangeFormat::Markdown
                            : id == ID_EXPORT_OPML   ? ExchangeFormat::Opml
                                                     : ExchangeFormat::Html;
    FileDialogRequest request;
    request.save = true;
    request.defaultExtension = FormatExtension(format);
    request.initialName = view->Tree().GetItemText(top);
    request.filter = FormatFilter(format);
    request.confirmOverwrite = true;
    std::optional<std::string> path = m_doc.platform().fileDialogs.Run(request);
    if (!path || path->empty())
        return;
    text_export::WriteOrReport(m_doc, *path, [&](IOutput& out) {
        return ExportOutline(format, m_doc, *view, top, OutlineExportOptions(), out);
    });
}

} // namespace kardel
