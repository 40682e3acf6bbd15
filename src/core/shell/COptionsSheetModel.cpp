#include "shell/COptionsSheetModel.h"

#include "model/BackupRotation.h"
#include "model/CKardelDoc.h"
#include "model/DefinitionIcons.h"
#include "model/ListEditing.h"
#include "model/SettingsStore.h"
#include "model/Texts.h"
#include "shell/CCommandTable.h"
#include "shell/Platform.h"

#include <algorithm>

namespace kardel {

COptionsSheetModel::COptionsSheetModel(CKardelDoc& doc) : m_doc(doc) {
    CDocOptions& o = doc.m_options;
    // The store, not the document, is the source of the four application flags.
    CSettings settings(doc.settings());
    o.m_bAutoSave = settings.Get(CSettings::kAutoSave);
    o.m_bSelectModifies = settings.Get(CSettings::kSelectModifies);
    o.m_bShowFirstFound = settings.Get(CSettings::kShowFirstFound);
    o.m_bCloseOtherFolders = settings.Get(CSettings::kCloseOtherFolders);
    m_bAutoSave = o.m_bAutoSave;
    m_bSelectModifies = o.m_bSelectModifies;
    m_bShowFirstFound = o.m_bShowFirstFound;
    m_bCloseOtherFolders = o.m_bCloseOtherFolders;

    for (int i = 0; i < 5; ++i) {
        m_stdFind[i] = o.m_stdFind[i];
        m_strStdFindName[i] = o.m_strStdFindName[i];
        m_strIconFile[i] = o.m_strIconFile[i].empty() ? texts::Undefined() : o.m_strIconFile[i];
        m_strDefName[i] = o.m_strDefName[i];
    }
    m_nInitialFind = o.m_nInitialFind;
    std::copy(std::begin(o.m_bCycle), std::end(o.m_bCycle), std::begin(m_bCycle));
    m_nTabChoice = o.m_nTabChoice;
    m_arrSelItems = o.m_arrSelItems;
    m_nSelSelected = m_arrSelItems.empty() ? -1 : 0;
    m_strSelTitle = o.m_strSelTitle;
    m_bSelEnabled = o.m_bSelEnabled;
    m_nBackupCount = BackupRotation::CountSetting(doc.settings());
}

std::optional<std::string> COptionsSheetModel::Validate(Page page) const {
    if (page == IconPage && std::none_of(std::begin(m_bCycle), std::end(m_bCycle), [](auto f) { return f != 0; }))
        return Sjis("ダブルクリック時に遷移する定義を１つ以上選択する必要があります。");
    if (page == FreePage && m_bSelEnabled && m_strSelTitle.empty())
        return Sjis("タイトルを入力してください。");
    return std::nullopt;
}

void COptionsSheetModel::Apply() {
    UndoHistory::Scope step(m_doc, CCommandTable::PlainText(ID_OPTIONS));
    CDocOptions& o = m_doc.m_options;
    if (m_bShown[AppliPage]) {
        o.m_bAutoSave = m_bAutoSave;
        o.m_bSelectModifies = m_bSelectModifies;
        o.m_bShowFirstFound = m_bShowFirstFound;
        o.m_bCloseOtherFolders = m_bCloseOtherFolders;
        CSettings settings(m_doc.settings());
        settings.Set(CSettings::kAutoSave, m_bAutoSave);
        settings.Set(CSettings::kSelectModifies, m_bSelectModifies);
        settings.Set(CSettings::kShowFirstFound, m_bShowFirstFound);
        settings.Set(CSettings::kCloseOtherFolders, m_bCloseOtherFolders);
    }
    if (m_bShown[StdFindPage]) {
        for (int i = 0; i < 5; ++i) {
            o.m_stdFind[i] = m_stdFind[i];
            o.m_strStdFindName[i] = m_strStdFindName[i];
        }
        o.m_nInitialFind = m_nInitialFind;
    }
    if (m_bShown[IconPage]) {
        for (int i = 0; i < 5; ++i) {
            o.m_strIconFile[i] = m_strIconFile[i];
            o.m_strDefName[i] = m_strDefName[i];
        }
        std::copy(std::begin(m_bCycle), std::end(m_bCycle), std::begin(o.m_bCycle));
        ReloadDefinitionIcons(o, m_doc.frame());
        m_doc.UpdateAllViews(nullptr, HintIconsReloaded, m_doc.Memo(m_doc.m_nCurMemo));
    }
    if (m_bShown[MemoViewPage]) {
        o.m_nTabChoice = m_nTabChoice;
        // MemoView reloads the memo with the new tab stops; what was typed and not yet
        // stored is stored first so that the reload cannot throw it away.
        CMemoItem* current = m_doc.Memo(m_doc.m_nCurMemo);
        m_doc.UpdateAllViews(nullptr, HintStoreText, current);
        m_doc.UpdateAllViews(nullptr, HintTabChanged, current);
    }
    if (m_bShown[FreePage]) {
        o.m_arrSelItems = m_arrSelItems;
        o.m_strSelTitle = m_strSelTitle;
        o.m_bSelEnabled = m_bSelEnabled;
        m_doc.UpdateAllViews(nullptr, HintSelItemsChanged, nullptr);
    }
    if (m_bShown[SavePage])
        CSettings(m_doc.settings())
            .Set(CSettings::kBackupCount, std::clamp(m_nBackupCount, 0, BackupRotation::kMaxCount));
}

std::string COptionsSheetModel::FreeTabText() const {
    return m_bSelEnabled ? m_strSelTitle : Sjis("選択項目");
}

CFindSheetModel COptionsSheetModel::BeginStdFindEdit(int k) const {
    return CFindSheetModel(m_stdFind[std::clamp(k, 0, 4)], m_doc.m_options, true);
}

void COptionsSheetModel::ApplyStdFindSheet(const CFindSheetModel& sheet) {
    sheet.ApplyShown(m_doc.m_findCond);
}

void COptionsSheetModel::EndStdFindEdit(int k, const CFindSheetModel& sheet) {
    sheet.ApplyAll(m_stdFind[std::clamp(k, 0, 4)]);
}

bool COptionsSheetModel::FreeAdd(const std::string& text) {
    m_arrSelItems.push_back(text);
    m_nSelSelected = static_cast<int>(m_arrSelItems.size()) - 1;
    return true;
}

bool COptionsSheetModel::FreeChange(const std::string& text) {
    if (m_nSelSelected < 0 || static_cast<size_t>(m_nSelSelected) >= m_arrSelItems.size())
        return false;
    m_arrSelItems[m_nSelSelected] = text;
    return true;
}

bool COptionsSheetModel::FreeDelete() {
    return EraseAndReselect(m_arrSelItems, m_nSelSelected);
}
bool COptionsSheetModel::FreeMoveUp() {
    return MoveSelected(m_arrSelItems, m_nSelSelected, true);
}
bool COptionsSheetModel::FreeMoveDown() {
    return MoveSelected(m_arrSelItems, m_nSelSelected, false);
}

} // namespace kardel
