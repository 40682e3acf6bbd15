#pragma once
#include <QIcon>

namespace kardel::gui {

// Our own 16 x 16 pictures for the toolbar buttons, drawn once; a null icon for an id
// without one.
QIcon ToolBarIcon(int id);

} // namespace kardel::gui
