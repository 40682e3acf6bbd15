#pragma once
#include <QLabel>
#include <QString>

namespace kardel::gui {

class IconList;

// A small control that shows one memo icon, from the shared list or from an icon file.
class CIconStatic : public QLabel {
    Q_OBJECT
public:
    explicit CIconStatic(QWidget* parent = nullptr);

    void SetIconFromList(const IconList& iconList, int index);
    // The small icon of the file at `path` (UTF-8); when the file gives none,
    // entry `fallbackIndex` of the shared list. True when the file's icon is shown.
    bool SetIconFromFile(const QString& path, int fallbackIndex);

    // The list entry shown, or -1 when the icon came from a file.
    int ShownIndex() const { return m_index; }

private:
    int m_index = -1;
};

} // namespace kardel::gui
