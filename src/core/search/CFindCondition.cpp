#include "search/CFindCondition.h"

#include "model/Archive.h"

namespace kardel {

CFindCondition::CFindCondition() : m_timeGiven(Clock::Now()) {}

void CFindCondition::ResetToAllMemos() {
    m_nScope = AllMemos;
    for (auto& flag : m_bKindDef)
        flag = 1;
    m_bKindDone = m_bKindFolder = m_bKindMemo = 1;
    m_bKindsOn = 1;
    m_bDateOn = m_bStringOn = m_bSelOn = 0;
}

void CFindCondition::SwitchAllTestsOff() {
    m_nScope = AllMemos;
    m_bKindsOn = m_bDateOn = m_bStringOn = m_bSelOn = 0;
}

void CFindCondition::Serialize(CArchive& ar) {
    if (ar.IsLoading() && ar.FileVersion() < 4) {
        LoadOldLayout(ar);
        return;
    }
    ar.Exchange(m_nScope);
    for (auto& flag : m_bKindDef)
        ar.Exchange(flag);
    ar.Exchange(m_bKindDone);
    ar.Exchange(m_bKindFolder);
    ar.Exchange(m_bKindMemo);
    ar.Exchange(m_bKindsOn);
    ar.Exchange(m_timeGiven);
    ar.Exchange(m_nDateField);
    ar.Exchange(m_bDateOn);
    ar.Exchange(m_nDateRelation);
    ar.Exchange(m_nDateSource);
    ar.Exchange(m_bSearchBody);
    ar.Exchange(m_bSearchTitle);
    ar.Exchange(m_strSearch);
    ar.Exchange(m_bStringOn);
    ar.Exchange(m_arrSelItems);
    ar.Exchange(m_bSelOn);
}

void CFindCondition::LoadOldLayout(CArchive& ar) {
    auto flag01 = [&ar] { return ar.ReadInt32() != 0 ? 1 : 0; };
    m_bDateOn = flag01();
    m_bKindFolder = ar.ReadInt32();
    m_bKindsOn = flag01();
    m_bKindMemo = ar.ReadInt32();
    m_bKindDef[1] = ar.ReadInt32();
    m_bKindDef[2] = ar.ReadInt32();
    m_bKindDef[3] = ar.ReadInt32();
    m_bKindDef[4] = ar.ReadInt32();
    m_bStringOn = flag01();
    m_bSearchBody = ar.ReadInt32();
    m_bSearchTitle = ar.ReadInt32();
    m_bKindDef[0] = ar.ReadInt32();
    m_nScope = ar.ReadInt32();
    m_nDateField = ar.ReadInt32();
    m_nDateRelation = ar.ReadInt32();
    m_bKindDone = ar.ReadInt32();
    ar.ReadBytes(12); // an old date form (status and a double), not used any more
    m_strSearch = ar.ReadString();
    if (ar.FileVersion() >= 1)
        m_nDateSource = ar.ReadInt32();
}

} // namespace kardel
