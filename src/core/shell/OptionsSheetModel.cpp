#include "core/shell/OptionsSheetModel.h"

#include "core/base/Platform.h"
#include "core/base/SettingsStore.h"
#include "core/base/Texts.h"
#include "core/model/BackupRotation.h"
#include "core/model/CKardelDoc.h"
#include "core/model/DefinitionIcons.h"
#include "core/model/ListEditing.h"
#include "core/shell/CommandTable.h"

#include <algorithm>

namespace kardel {

OptionsSheetModel::OptionsSheetModel(CKardelDoc& doc) : m_doc(doc) {
    CDocOptions& o = doc.m_options;
    // The store, not the document, is the source of the four application flags.
    AppSettings settings(doc.settings());
    o.m_bAutoSave = settings.Get(AppSettings::kAutoSave);
    o.m_bSelectModifies = settings.Get(AppSettings::kSelectModifies);
    o.m_bShowFirstFound = settings.Get(AppSettings::kShowFirstFound);
    o.m_bCloseOtherFolders = settings.Get(AppSettings::kCloseOtherFolders);
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
    m_selSelected = m_arrSelItems.empty() ? -1 : 0;
    m_strSelTitle = o.m_strSelTitle;
    m_bSelEnabled = o.m_bSelEnabled;
    m_backupCount = BackupRotation::CountSetting(doc.settings());
}

std::optional<std::string> OptionsSheetModel::Validate(Page page) const {
    if (page == IconPage && std::none_of(std::begin(m_bCycle), std::end(m_bCycle), [](auto f) { return f != 0; }))
        return Sjis("ダブルクリック時に遷移する定義を１つ以上選択する必要があります。");
    if (page == FreePage && m_bSelEnabled && m_strSelTitle.empty())
        return Sjis("タイトルを入力してください。");
    return std::nullopt;
}

void OptionsSheetModel::Apply() {
    UndoHistory::Scope step(m_doc, CommandTable::PlainText(ID_OPTIONS));
    CDocOptions& o = m_doc.m_options;
    if (m_shown[AppliPage]) {
        o.m_bAutoSave = m_bAutoSave;
        o.m_bSelectModifies = m_bSelectModifies;
        o.m_bShowFirstFound = m_bShowFirstFound;
        o.m_bCloseOtherFolders = m_bCloseOtherFolders;
        AppSettings settings(m_doc.settings());
        settings.Set(AppSettings::kAutoSave, m_bAutoSave);
        settings.Set(AppSettings::kSelectModifies, m_bSelectModifies);
        settings.Set(AppSettings::kShowFirstFound, m_bShowFirstFound);
        settings.Set(AppSettings::kCloseOtherFolders, m_bCloseOtherFolders);
    }
    if (m_shown[StdFindPage]) {
        for (int i = 0; i < 5; ++i) {
            o.m_stdFind[i] = m_stdFind[i];
            o.m_strStdFindName[i] = m_strStdFindName[i];
        }
        o.m_nInitialFind = m_nInitialFind;
    }
    if (m_shown[IconPage]) {
        for (int i = 0; i < 5; ++i) {
            o.m_strIconFile[i] = m_strIconFile[i];
            o.m_strDefName[i] = m_strDefName[i];
        }
        std::copy(std::begin(m_bCycle), std::end(m_bCycle), std::begin(o.m_bCycle));
        ReloadDefinitionIcons(o, m_doc.frame());
        m_doc.UpdateAllViews(nullptr, HintIconsReloaded, m_doc.CurrentMemo());
    }
    if (m_shown[MemoViewPage]) {
        o.m_nTabChoice = m_nTabChoice;
        // MemoView reloads the memo with the new tab stops; what was typed and not yet
        // stored is stored first so that the reload cannot throw it away.
        CMemoItem* current = m_doc.CurrentMemo();
        m_doc.UpdateAllViews(nullptr, HintStoreText, current);
        m_doc.UpdateAllViews(nullptr, HintTabChanged, current);
    }
    if (m_shown[FreePage]) {
        o.m_arrSelItems = m_arrSelItems;
        o.m_strSelTitle = m_strSelTitle;
        o.m_bSelEnabled = m_bSelEnabled;
        m_doc.UpdateAllViews(nullptr, HintSelItemsChanged, nullptr);
    }
    if (m_shown[SavePage])
        AppSettings(m_doc.settings())
            .Set(AppSettings::kBackupCount, std::clamp(m_backupCount, 0, BackupRotation::kMaxCount));
}

std::string OptionsSheetModel::FreeTabText() const {
    return m_bSelEnabled ? m_strSelTitle : Sjis("選択項目");
}

FindSheetModel OptionsSheetModel::BeginStdFindEdit(int k) const {
    return FindSheetModel(m_stdFind[std::clamp(k, 0, 4)], m_doc.m_options, true);
}

void OptionsSheetModel::ApplyStdFindSheet(const FindSheetModel& sheet) {
    sheet.ApplyShown(m_doc.m_findCond);
}

void OptionsSheetModel::EndStdFindEdit(int k, const FindSheetModel& sheet) {
    sheet.ApplyAll(m_stdFind[std::clamp(k, 0, 4)]);
}

bool OptionsSheetModel::FreeAdd(const std::string& text) {
    m_arrSelItems.push_back(text);
    m_selSelected = static_cast<int>(m_arrSelItems.size()) - 1;
    return true;
}

bool OptionsSheetModel::FreeChange(const std::string& text) {
    if (m_selSelected < 0 || static_cast<size_t>(m_selSelected) >= m_arrSelItems.size())
        return false;
    m_arrSelItems[m_selSelected] = text;
    return true;
}

bool OptionsSheetModel::FreeDelete() {
    return EraseAndReselect(m_arrSelItems, m_selSelected);
}
bool OptionsSheetModel::FreeMoveUp() {
    return MoveSelected(m_arrSelItems, m_selSelected, true);
}
bool OptionsSheetModel::FreeMoveDown() {
    return MoveSelected(m_arrSelItems, m_selSelected, false);
}

} // namespace kardel
