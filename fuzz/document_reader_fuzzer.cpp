// Any bytes either load into a sound document that saves and reloads to the
// same bytes, or fail cleanly and leave a new untitled document.
#include "DocumentInvariants.h"

#include "core/base/Archive.h"
#include "core/base/Texts.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kardel;
using fuzz::Fail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    HeadlessSession session;
    FileResult loaded = session.doc().LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!loaded.ok) {
        if (loaded.message != texts::BadFileFormat())
            Fail("refused", "not the bad-format message");
        if (session.doc().Memos().size() != 2 || session.doc().m_strTitle != texts::Untitled())
            Fail("refused", "not a new untitled document");
        if (std::string broken = fuzz::CheckDocumentInvariants(session); !broken.empty())
            Fail("refused", broken);
        return 0;
    }
    if (std::string broken = fuzz::CheckDocumentInvariants(session); !broken.empty())
        Fail("loaded", broken);

    fuzz::CheckSavesAndReloads(session);
    return 0;
}
