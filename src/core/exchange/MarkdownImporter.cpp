#include "core/exchange/MarkdownImporter.h"

#include "core/base/Cp932Codec.h"
#include "core/exchange/ExchangeText.h"

#include <charconv>
#include <md4c.h>
#include <vector>

namespace kardel {
namespace {

// UTF-8 of one code point; U+FFFD for what is not one.
void AppendCodePoint(std::string& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// An entity as the character it stands for; an unknown name stays as written.
void AppendEntity(std::string& out, std::string_view entity) {
    if (entity.size() > 3 && entity[1] == '#') {
        bool hex = entity[2] == 'x' || entity[2] == 'X';
        std::string_view digits = entity.substr(hex ? 3 : 2, entity.size() - (hex ? 4 : 3));
        unsigned long cp = 0;
        auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
        AppendCodePoint(out, ec == std::errc() && ptr == digits.data() + digits.size() ? cp : 0);
        return;
    }
    static const std::pair<std::string_view, const char*> names[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&nbsp;", " "},
    };
    for (const auto& [name, text] : names)
        if (entity == name) {
            out += text;
            return;
        }
    out += entity;
}

} // namespace

bool ParseMarkdownMetadata(std::string_view text, ImportedFields& fields) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\r'))
        text.remove_suffix(1);
    constexpr std::string_view open = "<!-- kardel:", close = "-->";
    if (text.substr(0, open.size()) != open || text.size() < open.size() + close.size() ||
        text.substr(text.size() - close.size()) != close)
        return false;
    text = text.substr(open.size(), text.size() - open.size() - close.size());
    ImportedFields read;
    while (!text.empty()) {
        size_t space = text.find(' ');
        std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        size_t eq = word.find('=');
        if (word.empty() || eq == std::string_view::npos)
            continue;
        std::string_view key = word.substr(0, eq), value = word.substr(eq + 1);
        time32 time = 0;
        if (key == "kind") {
            std::int32_t kind = 0;
            auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), kind);
            if (ec == std::errc() && ptr == value.data() + value.size())
                read.kind = kind;
        } else if (exchange::ParseIsoTime(value, time)) {
            if (key == "created")
                read.created = time;
            else if (key == "updated")
                read.updated = time;
            else if (key == "due")
                read.due = time;
            else if (key == "done")
                read.done = time;
        }
    }
    fields.kind = read.kind;
    fields.created = read.created;
    fields.updated = read.updated;
    fields.due = read.due;
    fields.done = read.done;
    return true;
}

struct MarkdownImporter::Callbacks {
    enum class Capture { Title, Body, Html };
    struct Open {
        int heading; // 1 to 6; 0 a list item; 7 the text before the first heading
        bool metadataAllowed = true;
    };

    explicit Callbacks(MarkdownImporter& importer) : self(importer) {}

    MarkdownImporter& self;
    std::vector<Open> open;
    Capture capture = Capture::Body;
    bool itemFresh = false; // a list item whose first block has not begun
    std::string html;
    std::vector<std::string> links; // targets of the open links and images
    bool tooMany = false;

    ImportedFields& OpenItem(int heading) {
        open.push_back({heading, true});
        if (self.m_outline.Count() >= kMaxItems)
            tooMany = true;
        return self.m_outline.Open();
    }
    void CloseItem() {
        open.pop_back();
        self.m_outline.Close();
    }
    bool InListItem() const {
        for (const Open& o : open)
            if (o.heading == 0)
                return true;
        return false;
    }
    // The memo that body text goes to; text before any heading gets a memo of its own.
    ImportedFields& BodyTarget() {
        if (ImportedFields* current = self.m_outline.Current())
            return *current;
        ImportedFields& f = OpenItem(7);
        f.title = "\xE5\x90\x8D\xE7\xA7\xB0\xE6\x9C\xAA\xE6\xB1\xBA\xE5\xAE\x9A"; // 名称未決定
        return f;
    }
    std::string& Target() {
        if (capture == Capture::Html)
            return html;
        if (capture == Capture::Title)
            return self.m_outline.Current()->title;
        return BodyTarget().body;
    }
    void StartBodyBlock() {
        std::string& body = BodyTarget().body;
        if (!body.empty())
            body += "\n\n";
        if (!open.empty())
            open.back().metadataAllowed = false;
    }

    int EnterBlock(MD_BLOCKTYPE type, void* detail) {
        if (tooMany)
            return 1;
        if (capture == Capture::Title && !open.empty() && open.back().heading == 0) {
            if (type == MD_BLOCK_P && itemFresh) {
                itemFresh = false;
                return 0;
            }
            capture = Capture::Body;
        }
        itemFresh = false;
        switch (type) {
        case MD_BLOCK_H:
            if (!InListItem()) {
                int level = static_cast<MD_BLOCK_H_DETAIL*>(detail)->level;
                while (!open.empty() && (open.back().heading >= level))
                    CloseItem();
                OpenItem(level);
                capture = Capture::Title;
                return 0;
            }
            StartBodyBlock();
            return 0;
        case MD_BLOCK_LI:
            OpenItem(0);
            capture = Capture::Title;
            itemFresh = true;
            return 0;
        case MD_BLOCK_HTML:
            if (self.m_outline.Current() && !open.empty() && open.back().metadataAllowed) {
                html.clear();
                capture = Capture::Html;
                return 0;
            }
            StartBodyBlock();
            return 0;
        case MD_BLOCK_P:
        case MD_BLOCK_TABLE:
            StartBodyBlock();
            return 0;
        case MD_BLOCK_HR:
            StartBodyBlock();
            Target() += "---";
            return 0;
        case MD_BLOCK_CODE: {
            StartBodyBlock();
            auto* code = static_cast<MD_BLOCK_CODE_DETAIL*>(detail);
            Target() += "```";
            Target().append(code->info.text ? code->info.text : "", code->info.size);
            Target() += "\n";
            return 0;
        }
        case MD_BLOCK_TH:
        case MD_BLOCK_TD: {
            std::string& body = Target();
            if (!body.empty() && body.back() != '\n')
                body += "\t";
            return 0;
        }
        default:
            return 0;
        }
    }

