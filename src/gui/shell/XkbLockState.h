#pragma once

namespace kardel::gui {

// Whether the X keyboard extension's named indicator ("Caps Lock", "Num Lock", ...)
// is on; false where there is no X display or no such indicator. Kept apart from
// any Qt header: X11's headers define macros that clash with Qt's names.
bool XkbLockIsOn(const char* indicatorName);

} // namespace kardel::gui
