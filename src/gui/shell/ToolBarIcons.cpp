#include "gui/shell/ToolBarIcons.h"

#include "core/base/CommandIds.h"
#include "gui/common/IconList.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace kardel::gui {
namespace {

const QColor kInk(0x30, 0x38, 0x48);
const QColor kBlue(0x28, 0x60, 0xc0);
const QColor kPaper(0xff, 0xff, 0xff);

QIcon Draw(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    p.setPen(QPen(kInk, 1));
    draw(p);
    p.end();
    pixmap.setDevicePixelRatio(2);
    return QIcon(pixmap);
}

void Sheet(QPainter& p, QRectF r) {
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(QColor(0x90, 0xa0, 0xc0), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    p.setPen(QPen(kInk, 1));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    d /= len;
    QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 4.5 + n * 4);
    p.drawLine(to, to - d * 4.5 - n * 4);
    p.setPen(QPen(kInk, 1));
}

void Lens(QPainter& p) {
    p.setBrush(QColor(0xd8, 0xe8, 0xff));
    p.setPen(QPen(kInk, 1.5));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(QPen(kInk, 1));
}

void Plus(QPainter& p, QPointF c, const QColor& colour) {
    p.setPen(QPen(colour, 2));
    p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
    p.setPen(QPen(kInk, 1));
}

// The four view modes: which of TreeView (left) and FindView (top right) show.
QIcon Layout(bool tree, bool find) {
    return Draw([tree, find](QPainter& p) {
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(0xa8, 0xc8, 0xf0));
        if (tree)
            p.drawRect(QRectF(1.5, 2.5, 4, 11));
        if (find)
            p.drawRect(QRectF(tree ? 5.5 : 1.5, 2.5, tree ? 9 : 13, 3.5));
    });
}

