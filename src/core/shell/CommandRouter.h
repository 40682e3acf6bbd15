#pragma once
#include "core/base/CCmdTarget.h"
#include "core/shell/MemoCommandForwarder.h"

#include <vector>

namespace kardel {

class CKardelDoc;
class CView;

// Routes a command as the window does: the active pane, then the document, then
// the frame, then the application. The first target that handles the command
// decides its enabling; a command nobody handles is disabled, and a disabled
// command is never carried out, whichever way it arrives.
//
// The frame stage is a list: the memo commands it forwards to the TreeView come
// first, then every target added with AddFrameTarget (the frame's own commands).
class CommandRouter {
public:
    explicit CommandRouter(CKardelDoc& doc) : m_doc(doc), m_memoForwarder(doc) { m_frame.push_back(&m_memoForwarder); }

    void AddFrameTarget(CCmdTarget* target) { m_frame.push_back(target); }
    // The application stage is a list as well: the file commands, the About box and help.
    void SetAppTarget(CCmdTarget* app) { m_app.assign(1, app); }
    void AddAppTarget(CCmdTarget* app) { m_app.push_back(app); }

    CCmdUI Update(CommandId id) const;
    // Carries the command out when it is enabled; false when it is disabled or unhandled.
    bool Execute(CommandId id);

private:
    CCmdTarget* ActivePane() const;
    template <class Visit> bool Route(Visit&& visit) const;

    CKardelDoc& m_doc;
    MemoCommandForwarder m_memoForwarder;
    std::vector<CCmdTarget*> m_frame;
    std::vector<CCmdTarget*> m_app;
};

} // namespace kardel
