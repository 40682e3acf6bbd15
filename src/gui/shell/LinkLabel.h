#pragma once
#include <QLabel>
#include <QUrl>

namespace kardel::gui {

// A label that reads as a link: underlined, blue, the hand cursor over it, and a
// click opens its address.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, const QUrl& target, QWidget* parent);
    const QUrl& Target() const { return m_target; }

signals:
    void Clicked(const QUrl& target);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl m_target;
};

} // namespace kardel::gui
