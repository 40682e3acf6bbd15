#pragma once
#include <QUrl>

namespace kardel::gui {

// The bundled Japanese help page. It travels inside the program and is written out
// to the user's cache folder so that the desktop's browser can open it.
class HelpPage {
public:
    // The page's file address, optionally at a section ("contact"); empty when it
    // could not be written out.
    static QUrl Url(const QString& section = {});
};

} // namespace kardel::gui
