#include "gui/common/IconList.h"

#include "core/base/SafeFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

// The resources live in the static GUI library; a program linking it must register them.
static void InitKardelResources() {
    Q_INIT_RESOURCE(kardel);
}

namespace kardel::gui {

namespace {

const char* const kResourceNames[IconList::kCount] = {
    ":/icons/00-folder-open.png",  ":/icons/01-folder-closed.png", ":/icons/02-trash-empty.png",
    ":/icons/03-trash-full.png",   ":/icons/04-memo.png",          ":/icons/05-def1-red.png",
    ":/icons/06-def2-cyan.png",    ":/icons/07-def3-blue.png",     ":/icons/08-def4-green.png",
    ":/icons/09-def5-darkred.png", ":/icons/10-done.png",          ":/icons/11-due.png",
};

bool ValidIndex(int index) {
    return index >= 0 && index < IconList::kCount;
}

// The icon a file holds, scaled to the list's size; null when the file gives none.
QIcon IconOfFile(const QString& path) {
    QImage image = IconList::ImageOfFile(path);
    if (image.isNull())
        return {};
    return QIcon(QPixmap::fromImage(
        image.scaled(IconList::kSize, IconList::kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace

IconList::IconList(QObject* parent) : QObject(parent) {
    InitKardelResources();
    for (int i = 0; i < kCount; ++i)
        m_icons[i] = BuiltIn(i);
}

IconList& IconList::Instance() {
    static IconList* list = new IconList;
    return *list;
}

QImage IconList::ImageOfFile(const QString& path) {
    if (path.isEmpty())
        return {};
    // Read as a regular file of bounded size: a FIFO, a device or a huge file
    // gives no icon rather than a hang or a flood of memory.
    std::string bytes;
    if (!ReadWholeFile(QFile::encodeName(path).toStdString(), bytes, kMaxFileBytes).ok)
        return {};
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QFileInfo(path).suffix().toLatin1());
    return reader.read();
}

QIcon IconList::BuiltIn(int index) {
    if (!ValidIndex(index))
        return {};
    return QIcon(QString::fromLatin1(kResourceNames[index]));
}

const QIcon& IconList::Icon(int index) const {
    return ValidIndex(index) ? m_icons[index] : m_empty;
}

QPixmap IconList::Pixmap(int index) const {
    if (!ValidIndex(index))
        return {};
    return m_icons[index].pixmap(kSize, kSize);
}

bool IconList::ReloadDefinition(int definition, const QString& path) {
    if (definition < 1 || definition > 5 || path.isEmpty())
        return false;
    const int index = kFirstDefinition - 1 + definition;
    QIcon icon = IconOfFile(path);
    const bool own = !icon.isNull();
    m_icons[index] = own ? icon : BuiltIn(index);
    emit Changed(index);
    return own;
}

void IconList::RestoreDefinition(int definition) {
    if (definition < 1 || definition > 5)
        return;
    const int index = kFirstDefinition - 1 + definition;
    m_icons[index] = BuiltIn(index);
    emit Changed(index);
}

} // namespace kardel::gui
