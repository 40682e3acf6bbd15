#include "core/exchange/OpmlImporter.h"

#include "core/base/Cp932Codec.h"
#include "core/exchange/ExchangeText.h"
#include "core/exchange/OpmlExporter.h"

#include <charconv>
#include <cstring>
// Debian's expat is built with DTD support (the default), which is what declares
// the entity-amplification limits in its header.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>
#include <limits>

namespace kardel {
namespace {
constexpr char kSeparator = '\n'; // between a namespace URI and a local name

XML_Parser P(void* parser) {
    return static_cast<XML_Parser>(parser);
}

bool ParseInt(const char* text, std::int32_t& value) {
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end && ptr != text;
}

// The local name of an attribute of the program's namespace; nullptr for any other.
const char* OwnName(const char* name) {
    size_t length = std::strlen(OpmlExporter::kNamespace);
    if (std::strncmp(name, OpmlExporter::kNamespace, length) == 0 && name[length] == kSeparator)
        return name + length + 1;
    return nullptr;
}
} // namespace

struct OpmlImporter::Handlers {
    static OpmlImporter& Self(void* data) { return *static_cast<OpmlImporter*>(data); }

    static void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
        OpmlImporter& self = Self(data);
        self.m_lastEvent = XML_GetCurrentByteIndex(P(self.m_parser));
        if (!self.m_sawRoot) {
            self.m_sawRoot = true;
            if (std::strcmp(name, "opml") != 0)
                return self.Stop("opml要素がありません");
        }
        bool outline = std::strcmp(name, "outline") == 0;
        self.m_isOutline.push_back(outline);
        if (!outline)
            return;
        if (self.m_outline.Count() >= kMaxItems)
            return self.Stop("outline要素が多すぎます");
        ImportedFields& f = self.m_outline.Open();
        for (const XML_Char** a = attributes; a[0]; a += 2) {
            const char* value = a[1];
            if (std::strcmp(a[0], "text") == 0) {
                f.title = value;
            } else if (std::strcmp(a[0], "_note") == 0) {
                f.body = value;
            } else if (const char* own = OwnName(a[0])) {
                std::int32_t number = 0;
                time32 time = 0;
                if (std::strcmp(own, "kind") == 0 && ParseInt(value, number))
                    f.kind = number;
                else if (std::strcmp(own, "hasDue") == 0 && ParseInt(value, number))
                    f.hasDue = number;
                else if (std::strcmp(own, "selItem") == 0)
                    f.selItem = value;
                else if (exchange::ParseIsoTime(value, time)) {
                    if (std::strcmp(own, "created") == 0)
                        f.created = time;
                    else if (std::strcmp(own, "updated") == 0)
                        f.updated = time;
                    else if (std::strcmp(own, "due") == 0)
                        f.due = time;
                    else if (std::strcmp(own, "done") == 0)
                        f.done = time;
                }
            }
        }
    }

    static void End(void* data, const XML_Char*) {
        OpmlImporter& self = Self(data);
        self.m_lastEvent = XML_GetCurrentByteIndex(P(self.m_parser));
        if (self.m_isOutline.empty())
            return;
        if (self.m_isOutline.back())
            self.m_outline.Close();
        self.m_isOutline.pop_back();
    }

    static void Text(void* data, const XML_Char*, int) {
        OpmlImporter& self = Self(data);
        self.m_lastEvent = XML_GetCurrentByteIndex(P(self.m_parser));
    }

    // OPML has no use for a document type; refusing it refuses every entity declaration with it.
    static void Doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        Self(data).Stop("DOCTYPE宣言のあるﾌｧｲﾙは読み込めません");
    }
    static void Entity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                       const XML_Char*, const XML_Char*) {
        Self(data).Stop("DOCTYPE宣言のあるﾌｧｲﾙは読み込めません");
    }
};

OpmlImporter::OpmlImporter() : m_parser(XML_ParserCreateNS("UTF-8", kSeparator)) {
    if (!m_parser)
        throw std::bad_alloc();
    XML_Parser parser = P(m_parser);
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &Handlers::Start, &Handlers::End);
    XML_SetCharacterDataHandler(parser, &Handlers::Text);
    XML_SetStartDoctypeDeclHandler(parser, &Handlers::Doctype);
    XML_SetEntityDeclHandler(parser, &Handlers::Entity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    // A second guard, should a declaration ever get through.
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, 2.0f);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, 1u << 20);
}

OpmlImporter::~OpmlImporter() {
    XML_ParserFree(P(m_parser));
}

void OpmlImporter::Stop(const char* reasonUtf8) {
    if (m_reason.empty())
        m_reason = reasonUtf8;
    XML_StopParser(P(m_parser), XML_FALSE);
}

void OpmlImporter::Fail(const std::string& reasonUtf8) {
    if (!m_error.empty())
        return;
    std::string text = "OPMLﾌｧｲﾙを読み込めません(" + std::to_string(XML_GetCurrentLineNumber(P(m_parser))) +
                       "行目: " + reasonUtf8 + ")。";
    m_error = Cp932Codec::FromUtf8(text).text;
}

bool OpmlImporter::Feed(const char* data, size_t size, bool last) {
    if (!m_error.empty())
        return false;
    XML_Parser parser = P(m_parser);
    // Pieces stay well below INT_MAX, as XML_Parse takes an int.
    constexpr size_t kPiece = 1u << 20;
    do {
        size_t piece = size < kPiece ? size : kPiece;
        bool final = last && piece == size;
        m_fed += piece;
        if (XML_Parse(parser, data, static_cast<int>(piece), final ? XML_TRUE : XML_FALSE) != XML_STATUS_OK) {
            Fail(!m_reason.empty() ? m_reason : XML_ErrorString(XML_GetErrorCode(parser)));
            return false;
        }
        if (m_fed - static_cast<unsigned long long>(m_lastEvent) > kMaxPendingBytes) {
            Fail("要素が大きすぎます");
            return false;
        }
        data += piece;
        size -= piece;
    } while (size > 0);
    if (last && !m_sawRoot) {
        Fail("opml要素がありません");
        return false;
    }
    return true;
}

} // namespace kardel
