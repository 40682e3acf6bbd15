#include "gui/tree/TitleStrip.h"

#include "core/model/ShownTitle.h"
#include "core/tree/CTitleView.h"
#include "gui/common/Cp932Text.h"
#include "gui/shell/MemoPane.h"

#include <QMouseEvent>
#include <QPainter>

namespace kardel::gui {

TitleStrip::TitleStrip(CTitleView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    setObjectName("titleStrip");
    setFocusPolicy(Qt::ClickFocus);
    setMinimumHeight(0);
    m_view.SetRedraw([this] { update(); });
}

QString TitleStrip::TitleText() const {
    return FromCp932(ShownTitle::Cut(m_view.m_strTitle));
}

void TitleStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The strip's background is the desktop's frame colour, like a window border.
    p.fillRect(rect(), palette().color(QPalette::Window).darker(108));
    QFont small = MemoPane::MemoFont();
    small.setPointSize(10);
    QFont large = small;
    large.setPointSize(12);
    const QColor text = palette().color(QPalette::WindowText);
    auto draw = [&](int x, int y, const QFont& font, const QColor& colour, const QString& s) {
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QRect(x, y, 10000, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, s);
    };
    draw(10, 5, small, text, QStringLiteral("Title:"));
    draw(60, 2, large, m_view.m_bDueAlert ? QColor(255, 0, 0) : QColor(0, 0, 255), TitleText());
    draw(340, 5, small, text, Utf8("定義:"));
    draw(390, 5, small, QColor(0, 0, 255), FromCp932(m_view.m_strKind));
    draw(10, 20, small, text, FromCp932(m_view.DateLine()));
    if (m_view.m_bSelItems == 1)
        draw(10, 35, small, text, FromCp932(m_view.SelItemLine()));
}

void TitleStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_view.OnDoubleClick();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace kardel::gui
