#pragma once
#include "core/base/FileResult.h"

#include <string>
#include <string_view>

namespace kardel {

class ImportSource;

// What an import source holds, told apart by its content: a .kdl document, an
// OPML outline or Markdown text.
enum class ImportFormat { Kdl, Opml, Markdown };
ImportFormat SniffImportFormat(std::string_view head);

// Reads a file to import: checks it completely and fills `source` as the .kdl
// reader would, or fails with a message and leaves `source` empty. `replaced`
// counts the characters of an OPML or Markdown file that cp932 cannot hold and
// that were stored as '?'. An OPML file is read in pieces, never whole.
FileResult ReadImportFile(const std::string& path, ImportSource& source, size_t& replaced);
// The same for bytes already in memory.
FileResult ReadImportBytes(std::string_view bytes, ImportSource& source, size_t& replaced);

} // namespace kardel
