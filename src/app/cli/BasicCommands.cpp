// new, check and outline.
#include "cli/CliSupport.h"

#include "model/Cp932Codec.h"

#include <cstdio>

namespace kardel::cli {
namespace {

int RunNew(const std::vector<std::string>& args) {
    if (args.size() != 1 || IsOption(args[0]))
        return Usage();
    HeadlessSession session;
    session.doc().OnNewDocument();
    return SaveOrReport(session, args[0]) ? 0 : 1;
}

int RunCheck(const std::vector<std::string>& args) {
    if (args.size() != 1 || IsOption(args[0]))
        return Usage();
    HeadlessSession session;
    if (!OpenOrReport(session, args[0]))
        return 1;
    std::printf("ok\n");
    return 0;
}

int RunOutline(const std::vector<std::string>& args) {
    if (args.size() != 1 || IsOption(args[0]))
        return Usage();
    HeadlessSession session;
    if (!OpenOrReport(session, args[0]))
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

const CommandRegistration kNew("new", {"OUT.kdl", "Writes what saving a new, unchanged document produces."}, RunNew);
const CommandRegistration kCheck("check",
                                 {"FILE.kdl", "Reads the document as the window opens it; prints \"ok\" and exits 0, "
                                              "or prints the load error and exits 1."},
                                 RunCheck);
const CommandRegistration kOutline("outline",
                                   {"FILE.kdl", "Prints the tree, one item per line, two spaces of indent per level: "
                                                "the label, then the memo's kind in brackets."},
                                   RunOutline);

} // namespace
} // namespace kardel::cli
