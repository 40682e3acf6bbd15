#pragma once
#include "core/base/HeadlessPlatform.h"
#include "core/base/SettingsStore.h"
#include "core/model/CKardelDoc.h"
#include "core/search/CKdListView.h"
#include "core/search/SearchCommands.h"
#include "core/shell/CKdEditView.h"
#include "core/shell/ExportCommands.h"
#include "core/shell/OptionsCommand.h"
#include "core/tree/CKdTreeView.h"
#include "core/tree/CTitleView.h"

namespace kardel {

// One document with its four panes in view-list order, over the given platform
// services and edit control. The window, the CLI and the tests all build on it.
class DocumentSession {
public:
    DocumentSession(PlatformServices& platform, IEditControl& edit)
        : m_doc(m_app, platform), m_findView(m_doc), m_titleView(m_doc), m_memoView(m_doc, edit), m_treeView(m_doc) {
        m_doc.AttachViews(&m_findView, &m_titleView, &m_memoView, &m_treeView);
        m_doc.AddCommandHandler(&m_searchCommands);
        m_doc.AddCommandHandler(&m_exportCommands);
        m_doc.AddCommandHandler(&m_optionsCommand);
    }

    // After a new or opened document is loaded: FindView shows its first list.
    void OnInitialUpdate() { m_findView.OnInitialUpdate(); }

    CKardelApp m_app;
    CKardelDoc m_doc;
    CKdListView m_findView;
    CTitleView m_titleView;
    CKdEditView m_memoView;
    CKdTreeView m_treeView;
    SearchCommands m_searchCommands{m_doc};
    ExportCommands m_exportCommands{m_doc};
    OptionsCommand m_optionsCommand{m_doc};
};

// A session that owns headless stand-ins for every platform service.
class HeadlessSession {
public:
    HeadlessSession() : m_session(m_platform, m_edit) {}
    CKardelDoc& doc() { return m_session.m_doc; }
    DocumentSession& session() { return m_session; }
    CKdTreeView& treeView() { return m_session.m_treeView; }
    CKdListView& findView() { return m_session.m_findView; }
    CKdEditView& memoView() { return m_session.m_memoView; }

    MemorySettingsStore m_settings;
    HeadlessFrame m_frame;
    HeadlessMessageBox m_messages;
    HeadlessFileDialogs m_fileDialogs;
    HeadlessShell m_shell;
    HeadlessDialogs m_dialogs;
    PlainEditControl m_edit;
    PlatformServices m_platform{m_settings, m_frame, m_messages, m_fileDialogs, m_shell, m_dialogs};

private:
    DocumentSession m_session;
};

} // namespace kardel
