#pragma once
#include <string>

namespace kardel {

class CKardelDoc;
class CKdListView;
class IOutput;

// FindView's rows as tab-separated text: a header line, then one line per row in
// the list's order, each field the cell's displayed text, CR LF after every line.
// The selection-item column takes part only while selection items are enabled.
// Written row by row; false when the output failed.
bool WriteFindViewExport(IOutput& out, const CKdListView& list, const CKardelDoc& doc);
std::string FindViewExportText(const CKdListView& list, const CKardelDoc& doc); // the same, in memory

// ID_EXPORT_FINDVIEW: the save dialog, then the file.
void ExportFindView(CKardelDoc& doc, const CKdListView& list);

} // namespace kardel
