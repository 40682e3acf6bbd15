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

// Reports the broken property with the stage that found it and aborts, which is
// how a fuzzer is told.
[[noreturn]] void Fail(const char* stage, const std::string& what);

// The document saves; the saved bytes load into a sound document with as many
// memos, which saves to the same bytes again. Fails otherwise.
void CheckSavesAndReloads(HeadlessSession& session);

} // namespace kardel::fuzz
