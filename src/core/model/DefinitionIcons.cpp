#include "core/model/DefinitionIcons.h"

#include "core/base/Platform.h"
#include "core/model/CDocOptions.h"

namespace kardel {

void ReloadDefinitionIcons(const CDocOptions& options, IMainFrame& frame) {
    for (int d = 1; d <= 5; ++d)
        if (!options.m_strIconFile[d - 1].empty())
            frame.SetDefinitionIcon(d, options.m_strIconFile[d - 1]);
}

} // namespace kardel
