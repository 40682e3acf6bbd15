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

std::string Fill(std::string pattern, std::initializer_list<std::string_view> values) {
    int number = 1;
    for (std::string_view value : values) {
        const std::string mark = "%" + std::to_string(number++);
        if (auto at = pattern.find(mark); at != std::string::npos)
            pattern.replace(at, mark.size(), value);
    }
    return pattern;
}

} // namespace kardel
