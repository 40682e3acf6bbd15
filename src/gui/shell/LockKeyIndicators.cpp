#include "gui/shell/LockKeyIndicators.h"

#include "gui/shell/XkbLockState.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

namespace kardel::gui {
namespace {

struct Indicator {
    const char* text;    // what the pane shows while the lock is on
    const char* xkbName; // the X keyboard extension's indicator name
};
constexpr Indicator kIndicators[] = {
    {"ｶﾅ", "Kana"}, {"CAP", "Caps Lock"}, {"NUM", "Num Lock"}, {"SCRL", "Scroll Lock"}};

} // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* bar) : QObject(bar) {
    for (int i = 0; i < kCount; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("indicator%1").arg(i));
        const QString text = QString::fromUtf8(kIndicators[i].text);
        label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(text) + 8);
        label->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(label);
        m_labels[i] = label;
    }
    qApp->installEventFilter(this);
    Refresh();
}

bool LockKeyIndicators::IsShown(int indicator) const {
    return indicator >= 0 && indicator < kCount && !m_labels[indicator]->text().isEmpty();
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        Refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void LockKeyIndicators::Refresh() {
    for (int i = 0; i < kCount; ++i) {
        const QString text = XkbLockIsOn(kIndicators[i].xkbName) ? QString::fromUtf8(kIndicators[i].text) : QString();
        if (m_labels[i]->text() != text)
            m_labels[i]->setText(text);
    }
}

} // namespace kardel::gui
