#pragma once
#include <QWidget>

namespace kardel {
class CTitleView;
}

namespace kardel::gui {

// Draws the title strip's texts from CTitleView; a double click opens the memo's properties.
class TitleStrip : public QWidget {
    Q_OBJECT
public:
    TitleStrip(CTitleView& view, QWidget* parent = nullptr);

    // The title as drawn: a long one cut (ShownTitle).
    QString TitleText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CTitleView& m_view;
};

} // namespace kardel::gui
