#pragma once
#include "core/exchange/OutlineWriter.h"

namespace kardel {

// OPML 2.0: one outline per memo, the title in "text", the body in "_note" as
// outliners keep notes, and the rest of the memo (kind, the four dates, the due
// flag, the selection item) as attributes in the program's own namespace, so
// that importing the file gives every memo back as it was.
class OpmlExporter : public OutlineWriter {
public:
    using OutlineWriter::OutlineWriter;
    static constexpr const char* kNamespace = "urn:kardel:opml:1";

    void Begin(const std::string& title) override;
    void Enter(const CMemoItem& memo, int depth, bool hasChildren) override;
    void Leave(const CMemoItem& memo, int depth, bool hasChildren) override;
    void End() override;

private:
    void Indent(int depth);
};

} // namespace kardel
