#include "core/model/CDocOptions.h"

#include "core/base/Archive.h"
#include "core/base/Texts.h"
#include "core/model/CMemoItem.h"

namespace kardel {

CDocOptions::CDocOptions() {
    static const char* const names[5] = {"定義１", "定義２", "定義３", "定義４", "定義５"};
    for (int i = 0; i < 5; ++i) {
        m_strStdFindName[i] = texts::Undefined();
        m_strIconFile[i] = texts::Undefined();
        m_strDefName[i] = Sjis(names[i]);
    }
}

int CDocOptions::CycleFlagIndex(std::int32_t kind) {
    if (kind >= KindDef1 && kind <= KindDef5)
        return kind - KindDef1;
    if (kind == KindDone)
        return 5;
    if (kind == KindMemo)
        return 6;
    return -1;
}

std::string CDocOptions::KindName(std::int32_t kind) const {
    if (IsFolderKind(kind))
        return Sjis("ﾌｫﾙﾀﾞ");
    if (IsTrashKind(kind))
        return texts::TrashTitle();
    if (kind == KindMemo)
        return Sjis("ﾒﾓ");
    if (kind >= KindDef1 && kind <= KindDef5)
        return DefinitionName(kind);
    if (kind == KindDone)
        return Sjis("完了");
    return {};
}

const std::string& CDocOptions::DefinitionName(std::int32_t kind) const {
    static const std::string empty;
    if (kind >= KindDef1 && kind <= KindDef5)
        return m_strDefName[kind - KindDef1];
    return empty;
}

void CDocOptions::Serialize(CArchive& ar) {
    if (ar.IsLoading() && ar.FileVersion() < 4) {
        LoadBeforeVersion4(ar);
        return;
    }
    for (auto& condition : m_stdFind)
        condition.Serialize(ar);
    ar.Exchange(m_nInitialFind);
    for (auto& name : m_strDefName)
        ar.Exchange(name);
    ar.Exchange(m_nTabChoice);
    for (auto& file : m_strIconFile)
        ar.Exchange(file);
    for (auto& name : m_strStdFindName)
        ar.Exchange(name);
    for (auto& flag : m_bCycle)
        ar.Exchange(flag);
    ar.Exchange(m_arrSelItems);
    ar.Exchange(m_strSelTitle);
    ar.Exchange(m_bSelEnabled);
}

// Versions 0 to 3 held one standard search and an older initial-search switch.
void CDocOptions::LoadBeforeVersion4(CArchive& ar) {
    int version = ar.FileVersion();
    m_stdFind[0].Serialize(ar);
    std::int32_t initialSwitch = ar.ReadInt32(); // X
    std::int32_t stored = ar.ReadInt32();
    if (version <= 1)
        ar.ReadInt32(); // a value no longer used
    for (auto& name : m_strDefName)
        name = ar.ReadString();
    m_nTabChoice = ar.ReadInt32();
    if (version == 3) {
        for (int i = 0; i < 5; ++i)
            ar.ReadInt32(); // values no longer used
        for (auto& file : m_strIconFile)
            file = ar.ReadString();
    } else {
        for (auto& file : m_strIconFile)
            file = texts::Undefined();
    }
    for (int i = 1; i < 5; ++i)
        m_stdFind[i].SwitchAllTestsOff();
    if (initialSwitch == 0)
        m_nInitialFind = 0;
    else
        m_nInitialFind = stored != 0 ? 6 : 1;
    for (auto& name : m_strStdFindName)
        name = texts::Undefined();
    for (auto& flag : m_bCycle)
        flag = 1;
    m_arrSelItems.clear();
    m_strSelTitle.clear();
    m_bSelEnabled = 0;
}

} // namespace kardel
