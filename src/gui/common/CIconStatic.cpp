#include "gui/common/CIconStatic.h"

#include "gui/common/IconList.h"

namespace kardel::gui {

CIconStatic::CIconStatic(QWidget* parent) : QLabel(parent) {
    setFixedSize(IconList::kSize + 4, IconList::kSize + 4);
    setAlignment(Qt::AlignCenter);
}

void CIconStatic::SetIconFromList(const IconList& iconList, int index) {
    m_index = index;
    setPixmap(iconList.Pixmap(index));
}

bool CIconStatic::SetIconFromFile(const QString& path, int fallbackIndex) {
    QImage image = IconList::ImageOfFile(path);
    if (!image.isNull()) {
        m_index = -1;
        setPixmap(QPixmap::fromImage(
            image.scaled(IconList::kSize, IconList::kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        return true;
    }
    SetIconFromList(IconList::Instance(), fallbackIndex);
    return false;
}

} // namespace kardel::gui
