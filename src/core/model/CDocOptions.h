#pragma once
#include "core/search/CFindCondition.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardel {

class CArchive;

// Options that travel with a document, plus transfer copies of four user
// settings that live in the settings store (never in the file).
class CDocOptions {
public:
    CDocOptions();

    // Copies of settings-store values while the options dialog is open.
    std::int32_t m_bCloseOtherFolders = 0;
    std::int32_t m_bShowFirstFound = 0;
    std::int32_t m_bAutoSave = 0;
    std::int32_t m_bSelectModifies = 0;

    CFindCondition m_stdFind[5];
    std::string m_strStdFindName[5];
    std::int32_t m_nInitialFind = 0; // 0 none, 1..5 standard search, 6 every memo
    std::string m_strIconFile[5];
    std::string m_strDefName[5];
    std::int32_t m_bCycle[7] = {1, 1, 1, 1, 1, 1, 1}; // definitions 1..5, done, memo
    std::int32_t m_nTabChoice = 1;                    // 0 two, 1 four, 2 eight characters
    std::vector<std::string> m_arrSelItems;
    std::string m_strSelTitle;
    std::int32_t m_bSelEnabled = 0;

    // Index into m_bCycle of the double-click flag of kind 4..10, or -1.
    static int CycleFlagIndex(std::int32_t kind);
    // Name of a kind as lists show it: definitions by their names.
    const std::string& DefinitionName(std::int32_t kind) const;
    // Name of any kind as FindView's kind column and the exports show it (cp932): folders,
    // the trash, memos, the definitions by their names and done; empty for another value.
    std::string KindName(std::int32_t kind) const;

    void Serialize(CArchive& ar);

private:
    void LoadBeforeVersion4(CArchive& ar);
};

} // namespace kardel
