// Any bytes either load into a sound document that saves and reloads to the
// same bytes, or fail cleanly and leave a new untitled document.
#include "DocumentInvariants.h"

#include "core/base/Archive.h"
#include "core/base/Texts.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kardel;

namespace {
[[noreturn]] void Fail(const char* stage, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", stage, what.c_str());
    std::abort();
}
} // namespace

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

    MemoryOutput saved;
    if (!session.doc().StoreTo(saved))
        Fail("saved", "saving failed");
    HeadlessSession reloaded;
    if (!reloaded.doc().LoadFromBytes(saved.bytes()).ok)
        Fail("reloaded", "the saved bytes do not load");
    if (std::string broken = fuzz::CheckDocumentInvariants(reloaded); !broken.empty())
        Fail("reloaded", broken);
    if (reloaded.doc().Memos().size() != session.doc().Memos().size())
        Fail("reloaded", "memo count changed");
    MemoryOutput again;
    if (!reloaded.doc().StoreTo(again) || again.bytes() != saved.bytes())
        Fail("reloaded", "saving the reloaded document gives other bytes");
    return 0;
}
