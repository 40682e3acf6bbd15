#pragma once
#include "core/exchange/ImportedOutline.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kardel {

// Reads OPML with expat, fed in pieces as the file is read, into an
// ImportedOutline: each outline element is an item, "text" its title, "_note"
// its body, and the program's own namespace attributes its kind, dates and
// selection item. A document type declaration is refused outright (no entity
// is ever expanded), a single element larger than kMaxPendingBytes and more
// than kMaxItems outlines are refused, so memory stays bounded whatever the input.
class OpmlImporter {
public:
    static constexpr size_t kMaxPendingBytes = 16u << 20;
    static constexpr size_t kMaxItems = 2'000'000;

    OpmlImporter();
    ~OpmlImporter();
    OpmlImporter(const OpmlImporter&) = delete;
    OpmlImporter& operator=(const OpmlImporter&) = delete;

    // False once the input is found bad; Error() then says why (cp932).
    bool Feed(const char* data, size_t size, bool last);
    const std::string& Error() const { return m_error; }
    ImportedOutline& Outline() { return m_outline; }

private:
    struct Handlers;
    void Stop(const char* reasonUtf8); // from a handler
    void Fail(const std::string& reasonUtf8);

    void* m_parser;
    ImportedOutline m_outline;
    std::string m_error;
    std::string m_reason; // set by a handler that stopped the parser
    bool m_sawRoot = false;
    std::vector<bool> m_isOutline; // per open element
    unsigned long long m_fed = 0;
    long long m_lastEvent = 0;
};

} // namespace kardel
