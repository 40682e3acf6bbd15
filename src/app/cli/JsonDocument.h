#pragma once
#include "core/shell/DocumentSession.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

namespace kardel {
class IOutput;
}

namespace kardel::cli {

// The document as the JSON of `kardel-cli dump`: text converted from cp932 to
// UTF-8, every integer as held, `tree` the records saving would write now.
struct DumpResult {
    nlohmann::json json;
    // Paths ("memos[4].body") of texts that do not come back to the same bytes
    // through UTF-8: invalid cp932, or a character cp932 writes two ways.
    std::vector<std::string> unfaithfulTexts;
};
DumpResult DocumentToJson(HeadlessSession& session);

// The same JSON as text, as `json.dump(2)` lays it out, written memo by memo so
// that memory does not grow with the output. Each unfaithful text is named to
// `unfaithful` as it is met. False when the output failed.
bool WriteDocumentJson(HeadlessSession& session, IOutput& out,
                       const std::function<void(const std::string& path)>& unfaithful);

// The bytes of a version 5 document built from JSON of the dump's shape
// (`version` ignored). The document is read back through the file reader before
// anything is returned, so input the reader would refuse fails here too.
struct BuildResult {
    bool ok = false;
    std::string error; // UTF-8, names the offending key
    std::string bytes;
};
BuildResult BuildDocumentBytes(const nlohmann::json& json);

} // namespace kardel::cli
