#pragma once
#include "model/CKardelDoc.h"
#include "model/SettingsStore.h"
#include "search/CKdListView.h"
#include "shell/CKdEditView.h"
#include "shell/Platform.h"
#include "tree/CKdTreeView.h"
#include "tree/CTitleView.h"

namespace kardel {

// One document with its four panes in view-list order, over a given frame,
// settings store and edit control. The CLI and the tests run it without a window.
class DocumentSession {
public:
    DocumentSession(ISettingsStore& settings, IMainFrame& frame, IEditControl& edit)
        : m_doc(m_app, settings, frame), m_findView(m_doc), m_memoView(m_doc, edit), m_treeView(m_doc) {
        m_doc.AttachViews(&m_findView, &m_titleView, &m_memoView, &m_treeView);
    }

    CKardelApp m_app;
    CKardelDoc m_doc;
    CKdListView m_findView;
    CTitleView m_titleView;
    CKdEditView m_memoView;
    CKdTreeView m_treeView;
};

// A session that owns headless stand-ins for the platform.
class HeadlessSession {
public:
    HeadlessSession() : m_session(m_settings, m_frame, m_edit) {}
    CKardelDoc& doc() { return m_session.m_doc; }
    DocumentSession& session() { return m_session; }

    MemorySettingsStore m_settings;
    HeadlessFrame m_frame;
    PlainEditControl m_edit;

private:
    DocumentSession m_session;
};

} // namespace kardel
