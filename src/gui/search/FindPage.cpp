#include "gui/search/FindPage.h"

#include "gui/common/Cp932Text.h"

#include <QCheckBox>

namespace kardel::gui {

QCheckBox* FindPage::MakeTestBox() {
    auto* box = new QCheckBox(Utf8("検索の対象とする。"), this);
    box->setObjectName(QStringLiteral("testOn"));
    return box;
}

} // namespace kardel::gui
