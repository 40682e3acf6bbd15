#pragma once
#include "app/cli/CliSupport.h"
#include "core/shell/CommandRouter.h"

#include <string>

namespace kardel::cli {

// An opened document edited the way the window edits it: menu commands go
// through the command router with the TreeView as the active pane, and every
// other step calls the same TreeView operations the window's events call.
// Each step returns an exit code (0 done).
class EditSession {
public:
    EditSession() : m_router(m_session.doc()) {}

    bool Open(const std::string& path) { return OpenOrReport(m_session, path); }
    // Saves as the window does: commits the MemoView text, retitles the root after
    // the file name and writes the document safely.
    bool Save(const std::string& path);

    // Runs a menu command; 3 when its enabling rule is false.
    int Command(CommandId id, const std::string& name);
    // The tree item of memo `index`, or nullptr (with a message) when there is none.
    TreeItem* ItemOf(long index, const std::string& name);
    int Select(long index);
    int Rename(const std::string& utf8);
    int SetBody(const std::string& escapedUtf8);
    int Expand(long index, bool expand);
    int Cycle();
    int Drop(long index, bool copy);
    // Imports the file below the selected memo through the import command.
    int Import(const std::string& path);

    HeadlessSession& session() { return m_session; }

private:
    HeadlessSession m_session;
    CommandRouter m_router;
};

// A memo index argument: digits only.
bool ParseIndex(const std::string& text, long& index);

} // namespace kardel::cli