    int LeaveBlock(MD_BLOCKTYPE type) {
        switch (type) {
        case MD_BLOCK_H:
            if (capture == Capture::Title)
                capture = Capture::Body;
            return 0;
        case MD_BLOCK_P:
            if (capture == Capture::Title)
                capture = Capture::Body;
            return 0;
        case MD_BLOCK_LI:
            if (!open.empty() && open.back().heading == 0)
                CloseItem();
            capture = Capture::Body;
            itemFresh = false;
            return 0;
        case MD_BLOCK_HTML:
            if (capture == Capture::Html) {
                capture = Capture::Body;
                ImportedFields* current = self.m_outline.Current();
                if (!open.empty())
                    open.back().metadataAllowed = false;
                if (!ParseMarkdownMetadata(html, *current)) {
                    StartBodyBlock();
                    while (!html.empty() && html.back() == '\n')
                        html.pop_back();
                    current->body += html;
                }
            } else {
                std::string& body = Target();
                while (!body.empty() && body.back() == '\n')
                    body.pop_back();
            }
            return 0;
        case MD_BLOCK_CODE: {
            std::string& body = Target();
            if (!body.empty() && body.back() != '\n')
                body += "\n";
            body += "```";
            return 0;
        }
        case MD_BLOCK_TR:
            Target() += "\n";
            return 0;
        case MD_BLOCK_TABLE: {
            std::string& body = Target();
            while (!body.empty() && body.back() == '\n')
                body.pop_back();
            return 0;
        }
        default:
            return 0;
        }
    }

    // Inline marks are kept in a body, as the text a user would type; a title keeps only its words.
    int Span(MD_SPANTYPE type, void* detail, bool enter) {
        if (capture != Capture::Body)
            return 0;
        std::string& body = Target();
        switch (type) {
        case MD_SPAN_EM:
            body += "*";
            break;
        case MD_SPAN_STRONG:
            body += "**";
            break;
        case MD_SPAN_CODE:
            body += "`";
            break;
        case MD_SPAN_DEL:
            body += "~~";
            break;
        case MD_SPAN_A:
        case MD_SPAN_IMG:
            if (enter) {
                const MD_ATTRIBUTE& target = type == MD_SPAN_A ? static_cast<MD_SPAN_A_DETAIL*>(detail)->href
                                                               : static_cast<MD_SPAN_IMG_DETAIL*>(detail)->src;
                links.emplace_back(target.text ? target.text : "", target.size);
                body += type == MD_SPAN_A ? "[" : "![";
            } else if (!links.empty()) {
                body += "](" + links.back() + ")";
                links.pop_back();
            }
            break;
        default:
            break;
        }
        return 0;
    }

    int Text(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size) {
        if (capture == Capture::Title && !self.m_outline.Current())
            capture = Capture::Body;
        std::string& out = Target();
        switch (type) {
        case MD_TEXT_NULLCHAR:
            out += "\xEF\xBF\xBD";
            break;
        case MD_TEXT_BR:
        case MD_TEXT_SOFTBR:
            out += capture == Capture::Title ? " " : "\n";
            break;
        case MD_TEXT_ENTITY:
            AppendEntity(out, std::string_view(text, size));
            break;
        default:
            out.append(text, size);
            break;
        }
        return 0;
    }
};

std::string MarkdownImporter::TooLargeError() {
    return Cp932Codec::FromUtf8("Markdownﾌｧｲﾙが大きすぎます(64MBまで)。").text;
}

bool MarkdownImporter::Parse(std::string_view utf8) {
    auto fail = [this](const char* reasonUtf8) {
        m_error = Cp932Codec::FromUtf8(reasonUtf8).text;
        return false;
    };
    if (utf8.size() > kMaxBytes) {
        m_error = TooLargeError();
        return false;
    }
    Callbacks callbacks(*this);
    MD_PARSER parser{};
    parser.abi_version = 0;
    parser.flags = MD_FLAG_TABLES | MD_FLAG_STRIKETHROUGH;
    parser.enter_block = [](MD_BLOCKTYPE t, void* d, void* u) { return static_cast<Callbacks*>(u)->EnterBlock(t, d); };
    parser.leave_block = [](MD_BLOCKTYPE t, void*, void* u) { return static_cast<Callbacks*>(u)->LeaveBlock(t); };
    parser.enter_span = [](MD_SPANTYPE t, void* d, void* u) { return static_cast<Callbacks*>(u)->Span(t, d, true); };
    parser.leave_span = [](MD_SPANTYPE t, void* d, void* u) { return static_cast<Callbacks*>(u)->Span(t, d, false); };
    parser.text = [](MD_TEXTTYPE t, const MD_CHAR* s, MD_SIZE n, void* u) {
        return static_cast<Callbacks*>(u)->Text(t, s, n);
    };
    int rc = md_parse(utf8.data(), static_cast<MD_SIZE>(utf8.size()), &parser, &callbacks);
    if (callbacks.tooMany)
        return fail("Markdownﾌｧｲﾙの項目が多すぎます。");
    if (rc != 0)
        return fail("Markdownﾌｧｲﾙを読み込めません。");
    return true;
}

} // namespace kardel
