#pragma once
#include "core/shell/DocumentSession.h"

#include <string>

namespace kardel::fuzz {

// What every loaded document must satisfy: one root item on memo 0, the trash
// (memo 1) as a child of the root, one tree item per memo whose value is the
// memo's index, dense indices, a current memo with the caret on its item, and
// kinds and images that never take a lookup out of its table. Returns what is
// broken, or an empty text.
std::string CheckDocumentInvariants(HeadlessSession& session);

} // namespace kardel::fuzz
