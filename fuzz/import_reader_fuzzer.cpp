// Any bytes given to the import (a .kdl, OPML or Markdown source) either fail
// cleanly and leave the document as it was, or merge below a memo into a sound
// document that saves and reloads.
#include "DocumentInvariants.h"

#include "core/base/Archive.h"
#include "core/exchange/ImportReader.h"
#include "core/model/ImportSource.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace kardel;
using fuzz::Fail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    // An odd first byte starts the input inside an OPML body, so the fuzzer reaches expat's paths at once.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size > 0 && (data[0] & 1))
        bytes =
            "<?xml version=\"1.0\"?><opml version=\"2.0\" xmlns:kardel=\"urn:kardel:opml:1\"><body>" + bytes.substr(1);
    static const std::string path = "/tmp/kardel-import-fuzz-" + std::to_string(::getpid());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

    HeadlessSession session;
    session.doc().OnNewDocument();
    TreeControl& tree = session.treeView().Tree();
    tree.Select(tree.GetRoot());
    session.doc().CreateUntitledMemo();
    const size_t before = session.doc().Memos().size();
    FileResult imported = session.doc().ImportFile(path);
    if (!imported.ok && session.doc().Memos().size() != before)
        Fail("refused", "the document changed");
    if (std::string broken = fuzz::CheckDocumentInvariants(session); !broken.empty())
        Fail(imported.ok ? "merged" : "refused", broken);
    fuzz::CheckSavesAndReloads(session);
    return 0;
}
