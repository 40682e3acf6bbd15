#pragma once
#include "core/base/CommandIds.h"

#include <string>

namespace kardel {

// What a command target says of a command before it is shown or carried out.
struct CCmdUI {
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    std::string text; // cp932; when set, the menu text to show instead of the table's
};

// An object on the command route (active pane, document, frame, application).
// A target that handles a command answers both calls for it; the router asks
// OnUpdateCmd first and never calls OnCmdMsg for a disabled command.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // True when this target handles `id`; `ui` then holds its enabling rule's answer.
    virtual bool OnUpdateCmd(CommandId, CCmdUI&) { return false; }
    // Carries the command out; true when this target handled it.
    virtual bool OnCmdMsg(CommandId) { return false; }
};

} // namespace kardel
