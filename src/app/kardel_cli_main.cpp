// kardel-cli: the headless front of the core. So far: new, check and outline.
#include "model/Cp932Codec.h"
#include "model/SafeFile.h"
#include "shell/DocumentSession.h"

#include <cstdio>
#include <string>

using namespace kardel;

namespace {

int Usage() {
    std::fprintf(stderr, "usage: kardel-cli new OUT.kdl | check FILE.kdl | outline FILE.kdl\n");
    return 2;
}

void PrintError(const std::string& cp932) { std::fprintf(stderr, "%s\n", Cp932Codec::ToUtf8(cp932).text.c_str()); }

// Opens the document; on failure prints the load error and returns false.
bool OpenOrReport(HeadlessSession& session, const std::string& path) {
    FileResult opened = session.doc().OnOpenDocument(path);
    if (!opened.ok)
        PrintError(opened.message);
    return opened.ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return Usage();
    std::string command = argv[1];
    std::string path = argv[2];
    HeadlessSession session;
    if (command == "new") {
        session.doc().OnNewDocument();
        FileResult saved = WriteFileSafely(path, [&session](IOutput& out) { return session.doc().StoreTo(out); });
        if (!saved.ok) {
            PrintError(saved.message);
            return 1;
        }
        return 0;
    }
    if (command == "check") {
        if (!OpenOrReport(session, path))
            return 1;
        std::printf("ok\n");
        return 0;
    }
    if (command == "outline") {
        if (!OpenOrReport(session, path))
            return 1;
        TreeControl& tree = session.session().m_treeView.Tree();
        tree.ForEachItem([&](TreeItem* item) {
            int depth = 0;
            for (TreeItem* p = item->parent(); p; p = p->parent())
                ++depth;
            const CMemoItem* memo = session.doc().Memo(item->value());
            std::printf("%s%s [%d]\n", std::string(size_t(depth) * 2, ' ').c_str(),
                        Cp932Codec::ToUtf8(item->label()).text.c_str(), memo ? memo->m_nKind : -1);
        });
        return 0;
    }
    return Usage();
}
