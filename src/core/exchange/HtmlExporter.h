#pragma once
#include "core/exchange/OutlineWriter.h"

namespace kardel {

// One self-contained HTML page: the title as heading, the outline as nested
// lists, each memo with its kind and dates and its body as typed. Printable.
class HtmlExporter : public OutlineWriter {
public:
    using OutlineWriter::OutlineWriter;

    void Begin(const std::string& title) override;
    void Enter(const CMemoItem& memo, int depth, bool hasChildren) override;
    void Leave(const CMemoItem& memo, int depth, bool hasChildren) override;
    void End() override;
};

} // namespace kardel
