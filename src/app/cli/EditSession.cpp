#include "app/cli/EditSession.h"

#include "core/base/Cp932Codec.h"
#include "core/base/FileIdentity.h"

#include <cstdio>
#include <cstdlib>

namespace kardel::cli {
namespace {

// "\r", "\n", "\t" and "\\" stand for CR, LF, a tab and a back-slash.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        if (next == 'r')
            out += '\r';
        else if (next == 'n')
            out += '\n';
        else if (next == 't')
            out += '\t';
        else if (next == '\\')
            out += '\\';
        else
            out += std::string("\\") + next;
    }
    return out;
}

} // namespace

bool ParseIndex(const std::string& text, long& index) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    index = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

bool EditSession::Save(const std::string& path) {
    CKardelDoc& doc = m_session.doc();
    // Writing back over the input must not undo what something else wrote there meanwhile.
    if (!doc.m_strPathName.empty() && doc.m_fileIdentity.known &&
        CanonicalPath(path) == CanonicalPath(doc.m_strPathName) &&
        doc.m_fileIdentity.Verify(path) != FileIdentity::State::Unchanged) {
        std::fprintf(stderr, "kardel-cli: %s changed since it was read; nothing written\n", path.c_str());
        return false;
    }
    FileResult saved = doc.OnSaveDocument(path);
    if (!saved.ok)
        PrintError(saved.message);
    return saved.ok;
}

int EditSession::Command(CommandId id, const std::string& name) {
    if (!m_router.Update(id).enabled) {
        std::fprintf(stderr, "kardel-cli: %s is disabled here\n", name.c_str());
        return 3;
    }
    m_router.Execute(id);
    return 0;
}

TreeItem* EditSession::ItemOf(long index, const std::string& name) {
    CMemoItem* memo = m_session.doc().Memo(static_cast<std::int32_t>(index));
    if (!memo || !memo->m_hTreeItem) {
        std::fprintf(stderr, "kardel-cli: %s: there is no memo %ld\n", name.c_str(), index);
        return nullptr;
    }
    return memo->m_hTreeItem;
}

int EditSession::Select(long index) {
    TreeItem* item = ItemOf(index, "select");
    if (!item)
        return 2;
    m_session.treeView().Tree().Select(item);
    return 0;
}

int EditSession::Rename(const std::string& utf8) {
    CKdTreeView& view = m_session.treeView();
    view.OnEndLabelEdit(view.Tree().GetCaret(), Cp932Codec::FromUtf8(utf8).text);
    return 0;
}

int EditSession::SetBody(const std::string& escapedUtf8) {
    m_session.m_edit.m_text = Cp932Codec::FromUtf8(Unescape(escapedUtf8)).text;
    return 0;
}

int EditSession::Expand(long index, bool expand) {
    TreeItem* item = ItemOf(index, expand ? "expand" : "collapse");
    if (!item)
        return 2;
    m_session.treeView().Tree().UserExpand(item, expand);
    return 0;
}

int EditSession::Cycle() {
    CKdTreeView& view = m_session.treeView();
    view.OnDblClk(view.Tree().GetCaret());
    return 0;
}

int EditSession::Drop(long index, bool copy) {
    TreeItem* target = ItemOf(index, copy ? "drop-copy" : "drop");
    if (!target)
        return 2;
    CKdTreeView& view = m_session.treeView();
    if (view.Drag().Begin(view.Tree().GetCaret())) {
        view.Drag().Hover(target);
        view.Drag().Drop(copy);
    }
    return 0;
}

int EditSession::Import(const std::string& path) {
    m_session.m_fileDialogs.m_answers = {path};
    m_session.m_messages.m_shown.clear();
    if (int code = Command(ID_IMPORT, "import"); code != 0)
        return code;
    if (!m_session.m_messages.m_shown.empty()) {
        // After a successful import the one message tells how many characters became '?'.
        PrintError(m_session.m_messages.m_shown.front());
        return m_session.doc().m_lastImportReplaced > 0 ? 0 : 1;
    }
    return 0;
}

} // namespace kardel::cli
