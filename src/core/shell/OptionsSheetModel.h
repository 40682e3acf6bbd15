#pragma once
#include "core/model/CDocOptions.h"
#include "core/search/FindSheetModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kardel {

class CKardelDoc;

// The working copies behind the options sheet "設定ダイアログ" and their transfers to
// the document's options record and the settings store. The sheet tells the model
// which pages it has shown; applying writes the shown pages only.
class OptionsSheetModel {
public:
    enum Page {
        AppliPage = 0,
        StdFindPage = 1,
        IconPage = 2,
        MemoViewPage = 3,
        FreePage = 4,
        SavePage = 5,
        PageCount = 6
    };

    // Reads the four application flags from the settings store into the record,
    // then fills every page from the record.
    explicit OptionsSheetModel(CKardelDoc& doc);
    OptionsSheetModel(const OptionsSheetModel&) = delete;
    OptionsSheetModel& operator=(const OptionsSheetModel&) = delete;

    void MarkShown(Page page) { m_shown[page] = true; }
    bool WasShown(Page page) const { return m_shown[page]; }

    // The message that keeps the user on `page` when leaving it or applying, cp932;
    // nothing when the page may be left.
    std::optional<std::string> Validate(Page page) const;
    // Every shown page into the record (and the store), with its update hint.
    void Apply();

    // The fifth tab's text: the title while selection items are enabled, else "選択項目".
    std::string FreeTabText() const;

    // Editing standard search k (0..4) in the search sheet: the sheet starts from
    // working copy k with only "every memo" as scope; after OK all five slices
    // return to the working copy, the selection slice included.
    FindSheetModel BeginStdFindEdit(int k) const;
    // OK or 適用 of that sheet: as for the find command, the shown pages write their
    // slices into the document's current search.
    void ApplyStdFindSheet(const FindSheetModel& sheet);
    void EndStdFindEdit(int k, const FindSheetModel& sheet);

    // Selection items page list steps; each returns true when the list changed.
    bool FreeAdd(const std::string& text);
    bool FreeChange(const std::string& text);
    bool FreeDelete();
    bool FreeMoveUp();
    bool FreeMoveDown();

    // Application page.
    std::int32_t m_bAutoSave = 0;
    std::int32_t m_bSelectModifies = 0;
    std::int32_t m_bShowFirstFound = 0;
    std::int32_t m_bCloseOtherFolders = 0;
    // Standard searches page.
    CFindCondition m_stdFind[5];
    std::string m_strStdFindName[5];
    std::int32_t m_nInitialFind = 0;
    // Icons and definitions page; an empty icon file shows as "未定義".
    std::string m_strIconFile[5];
    std::string m_strDefName[5];
    std::int32_t m_bCycle[7] = {1, 1, 1, 1, 1, 1, 1}; // definitions 1..5, done, memo
    // MemoView page.
    std::int32_t m_nTabChoice = 1;
    // Selection items page.
    std::vector<std::string> m_arrSelItems;
    int m_selSelected = -1;
    std::string m_strSelTitle;
    std::int32_t m_bSelEnabled = 0;
    // Save page "保存": how many earlier versions a save keeps, a per-user setting.
    int m_backupCount = 5;

    CKardelDoc& doc() const { return m_doc; }

private:
    CKardelDoc& m_doc;
    bool m_shown[PageCount] = {};
};

} // namespace kardel
