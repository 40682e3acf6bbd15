#include "core/search/CFindCondition.h"

#include "core/base/Archive.h"

namespace kardel {

CFindCondition::CFindCondition() : m_givenTime(Clock::Now()) {}

void CFindCondition::ResetToAllMemos() {
    m_scope = AllMemos;
    for (auto& flag : m_kindDef)
        flag = 1;
    m_kindDone = m_kindFolder = m_kindMemo = 1;
    m_kindsOn = 1;
    m_dateOn = m_stringOn = m_selOn = 0;
}

void CFindCondition::SwitchAllTestsOff() {
    m_scope = AllMemos;
    m_kindsOn = m_dateOn = m_stringOn = m_selOn = 0;
}

void CFindCondition::Serialize(CArchive& ar) {
    if (ar.IsLoading() && ar.FileVersion() < 4) {
        LoadOldLayout(ar);
        return;
    }
    ar.Exchange(m_scope);
    for (auto& flag : m_kindDef)
        ar.Exchange(flag);
    ar.Exchange(m_kindDone);
    ar.Exchange(m_kindFolder);
    ar.Exchange(m_kindMemo);
    ar.Exchange(m_kindsOn);
    ar.Exchange(m_givenTime);
    ar.Exchange(m_dateField);
    ar.Exchange(m_dateOn);
    ar.Exchange(m_dateRelation);
    ar.Exchange(m_dateSource);
    ar.Exchange(m_searchBody);
    ar.Exchange(m_searchTitle);
    ar.Exchange(m_search);
    ar.Exchange(m_stringOn);
    ar.Exchange(m_arrSelItems);
    ar.Exchange(m_selOn);
}

void CFindCondition::LoadOldLayout(CArchive& ar) {
    auto flag01 = [&ar] { return ar.ReadInt32() != 0 ? 1 : 0; };
    m_dateOn = flag01();
    m_kindFolder = ar.ReadInt32();
    m_kindsOn = flag01();
    m_kindMemo = ar.ReadInt32();
    m_kindDef[1] = ar.ReadInt32();
    m_kindDef[2] = ar.ReadInt32();
    m_kindDef[3] = ar.ReadInt32();
    m_kindDef[4] = ar.ReadInt32();
    m_stringOn = flag01();
    m_searchBody = ar.ReadInt32();
    m_searchTitle = ar.ReadInt32();
    m_kindDef[0] = ar.ReadInt32();
    m_scope = ar.ReadInt32();
    m_dateField = ar.ReadInt32();
    m_dateRelation = ar.ReadInt32();
    m_kindDone = ar.ReadInt32();
    ar.ReadBytes(12); // an old date form (status and a double), not used any more
    m_search = ar.ReadString();
    if (ar.FileVersion() >= 1)
        m_dateSource = ar.ReadInt32();
}

} // namespace kardel
