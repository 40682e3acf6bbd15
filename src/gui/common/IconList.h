#pragma once
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <array>

namespace kardel::gui {

// The shared list of memo icons: indices 0 to 10 are the memo kinds, 11 is the due mark.
// Entries 5 to 9 (definitions 1 to 5) can be replaced from user icon files; every pane
// draws from this one list and repaints on `Changed`.
class IconList : public QObject {
    Q_OBJECT
public:
    static constexpr int kCount = 12;
    static constexpr int kDueMark = 11;
    static constexpr int kFirstDefinition = 5;
    static constexpr int kSize = 16;

    explicit IconList(QObject* parent = nullptr);

    // The one list of the program, created on first use (after the QApplication exists).
    static IconList& Instance();

    // Out-of-range indices (a kind read from a damaged file) give an empty icon, never a crash.
    const QIcon& Icon(int index) const;
    QPixmap Pixmap(int index) const;

    // The picture an icon file holds; null when it holds none, is not a regular
    // file or is larger than kMaxFileBytes.
    static constexpr qint64 kMaxFileBytes = 4 << 20;
    static QImage ImageOfFile(const QString& path);

    // The built-in picture of an entry, whatever replaced it.
    static QIcon BuiltIn(int index);

    // Definition d (1 to 5) takes the icon of `path`. An empty path leaves the entry as it is;
    // a path that holds no readable icon ("未定義", a missing file) restores the built-in icon.
    // Returns true when the file's own icon was used.
    bool ReloadDefinition(int definition, const QString& path);
    // Puts the built-in icon back at definition d.
    void RestoreDefinition(int definition);

signals:
    void Changed(int index);

private:
    std::array<QIcon, kCount> m_icons;
    QIcon m_empty;
};

} // namespace kardel::gui
