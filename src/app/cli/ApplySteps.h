#pragma once
#include "app/cli/EditSession.h"

#include <string>
#include <vector>

namespace kardel::cli {

// One command of `kardel-cli apply` and its argument (empty when it takes none).
struct ApplyStep {
    std::string name;
    std::string argument;
};

// The name of every apply command, for whoever picks among them.
std::vector<std::string> ApplyCommandNames();
// Whether the command takes a memo index, or a text (rename, set-body, import).
bool ApplyTakesIndex(const std::string& name);
bool ApplyTakesText(const std::string& name);
// Runs one step exactly as `apply` does: 0 done, 1 an import failed, 2 no such
// memo, 3 the command is disabled here (and nothing changed).
int RunApplyStep(EditSession& edit, const ApplyStep& step);

} // namespace kardel::cli