QIcon Make(int id) {
    switch (id) {
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
        return Draw([id](QPainter& p) {
            p.setBrush(kBlue);
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(kPaper);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.drawRect(QRectF(3.5, 9.5, 9, 5));
            if (id == ID_FILE_SAVE_AS) {
                p.setPen(QPen(QColor(0xe0, 0x80, 0x10), 2.2, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(8, 14), QPointF(15, 7));
            }
        });
    case ID_EDIT_CUT:
    case ID_MEMO_CUT:
        return Draw([](QPainter& p) {
            p.setPen(QPen(kInk, 1.4));
            p.drawLine(QPointF(4, 1), QPointF(10.5, 11));
            p.drawLine(QPointF(12, 1), QPointF(5.5, 11));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(kBlue, 1.6));
            p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
            p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
        });
    case ID_EDIT_COPY:
    case ID_MEMO_COPY:
        return Draw([](QPainter& p) {
            Sheet(p, QRectF(1.5, 1.5, 8, 10));
            Sheet(p, QRectF(6.5, 4.5, 8, 10));
        });
    case ID_EDIT_PASTE:
    case ID_MEMO_PASTE:
        return Draw([](QPainter& p) {
            p.setBrush(QColor(0xc8, 0x98, 0x50));
            p.drawRect(QRectF(1.5, 2.5, 10, 12));
            p.setBrush(QColor(0x90, 0x90, 0x98));
            p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
            Sheet(p, QRectF(6.5, 6.5, 8, 9));
        });
    case ID_EDIT_FIND:
    case ID_FIND:
        return Draw(Lens);
    case ID_FIND_AGAIN:
        return Draw([](QPainter& p) {
            Lens(p);
            Arrow(p, QPointF(10, 2.5), QPointF(15, 2.5));
        });
    case ID_FIND_STANDARD:
        return Draw([](QPainter& p) {
            Lens(p);
            p.setBrush(QColor(0xf0, 0xc0, 0x20));
            p.setPen(QPen(QColor(0xa0, 0x70, 0x00), 0.8));
            p.drawEllipse(QPointF(13, 3), 2.6, 2.6);
        });
    case ID_MEMO_PROPERTY:
        return Draw([](QPainter& p) {
            Sheet(p, QRectF(2.5, 1.5, 11, 13));
            p.setBrush(kBlue);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(11, 11), 4, 4);
            p.setPen(QPen(kPaper, 1.6));
            p.drawLine(QPointF(11, 10), QPointF(11, 13.5));
            p.drawPoint(QPointF(11, 8.3));
        });
    case ID_EXPAND_ALL:
    case ID_COLLAPSE_ALL:
        return Draw([id](QPainter& p) {
            p.setBrush(kPaper);
            p.drawRect(QRectF(2.5, 2.5, 11, 11));
            p.setPen(QPen(kInk, 2));
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
            if (id == ID_EXPAND_ALL)
                p.drawLine(QPointF(8, 5), QPointF(8, 11));
        });
    case ID_VIEW_NORMAL:
        return Layout(true, true);
    case ID_VIEW_TREE_MEMO:
        return Layout(true, false);
    case ID_VIEW_FIND_MEMO:
        return Layout(false, true);
    case ID_VIEW_MEMO_ONLY:
        return Layout(false, false);
    case ID_FILE_PRINT:
        return Draw([](QPainter& p) {
            Sheet(p, QRectF(4.5, 1.5, 7, 6));
            p.setBrush(QColor(0xb0, 0xb4, 0xc0));
            p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
            p.setBrush(kPaper);
            p.drawRect(QRectF(4.5, 10.5, 7, 4));
        });
    case ID_OPTIONS:
        return Draw([](QPainter& p) {
            for (int i = 0; i < 3; ++i) {
                const qreal y = 3.5 + i * 4.5;
                p.drawLine(QPointF(2, y), QPointF(14, y));
                p.setBrush(kBlue);
                p.drawRect(QRectF(3.5 + i * 3.5, y - 1.5, 3, 3));
            }
        });
    case ID_HELP_FINDER:
        return Draw([](QPainter& p) {
            p.setBrush(kBlue);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            p.setPen(kPaper);
            QFont font = p.font();
            font.setPixelSize(11);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        });
    case ID_MEMO_CREATE:
    case ID_MEMO_CREATE_UNTITLED:
        return Draw([id](QPainter& p) {
            Sheet(p, QRectF(1.5, 1.5, 10, 12));
            Plus(p, QPointF(12, 12), id == ID_MEMO_CREATE ? QColor(0x10, 0x90, 0x20) : QColor(0x90, 0x90, 0x90));
        });
    case ID_MEMO_DUPLICATE:
        return Draw([](QPainter& p) {
            Sheet(p, QRectF(1.5, 1.5, 8, 10));
            Sheet(p, QRectF(5.5, 4.5, 8, 10));
            Plus(p, QPointF(12.5, 12.5), QColor(0x10, 0x90, 0x20));
        });
    case ID_MEMO_TO_TRASH:
        return IconList::BuiltIn(3);
    case ID_MEMO_EMPTY_TRASH:
        return IconList::BuiltIn(2);
    case ID_MEMO_UP:
        return Draw([](QPainter& p) { Arrow(p, QPointF(8, 14), QPointF(8, 2.5)); });
    case ID_MEMO_DOWN:
        return Draw([](QPainter& p) { Arrow(p, QPointF(8, 2), QPointF(8, 13.5)); });
    case ID_MEMO_LEVEL_UP:
        return Draw([](QPainter& p) { Arrow(p, QPointF(14, 8), QPointF(2.5, 8)); });
    case ID_MEMO_LEVEL_DOWN:
        return Draw([](QPainter& p) { Arrow(p, QPointF(2, 8), QPointF(13.5, 8)); });
    default:
        return {};
    }
}

} // namespace

QIcon ToolBarIcon(int id) {
    static QHash<int, QIcon> cache;
    auto it = cache.find(id);
    if (it == cache.end())
        it = cache.insert(id, Make(id));
    return *it;
}

} // namespace kardel::gui
