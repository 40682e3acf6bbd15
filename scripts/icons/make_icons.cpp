// Draws the memo icons (16 x 16 PNG) into res/icons. Run once after changing a picture:
//   g++ -std=c++20 -fPIC make_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o make_icons
//   QT_QPA_PLATFORM=offscreen ./make_icons ../../res/icons
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

static void Save(const QString& dir, const QString& name, const std::function<void(QPainter&)>& draw) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    image.save(dir + "/" + name + ".png");
}

static void Folder(QPainter& p, bool open) {
    p.setPen(QColor(0x80, 0x60, 0x10));
    p.setBrush(QColor(0xe8, 0xc0, 0x50));
    p.drawRect(QRectF(1.5, 3.5, 5, 2));
    p.drawRect(QRectF(1.5, 4.5, 12, 9));
    if (open) {
        QPainterPath front;
        front.moveTo(1.5, 13.5);
        front.lineTo(4.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(12.5, 13.5);
        front.closeSubpath();
        p.setBrush(QColor(0xf8, 0xe0, 0x88));
        p.drawPath(front);
    }
}

static void Trash(QPainter& p, bool full) {
    p.setPen(QColor(0x40, 0x40, 0x50));
    if (full) {
        p.setBrush(QColor(0xf0, 0xf0, 0xf0));
        p.drawRect(QRectF(4.5, 1.5, 4, 4));
        p.setBrush(QColor(0xa0, 0xc8, 0xf0));
        p.drawRect(QRectF(7.5, 0.5, 4, 4));
    }
    p.setBrush(QColor(0xb8, 0xbc, 0xc8));
    p.drawRect(QRectF(2.5, 4.5, 11, 2));
    QPainterPath can;
    can.moveTo(3.5, 6.5);
    can.lineTo(12.5, 6.5);
    can.lineTo(11.5, 15.5);
    can.lineTo(4.5, 15.5);
    can.closeSubpath();
    p.setBrush(QColor(0xd0, 0xd4, 0xdc));
    p.drawPath(can);
    p.drawLine(QPointF(6.5, 8), QPointF(6.5, 14));
    p.drawLine(QPointF(9.5, 8), QPointF(9.5, 14));
}

static void Sheet(QPainter& p) {
    QPainterPath page;
    page.moveTo(2.5, 0.5);
    page.lineTo(10.5, 0.5);
    page.lineTo(13.5, 3.5);
    page.lineTo(13.5, 15.5);
    page.lineTo(2.5, 15.5);
    page.closeSubpath();
    p.setPen(QColor(0x50, 0x50, 0x60));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QColor(0x70, 0x90, 0xc0));
    for (int y = 5; y <= 13; y += 2)
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
}

static void Ball(QPainter& p, QColor colour) {
    QRadialGradient shade(QPointF(6, 6), 8);
    shade.setColorAt(0, colour.lighter(180));
    shade.setColorAt(1, colour);
    p.setPen(colour.darker(160));
    p.setBrush(shade);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
}

static void Done(QPainter& p) {
    p.setPen(QPen(QColor(0xd0, 0x10, 0x10), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(0.8, 0.8, 14.4, 14.4));
    QFont font("Noto Sans CJK JP");
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QString::fromUtf8("\xe6\xb8\x88"));
}

static void Check(QPainter& p) {
    QPainterPath tick;
    tick.moveTo(2, 8.5);
    tick.lineTo(6, 13);
    tick.lineTo(14, 2.5);
    p.setPen(QPen(QColor(0xe0, 0x00, 0x00), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : ".";
    Save(dir, "00-folder-open", [](QPainter& p) { Folder(p, true); });
    Save(dir, "01-folder-closed", [](QPainter& p) { Folder(p, false); });
    Save(dir, "02-trash-empty", [](QPainter& p) { Trash(p, false); });
    Save(dir, "03-trash-full", [](QPainter& p) { Trash(p, true); });
    Save(dir, "04-memo", Sheet);
    Save(dir, "05-def1-red", [](QPainter& p) { Ball(p, QColor(0xe0, 0x10, 0x10)); });
    Save(dir, "06-def2-cyan", [](QPainter& p) { Ball(p, QColor(0x00, 0xb8, 0xc8)); });
    Save(dir, "07-def3-blue", [](QPainter& p) { Ball(p, QColor(0x18, 0x30, 0xd8)); });
    Save(dir, "08-def4-green", [](QPainter& p) { Ball(p, QColor(0x10, 0xa0, 0x20)); });
    Save(dir, "09-def5-darkred", [](QPainter& p) { Ball(p, QColor(0x80, 0x08, 0x10)); });
    Save(dir, "10-done", Done);
    Save(dir, "11-due", Check);
    // Application icon, 64 x 64: a memo sheet with a folder tab.
    QImage big(64, 64, QImage::Format_ARGB32);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(4, 4);
    Folder(p, false);
    p.translate(3, 1);
    p.scale(0.8, 0.9);
    Sheet(p);
    p.end();
    big.save(dir + "/kardel.png");
    return 0;
}
