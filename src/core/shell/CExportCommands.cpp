#include "shell/CExportCommands.h"

#include "model/CKardelDoc.h"
#include "search/FindViewExport.h"
#include "shell/CTextExporter.h"

namespace kardel {

bool CExportCommands::OnUpdateCmd(CommandId id, CCmdUI& ui) {
    switch (id) {
    case ID_EXPORT_MEMOVIEW:
    case ID_EXPORT_SUBTREE:
    case ID_EXPORT_FINDVIEW:
        ui.enabled = true;
        return true;
    default:
        return false;
    }
}

bool CExportCommands::OnCmdMsg(CommandId id) {
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
    default:
        return false;
    }
}

} // namespace kardel
