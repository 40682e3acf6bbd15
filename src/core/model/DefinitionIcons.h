#pragma once

namespace kardel {

class CDocOptions;
class IMainFrame;

// Puts each definition's icon file into the shared icon list (entries 5 to 9).
// An empty path leaves that entry as it is; the frame falls back to the built-in
// icon when the file gives none.
void ReloadDefinitionIcons(const CDocOptions& options, IMainFrame& frame);

} // namespace kardel
