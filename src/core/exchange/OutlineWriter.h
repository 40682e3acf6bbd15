#pragma once
#include "core/base/OutputSink.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kardel {

class CKardelDoc;
class CKdTreeView;
class CMemoItem;
class TreeItem;
class Utf8Sink;

// The exchange formats besides the program's own text export.
enum class ExchangeFormat { Markdown, Opml, Html };

struct OutlineExportOptions {
    bool titleOnly = false; // no bodies
    bool viewOnly = false;  // nothing below a collapsed item
    bool withTrash = false; // the trash and what it holds, when it lies below the top
};

// One exchange format: told about each memo on the way down (Enter) and back up
// (Leave), in tree order, writing as it goes.
class OutlineWriter {
public:
    OutlineWriter(const CKardelDoc& doc, Utf8Sink& sink, const OutlineExportOptions& options)
        : m_doc(doc), m_sink(sink), m_options(options) {}
    virtual ~OutlineWriter() = default;

    // `title` (UTF-8) is the top memo's; for the whole document the root's, which
    // carries the document's name.
    virtual void Begin(const std::string& title) = 0;
    // depth 0 is the top level of the file; `hasChildren` says whether children follow.
    virtual void Enter(const CMemoItem& memo, int depth, bool hasChildren) = 0;
    virtual void Leave(const CMemoItem& memo, int depth, bool hasChildren) = 0;
    virtual void End() = 0;

protected:
    const CKardelDoc& m_doc;
    Utf8Sink& m_sink;
    OutlineExportOptions m_options;
};

std::unique_ptr<OutlineWriter> MakeOutlineWriter(ExchangeFormat format, const CKardelDoc& doc, Utf8Sink& sink,
                                                 const OutlineExportOptions& options);

// Writes `top` and its subtree in `format` (UTF-8). From the root, the whole
// document: the root's children are the file's top level and the root's title
// (the document's name) the file's title. The trash is left out unless asked for or the top lies in it.
// False when the output refused bytes.
bool ExportOutline(ExchangeFormat format, const CKardelDoc& doc, CKdTreeView& view, TreeItem* top,
                   const OutlineExportOptions& options, IOutput& out);

// File dialog details of each format: "md", "opml", "html" and their filters.
const char* FormatExtension(ExchangeFormat format);
const std::string& FormatFilter(ExchangeFormat format);

} // namespace kardel
