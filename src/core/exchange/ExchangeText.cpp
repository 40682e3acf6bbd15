#include "core/exchange/ExchangeText.h"

#include "core/base/Cp932Codec.h"

#include <cstdio>
#include <ctime>
#include <limits>

namespace kardel {

namespace {
constexpr size_t kSinkBuffer = 64 * 1024;
}

Utf8Sink& Utf8Sink::Put(std::string_view utf8) {
    if (!m_ok)
        return *this;
    m_buffer.append(utf8);
    if (m_buffer.size() >= kSinkBuffer)
        Flush();
    return *this;
}

Utf8Sink& Utf8Sink::Spaces(size_t count) {
    if (m_ok)
        m_buffer.append(count, ' ');
    if (m_buffer.size() >= kSinkBuffer)
        Flush();
    return *this;
}

bool Utf8Sink::Flush() {
    if (m_ok && !m_buffer.empty())
        m_ok = m_out.Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return m_ok;
}

namespace exchange {

std::string ToUtf8Text(std::string_view cp932) {
    std::string utf8 = Cp932Codec::ToUtf8(cp932).text;
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r') {
            out.push_back('\n');
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
            out.push_back('?');
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

void PutXmlEscaped(Utf8Sink& sink, std::string_view utf8, bool attribute) {
    size_t start = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char* entity = nullptr;
        switch (utf8[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '"':
            entity = "&quot;";
            break;
        case '\'':
            entity = "&#39;";
            break;
        case '\n':
            entity = attribute ? "&#10;" : nullptr;
            break;
        case '\t':
            entity = attribute ? "&#9;" : nullptr;
            break;
        default:
            break;
        }
        if (!entity)
            continue;
        sink.Put(utf8.substr(start, i - start)).Put(entity);
        start = i + 1;
    }
    sink.Put(utf8.substr(start));
}

std::string IsoTime(time32 time) {
    std::time_t t = time;
    std::tm tm{};
    if (!gmtime_r(&t, &tm))
        return {};
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

bool ParseIsoTime(std::string_view text, time32& time) {
    // YYYY-MM-DDTHH:MM:SSZ
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return false;
    auto number = [&text](size_t at, size_t digits, int& value) {
        value = 0;
        for (size_t i = at; i < at + digits; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int year, month, day, hour, minute, second;
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day) || !number(11, 2, hour) ||
        !number(14, 2, minute) || !number(17, 2, second))
        return false;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
        return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    std::time_t t = timegm(&tm);
    if (tm.tm_mday != day || t < std::numeric_limits<time32>::min() || t > std::numeric_limits<time32>::max())
        return false; // a day the month does not have, or outside what the file can hold
    time = static_cast<time32>(t);
    return true;
}

std::string ToMemoText(std::string_view utf8, size_t& replaced) {
    std::string lines;
    lines.reserve(utf8.size() + utf8.size() / 16);
    for (size_t i = 0; i < utf8.size(); ++i) {
        char c = utf8[i];
        if (c == '\r' || c == '\n') {
            lines.append("\r\n");
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else {
            lines.push_back(c);
        }
    }
    ConversionResult converted = Cp932Codec::FromUtf8(lines);
    replaced += converted.replaced;
    return std::move(converted.text);
}

std::string ToMemoTitle(std::string_view utf8, size_t& replaced) {
    std::string line(utf8);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    ConversionResult converted = Cp932Codec::FromUtf8(line);
    replaced += converted.replaced;
    return std::move(converted.text);
}

} // namespace exchange
} // namespace kardel
