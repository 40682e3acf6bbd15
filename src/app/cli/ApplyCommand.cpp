// apply: runs tree commands on a document and saves the result.
#include "app/cli/ApplySteps.h"

#include <cstdio>
#include <functional>
#include <map>

namespace kardel::cli {
namespace {

using Step = ApplyStep;

const std::map<std::string, CommandId>& MenuCommands() {
    static const std::map<std::string, CommandId> commands = {
        {"new-untitled", ID_MEMO_CREATE_UNTITLED},
        {"duplicate", ID_MEMO_DUPLICATE},
        {"up", ID_MEMO_UP},
        {"down", ID_MEMO_DOWN},
        {"level-up", ID_MEMO_LEVEL_UP},
        {"level-down", ID_MEMO_LEVEL_DOWN},
        {"trash", ID_MEMO_TO_TRASH},
        {"empty-trash", ID_MEMO_EMPTY_TRASH},
        {"copy", ID_MEMO_COPY},
        {"cut", ID_MEMO_CUT},
        {"paste", ID_MEMO_PASTE},
        {"expand-all", ID_EXPAND_ALL},
        {"collapse-all", ID_COLLAPSE_ALL},
        {"undo", ID_MEMO_UNDO},
        {"redo", ID_MEMO_REDO},
    };
    return commands;
}

bool TakesIndex(const std::string& name) {
    return name == "select" || name == "expand" || name == "collapse" || name == "drop" || name == "drop-copy";
}
bool TakesText(const std::string& name) {
    return name == "rename" || name == "set-body" || name == "import";
}

int RunStep(EditSession& edit, const Step& step) {
    auto menu = MenuCommands().find(step.name);
    if (menu != MenuCommands().end())
        return edit.Command(menu->second, step.name);
    long index = 0;
    if (TakesIndex(step.name))
        ParseIndex(step.argument, index);
    if (step.name == "select")
        return edit.Select(index);
    if (step.name == "rename")
        return edit.Rename(step.argument);
    if (step.name == "set-body")
        return edit.SetBody(step.argument);
    if (step.name == "cycle")
        return edit.Cycle();
    if (step.name == "expand" || step.name == "collapse")
        return edit.Expand(index, step.name == "expand");
    if (step.name == "drop" || step.name == "drop-copy")
        return edit.Drop(index, step.name == "drop-copy");
    return edit.Import(step.argument); // "import"
}

int RunApply(const std::vector<std::string>& args) {
    if (args.size() < 2 || IsOption(args[0]) || IsOption(args[1]))
        return Usage();
    std::vector<Step> steps;
    for (size_t i = 2; i < args.size(); ++i) {
        Step step{args[i], {}};
        bool known = MenuCommands().count(step.name) || step.name == "cycle";
        if (TakesIndex(step.name) || TakesText(step.name)) {
            long index = 0;
            if (i + 1 >= args.size() || (TakesIndex(step.name) && !ParseIndex(args[i + 1], index))) {
                std::fprintf(stderr, "kardel-cli: %s needs %s\n", step.name.c_str(),
                             TakesIndex(step.name) ? "a memo index" : "an argument");
                return 2;
            }
            step.argument = args[++i];
            known = true;
        }
        if (!known) {
            std::fprintf(stderr, "kardel-cli: unknown apply command %s\n", step.name.c_str());
            return 2;
        }
        steps.push_back(step);
    }
    EditSession& edit = KeptUntilExit<EditSession>();
    if (!edit.Open(args[0]))
        return 1;
    for (const Step& step : steps)
        if (int code = RunStep(edit, step); code != 0)
            return code;
    return edit.Save(args[1]) ? 0 : 1;
}

int RunMerge(const std::vector<std::string>& args) {
    long under = 0;
    if (args.size() != 5 || args[2] != "--under" || !ParseIndex(args[3], under))
        return Usage();
    EditSession& edit = KeptUntilExit<EditSession>();
    if (!edit.Open(args[0]))
        return 1;
    if (int code = edit.Select(under); code != 0)
        return code;
    if (int code = edit.Import(args[1]); code != 0)
        return code;
    return edit.Save(args[4]) ? 0 : 1;
}

const CommandRegistration kApply(
    "apply",
    {"IN.kdl OUT.kdl [STEP]...",
     "Opens IN.kdl, runs the steps in order on the same engine as the window and saves OUT.kdl. N is a memo index "
     "at the moment the step runs. Every step obeys its enabling rule and fails with exit status 3 when it is "
     "false; what the rules of renaming and dropping refuse changes nothing and is no error. With no step, apply "
     "opens and saves, which converts an older file to version 5.",
     {{"Steps",
       {{"select", "N", "select memo N"},
        {"new-untitled", "", "create a memo without a title below the selected one"},
        {"rename", "TEXT", "rename the selected memo"},
        {"set-body", "TEXT", "set the body as if typed into MemoView (\\r\\n and \\t escapes allowed)"},
        {"duplicate", "", "duplicate the selected memo"},
        {"up", "", "move the selected memo up among its siblings"},
        {"down", "", "move the selected memo down among its siblings"},
        {"level-up", "", "move the selected memo one level up"},
        {"level-down", "", "move the selected memo one level down"},
        {"trash", "", "move the selected memo to the trash"},
        {"empty-trash", "", "empty the trash, answering Yes"},
        {"copy", "", "copy the selected memo"},
        {"cut", "", "cut the selected memo"},
        {"paste", "", "paste below the selected memo"},
        {"cycle", "", "step the selected memo's kind as a double click does"},
        {"expand", "N", "expand memo N"},
        {"collapse", "N", "collapse memo N"},
        {"expand-all", "", "expand the whole tree"},
        {"collapse-all", "", "collapse the whole tree"},
        {"drop", "N", "drag the selected memo onto memo N"},
        {"drop-copy", "N", "drag a copy of the selected memo onto memo N"},
        {"import", "FILE", "import FILE (a document, OPML or Markdown) below the selected memo"}}}}},
    RunApply);
const CommandRegistration kMerge("merge",
                                 {"TARGET.kdl SOURCE --under N OUT.kdl",
                                  "Imports SOURCE below memo N of TARGET.kdl, as the window's import does, and saves "
                                  "the result as OUT.kdl. SOURCE is a document, an OPML outline or a Markdown file, "
                                  "told apart by its content; characters of an OPML or Markdown file that cp932 "
                                  "cannot hold become \"?\" and their count is told on standard error.",
                                  {{"Options", {{"--under", "N", "the memo below which SOURCE goes (required)"}}}}},
                                 RunMerge);

} // namespace

std::vector<std::string> ApplyCommandNames() {
    std::vector<std::string> names;
    for (const auto& [name, id] : MenuCommands())
        names.push_back(name);
    for (const char* name :
         {"select", "rename", "set-body", "cycle", "expand", "collapse", "drop", "drop-copy", "import"})
        names.push_back(name);
    return names;
}

bool ApplyTakesIndex(const std::string& name) {
    return TakesIndex(name);
}

bool ApplyTakesText(const std::string& name) {
    return TakesText(name);
}

int RunApplyStep(EditSession& edit, const ApplyStep& step) {
    bool known =
        MenuCommands().count(step.name) || step.name == "cycle" || TakesIndex(step.name) || TakesText(step.name);
    return known ? RunStep(edit, step) : 2;
}

} // namespace kardel::cli
