#include "gui/shell/XkbLockState.h"

#include <QGuiApplication>

#ifdef KARDEL_HAVE_XKB
#include <X11/XKBlib.h>
#endif

namespace kardel::gui {

bool XkbLockIsOn([[maybe_unused]] const char* indicatorName) {
#ifdef KARDEL_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    Atom name = XInternAtom(display, indicatorName, True);
    Bool on = False;
    if (name == None || !XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
#else
    return false;
#endif
}

} // namespace kardel::gui
