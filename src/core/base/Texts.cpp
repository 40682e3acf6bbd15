#include "core/base/Texts.h"

#include "core/base/Cp932Codec.h"

#include <map>
#include <memory>

namespace kardel {

const std::string& Sjis(const char* utf8Literal) {
    // Keyed by the literal's address: each call site passes the same literal.
    static std::map<const char*, std::unique_ptr<std::string>> cache;
    auto& slot = cache[utf8Literal];
    if (!slot)
        slot = std::make_unique<std::string>(Cp932Codec::FromUtf8(utf8Literal).text);
    return *slot;
}

} // namespace kardel
