#pragma once
#include <optional>
#include <string>

namespace kardel {

class CDocOptions;
class CFindCondition;
class CKardelDoc;
struct MemoPropValues;

// What the subtree export's save dialog returns: the path and its two check boxes.
struct SubtreeExportChoice {
    std::string path; // file system path
    bool titleOnly = false;
    bool viewOnly = false;
};

// The program's own modal dialogs. The Qt skin shows them; tests and the CLI
// script their answers. Every dialog edits the values it is given and reports
// whether it ended with OK.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Memo properties ("ﾒﾓのﾌﾟﾛﾊﾟﾃｨ"); a kind index of -1 or -2 means a folder.
    virtual bool MemoProperties(MemoPropValues& values, const CDocOptions& options) = 0;
    // The search sheet: each page that was shown writes its slice into `target`
    // on OK and on Apply (so applied values stay after Cancel). True on OK.
    virtual bool FindSheet(CFindCondition& target, const CDocOptions& options, bool restrictedScope) = 0;
    // The standard search choice: the chosen number 1 to 5, 0 for OK with no row
    // selected, nothing on Cancel. `lastChosen` (0 to 5) is preselected.
    virtual std::optional<int> StdFindChoice(const CDocOptions& options, int lastChosen) = 0;
    // The subtree export's save dialog with its two check boxes, filled with the given states.
    virtual std::optional<SubtreeExportChoice> SubtreeExport(const std::string& initialName, bool titleOnly,
                                                             bool viewOnly) = 0;
    // The options sheet over the document; confirming it carries the pages' values over.
    virtual bool OptionsSheet(CKardelDoc& doc) = 0;
    virtual void AboutBox() = 0;
};

} // namespace kardel
