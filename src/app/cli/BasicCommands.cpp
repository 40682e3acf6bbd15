// new, check and outline.
#include "app/cli/CliSupport.h"

#include "core/base/Cp932Codec.h"
#include "core/base/OutputSink.h"

#include <utility>
#include <vector>

namespace kardel::cli {
namespace {

int RunNew(const std::vector<std::string>& args) {
    if (args.size() != 1 || IsOption(args[0]))
        return Usage();
    HeadlessSession& session = KeptUntilExit<HeadlessSession>();
    session.doc().OnNewDocument();
    return SaveOrReport(session, args[0]) ? 0 : 1;
}

int RunCheck(const std::vector<std::string>& args) {
    if (args.size() != 1 || IsOption(args[0]))
        return Usage();
    HeadlessSession& session = KeptUntilExit<HeadlessSession>();
    if (!OpenOrReport(session, args[0]))
        return 1;
    return PrintOrReport([](IOutput& out) { return out.Put("ok\n"); }) ? 0 : 1;
}

int RunOutline(const std::vector<std::string>& args) {
    if (args.size() != 1 || IsOption(args[0]))
        return Usage();
    HeadlessSession& session = KeptUntilExit<HeadlessSession>();
    if (!OpenOrReport(session, args[0]))
        return 1;
    const TreeControl& tree = session.treeView().Tree();
    CKardelDoc& doc = session.doc();
    // Pre-order with an explicit stack: any depth, and each line written as it is made.
    bool printed = PrintOrReport([&](IOutput& out) {
        std::vector<std::pair<TreeItem*, size_t>> pending;
        for (int i = tree.TopLevelCount() - 1; i >= 0; --i)
            pending.emplace_back(tree.TopLevelItem(i), 0);
        while (!pending.empty() && out.Good()) {
            auto [item, depth] = pending.back();
            pending.pop_back();
            const CMemoItem* memo = doc.Memo(item->value());
            out.PutRepeated(' ', depth * 2);
            out.Put(Cp932Codec::ToUtf8(tree.GetItemText(item)).text);
            out.Put(" [" + std::to_string(memo ? memo->m_nKind : -1) + "]\n");
            for (int i = item->childCount() - 1; i >= 0; --i)
                pending.emplace_back(item->child(i), depth + 1);
        }
        return out.Good();
    });
    return printed ? 0 : 1;
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
