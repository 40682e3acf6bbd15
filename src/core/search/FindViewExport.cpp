#include "core/search/FindViewExport.h"

#include "core/base/OutputSink.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/search/CKdListView.h"
#include "core/shell/TextExportFile.h"

namespace kardel {
namespace {

void WriteLine(IOutput& out, const std::string* fields, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out.Put("\t");
        text_export::WriteTextMode(out, fields[i]);
    }
    out.Put("\r\n");
}

} // namespace

bool WriteFindViewExport(IOutput& out, const CKdListView& list, const CKardelDoc& doc) {
    const bool withSel = doc.m_options.m_bSelEnabled != 0;
    std::string fields[CKdListView::kColumnCount];
    int n = 0;
    fields[n++] = Sjis("タイトル");
    fields[n++] = Sjis("定義");
    if (withSel)
        fields[n++] = doc.m_options.m_strSelTitle;
    for (const char* title : {"作成日", "更新日", "期日", "完了日"})
        fields[n++] = Sjis(title);
    WriteLine(out, fields, n);
    for (int row = 0; row < list.RowCount() && out.Good(); ++row) {
        n = 0;
        for (int column = 0; column < CKdListView::kColumnCount; ++column)
            if (column != CKdListView::kSelColumn || withSel)
                fields[n++] = list.CellText(row, column);
        WriteLine(out, fields, n);
    }
    return out.Good();
}

std::string FindViewExportText(const CKdListView& list, const CKardelDoc& doc) {
    MemoryOutput out;
    WriteFindViewExport(out, list, doc);
    return out.take();
}

void ExportFindView(CKardelDoc& doc, const CKdListView& list) {
    std::string path = text_export::AskSavePath(doc, "*.txt");
    if (path.empty())
        return;
    text_export::WriteOrReport(doc, path, [&](IOutput& out) { return WriteFindViewExport(out, list, doc); });
}

} // namespace kardel
