#include "dialogs/CFindPage.h"

#include "dialogs/DialogText.h"

#include <QCheckBox>

namespace kardel::gui {

QCheckBox* CFindPage::MakeTestBox() {
    auto* box = new QCheckBox(Tr("検索の対象とする。"), this);
    box->setObjectName(QStringLiteral("testOn"));
    return box;
}

} // namespace kardel::gui
