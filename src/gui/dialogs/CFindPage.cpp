#include "dialogs/CFindPage.h"

#include "Cp932Text.h"

#include <QCheckBox>

namespace kardel::gui {

QCheckBox* CFindPage::MakeTestBox() {
    auto* box = new QCheckBox(Utf8("検索の対象とする。"), this);
    box->setObjectName(QStringLiteral("testOn"));
    return box;
}

} // namespace kardel::gui
