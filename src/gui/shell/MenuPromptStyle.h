#pragma once
#include <QProxyStyle>

namespace kardel::gui {

// The desktop's style, except that menus let the pointer and the arrow keys highlight a
// greyed item: the status bar then shows its prompt, as it does for any other item.
class MenuPromptStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace kardel::gui
