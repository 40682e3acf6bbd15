#pragma once
#include "shell/CCmdTarget.h"

namespace kardel {

class CKardelDoc;
class CView;

// Routes a command as the window does: the active pane, then the document, then
// the frame, then the application. The first target that handles the command
// decides its enabling; a command nobody handles is disabled, and a disabled
// command is never carried out, whichever way it arrives.
class CCommandRouter {
public:
    explicit CCommandRouter(CKardelDoc& doc) : m_doc(doc) {}

    void SetFrameTarget(CCmdTarget* frame) { m_frame = frame; }
    void SetAppTarget(CCmdTarget* app) { m_app = app; }

    CCmdUI Update(CommandId id) const;
    // Carries the command out when it is enabled; false when it is disabled or unhandled.
    bool Execute(CommandId id);

private:
    CCmdTarget* ActivePane() const;
    template <class Visit> bool Route(Visit&& visit) const;

    CKardelDoc& m_doc;
    CCmdTarget* m_frame = nullptr;
    CCmdTarget* m_app = nullptr;
};

} // namespace kardel
