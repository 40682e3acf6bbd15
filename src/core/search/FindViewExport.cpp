#include "search/FindViewExport.h"

#include "model/CKardelDoc.h"
#include "model/Texts.h"
#include "search/CKdListView.h"
#include "shell/TextExportFile.h"

namespace kardel {
namespace {

void AppendLine(std::string& out, const std::string* fields, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out.push_back('\t');
        text_export::AppendTextMode(out, fields[i]);
    }
    out.append("\r\n");
}

} // namespace

std::string FindViewExportText(const CKdListView& list, const CKardelDoc& doc) {
    const bool withSel = doc.m_options.m_bSelEnabled != 0;
    std::string out;
    std::string fields[CKdListView::kColumnCount];
    int n = 0;
    fields[n++] = Sjis("タイトル");
    fields[n++] = Sjis("定義");
    if (withSel)
        fields[n++] = doc.m_options.m_strSelTitle;
    for (const char* title : {"作成日", "更新日", "期日", "完了日"})
        fields[n++] = Sjis(title);
    AppendLine(out, fields, n);
    for (int row = 0; row < list.RowCount(); ++row) {
        n = 0;
        for (int column = 0; column < CKdListView::kColumnCount; ++column)
            if (column != CKdListView::kSelColumn || withSel)
                fields[n++] = list.CellText(row, column);
        AppendLine(out, fields, n);
    }
    return out;
}

void ExportFindView(CKardelDoc& doc, const CKdListView& list) {
    std::string path = text_export::AskSavePath(doc, "*.txt");
    if (path.empty())
        return;
    text_export::WriteOrReport(doc, path, FindViewExportText(list, doc));
}

} // namespace kardel
