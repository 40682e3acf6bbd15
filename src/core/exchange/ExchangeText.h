#pragma once
#include "core/base/Clock.h"
#include "core/base/OutputSink.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kardel {

// UTF-8 text going out to an IOutput as it is made, through a small buffer, so
// an export never holds the whole file. After the first refused write every
// further write is dropped and ok() stays false.
class Utf8Sink {
public:
    explicit Utf8Sink(IOutput& out) : m_out(out) {}
    ~Utf8Sink() { Flush(); }
    Utf8Sink(const Utf8Sink&) = delete;
    Utf8Sink& operator=(const Utf8Sink&) = delete;

    Utf8Sink& Put(std::string_view utf8);
    Utf8Sink& Put(char c) { return Put(std::string_view(&c, 1)); }
    Utf8Sink& Spaces(size_t count);
    // Writes everything buffered; false once any write failed.
    bool Flush();
    bool ok() const { return m_ok; }

private:
    IOutput& m_out;
    std::string m_buffer;
    bool m_ok = true;
};

namespace exchange {

// cp932 as UTF-8. Control characters other than TAB, CR and LF (which XML cannot
// carry) become '?'; CR LF and a lone CR become LF.
std::string ToUtf8Text(std::string_view cp932);

// Escapes & < > " and ' for XML and HTML, text and attribute values alike; in an
// attribute, LF is written as "&#10;" so that the value keeps its line breaks.
void PutXmlEscaped(Utf8Sink& sink, std::string_view utf8, bool attribute);

// "2024-05-01T09:30:00Z": a stored time as UTC, and back. Parsing accepts only
// that form and only times a 32-bit stored time can hold.
std::string IsoTime(time32 time);
bool ParseIsoTime(std::string_view text, time32& time);

// Incoming UTF-8 text as a memo holds it: cp932, every line break as CR LF.
// Counts the characters cp932 cannot hold (stored as '?') into `replaced`.
std::string ToMemoText(std::string_view utf8, size_t& replaced);
// A title: as ToMemoText, with line breaks turned into spaces.
std::string ToMemoTitle(std::string_view utf8, size_t& replaced);

} // namespace exchange
} // namespace kardel
