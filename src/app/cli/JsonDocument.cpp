#include "app/cli/JsonDocument.h"

#include "core/base/Archive.h"
#include "core/base/Cp932Codec.h"
#include "core/base/OutputSink.h"
#include "core/base/Texts.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace kardel::cli {
namespace {
using nlohmann::json;

// ---- document to JSON -------------------------------------------------------

class Dumper {
public:
    explicit Dumper(std::vector<std::string>& unfaithful) : m_unfaithful(unfaithful) {}

    json Text(std::string_view cp932, const std::string& path) {
        ConversionResult utf8 = Cp932Codec::ToUtf8(cp932);
        if (utf8.lossy || Cp932Codec::FromUtf8(utf8.text).text != cp932)
            m_unfaithful.push_back(path);
        return utf8.text;
    }
    json Texts(const std::vector<std::string>& list, const std::string& path) {
        json array = json::array();
        for (size_t i = 0; i < list.size(); ++i)
            array.push_back(Text(list[i], path + "[" + std::to_string(i) + "]"));
        return array;
    }
    template <size_t N> json Texts(const std::string (&list)[N], const std::string& path) {
        return Texts(std::vector<std::string>(list, list + N), path);
    }

    json Condition(const CFindCondition& c, const std::string& path) {
        return {{"scope", c.m_scope},
                {"kindDef", c.m_kindDef},
                {"kindDone", c.m_kindDone},
                {"kindFolder", c.m_kindFolder},
                {"kindMemo", c.m_kindMemo},
                {"kindsOn", c.m_kindsOn},
                {"givenDate", c.m_givenTime},
                {"dateField", c.m_dateField},
                {"dateOn", c.m_dateOn},
                {"dateRelation", c.m_dateRelation},
                {"dateSource", c.m_dateSource},
                {"searchBody", c.m_searchBody},
                {"searchTitle", c.m_searchTitle},
                {"searchString", Text(c.m_search, path + ".searchString")},
                {"stringOn", c.m_stringOn},
                {"selItems", Texts(c.m_arrSelItems, path + ".selItems")},
                {"selOn", c.m_selOn}};
    }

    json Memo(const CMemoItem& m, const std::string& path) {
        return {{"title", Text(m.m_strTitle, path + ".title")},
                {"kind", m.m_nKind},
                {"created", m.m_timeCreated},
                {"updated", m.m_timeUpdated},
                {"hasDue", m.m_bHasDue},
                {"due", m.m_timeDue},
                {"done", m.m_timeDone},
                {"selItem", Text(m.m_strSelItem, path + ".selItem")},
                {"body", Text(m.m_strBody, path + ".body")}};
    }

    json Options(const CDocOptions& o) {
        json stdFind = json::array();
        for (int i = 0; i < 5; ++i)
            stdFind.push_back(Condition(o.m_stdFind[i], "options.stdFind[" + std::to_string(i) + "]"));
        return {{"stdFind", stdFind},
                {"stdFindName", Texts(o.m_strStdFindName, "options.stdFindName")},
                {"initialFind", o.m_nInitialFind},
                {"defName", Texts(o.m_strDefName, "options.defName")},
                {"tabChoice", o.m_nTabChoice},
                {"iconFile", Texts(o.m_strIconFile, "options.iconFile")},
                {"cycle", o.m_bCycle},
                {"selItems", Texts(o.m_arrSelItems, "options.selItems")},
                {"selTitle", Text(o.m_strSelTitle, "options.selTitle")},
                {"selEnabled", o.m_bSelEnabled}};
    }

private:
    std::vector<std::string>& m_unfaithful;
};

// ---- JSON to document -------------------------------------------------------

class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A JSON value with the path that leads to it, for messages that name the key.
class Field {
public:
    Field(const json& value, std::string path) : m_value(value), m_path(std::move(path)) {}

    Field operator[](const char* key) const {
        if (!m_value.is_object())
            Fail("an object is expected");
        auto it = m_value.find(key);
        std::string path = m_path.empty() ? key : m_path + "." + key;
        if (it == m_value.end())
            throw BuildError(path + ": missing");
        return Field(*it, path);
    }
    Field operator[](size_t index) const { return Field(m_value[index], m_path + "[" + std::to_string(index) + "]"); }

    size_t ArraySize() const {
        if (!m_value.is_array())
            Fail("an array is expected");
        return m_value.size();
    }
    size_t ArrayOf(size_t count) const {
        if (ArraySize() != count)
            Fail("an array of " + std::to_string(count) + " elements is expected");
        return count;
    }
    std::int32_t Int() const {
        if (!m_value.is_number_integer())
            Fail("an integer is expected");
        bool fits = m_value.is_number_unsigned()
                        ? m_value.get<std::uint64_t>() <= std::uint64_t(std::numeric_limits<std::int32_t>::max())
                        : m_value.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                              m_value.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
        if (!fits)
            Fail("the value does not fit in 32 bits");
        return static_cast<std::int32_t>(m_value.get<std::int64_t>());
    }
    // UTF-8 to cp932; a character cp932 cannot hold is refused rather than replaced.
    std::string Text() const {
        if (!m_value.is_string())
            Fail("a string is expected");
        ConversionResult cp932 = Cp932Codec::FromUtf8(m_value.get_ref<const std::string&>());
        if (cp932.lossy)
            Fail("the text holds a character that cp932 cannot store");
        return cp932.text;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> list(ArraySize());
        for (size_t i = 0; i < list.size(); ++i)
            list[i] = (*this)[i].Text();
        return list;
    }
    template <size_t N> void Ints(std::int32_t (&out)[N]) const {
        for (size_t i = 0; i < ArrayOf(N); ++i)
            out[i] = (*this)[i].Int();
    }
    template <size_t N> void Texts(std::string (&out)[N]) const {
        for (size_t i = 0; i < ArrayOf(N); ++i)
            out[i] = (*this)[i].Text();
    }
    [[noreturn]] void Fail(const std::string& what) const {
        throw BuildError((m_path.empty() ? std::string("the document") : m_path) + ": " + what);
    }

private:
    const json& m_value;
    std::string m_path;
};

CFindCondition ReadCondition(const Field& f) {
    CFindCondition c;
    c.m_scope = f["scope"].Int();
    f["kindDef"].Ints(c.m_kindDef);
    c.m_kindDone = f["kindDone"].Int();
    c.m_kindFolder = f["kindFolder"].Int();
    c.m_kindMemo = f["kindMemo"].Int();
    c.m_kindsOn = f["kindsOn"].Int();
    c.m_givenTime = f["givenDate"].Int();
    c.m_dateField = f["dateField"].Int();
    c.m_dateOn = f["dateOn"].Int();
    c.m_dateRelation = f["dateRelation"].Int();
    c.m_dateSource = f["dateSource"].Int();
    c.m_searchBody = f["searchBody"].Int();
    c.m_searchTitle = f["searchTitle"].Int();
    c.m_search = f["searchString"].Text();
    c.m_stringOn = f["stringOn"].Int();
    c.m_arrSelItems = f["selItems"].Texts();
    c.m_selOn = f["selOn"].Int();
    return c;
}

CMemoItem ReadMemo(const Field& f) {
    CMemoItem m = CMemoItem::ForLoading();
    m.m_strTitle = f["title"].Text();
    m.m_nKind = f["kind"].Int();
    m.m_timeCreated = f["created"].Int();
    m.m_timeUpdated = f["updated"].Int();
    m.m_bHasDue = f["hasDue"].Int();
    m.m_timeDue = f["due"].Int();
    m.m_timeDone = f["done"].Int();
    m.m_strSelItem = f["selItem"].Text();
    m.m_strBody = f["body"].Text();
    return m;
}

CDocOptions ReadOptions(const Field& f) {
    CDocOptions o;
    Field stdFind = f["stdFind"];
    for (size_t i = 0; i < stdFind.ArrayOf(5); ++i)
        o.m_stdFind[i] = ReadCondition(stdFind[i]);
    f["stdFindName"].Texts(o.m_strStdFindName);
    o.m_nInitialFind = f["initialFind"].Int();
    f["defName"].Texts(o.m_strDefName);
    o.m_nTabChoice = f["tabChoice"].Int();
    f["iconFile"].Texts(o.m_strIconFile);
    f["cycle"].Ints(o.m_bCycle);
    o.m_arrSelItems = f["selItems"].Texts();
    o.m_strSelTitle = f["selTitle"].Text();
    o.m_bSelEnabled = f["selEnabled"].Int();
    return o;
}

// The file the JSON describes, section by section, written by the records' own writers.
std::string FileBytesOf(const json& input) {
    Field doc(input, "");
    MemoryOutput out;
    CArchive ar(out);
    ar.WriteBytes(std::string_view("Version005\0", 11));

    Field memos = doc["memos"];
    std::vector<CMemoItem> records;
    for (size_t i = 0; i < memos.ArraySize(); ++i)
        records.push_back(ReadMemo(memos[i]));
    if (records.size() > size_t(std::numeric_limits<std::int32_t>::max()))
        memos.Fail("too many memos");
    ar.WriteInt32(static_cast<std::int32_t>(records.size()));
    for (CMemoItem& memo : records)
        memo.Serialize(ar);

    std::int32_t widths[7];
    doc["findViewWidths"].Ints(widths);
    for (std::int32_t width : widths)
        ar.WriteInt32(width);

    // MemoView holds the current memo's body once the file is open; the reader checks the rest.
    std::int32_t current = doc["currentMemo"].Int();
    std::string shown;
    if (current >= 0 && static_cast<size_t>(current) < records.size())
        shown = records[current].m_strBody.view().substr(
            0, Cp932Codec::CharBoundaryPrefix(records[current].m_strBody, 0xFFFFF));
    ar.WriteInt32(static_cast<std::int32_t>(shown.size()));
    ar.WriteBytes(shown);

    Field tree = doc["tree"];
    ar.WriteInt32(static_cast<std::int32_t>(tree.ArraySize()));
    std::int32_t selectedMemo = 0;
    for (size_t i = 0; i < tree.ArraySize(); ++i) {
        Field record = tree[i];
        std::int32_t values[5] = {record["image"].Int(), record["memo"].Int(), record["parent"].Int(),
                                  record["hasChildren"].Int(), record["selected"].Int()};
        for (std::int32_t value : values)
            ar.WriteInt32(value);
        if (values[4] != 0)
            selectedMemo = values[1];
    }
    if (current != selectedMemo)
        doc["currentMemo"].Fail("memo " + std::to_string(current) + " is not the memo of the selected tree record (" +
                                std::to_string(selectedMemo) + ")");

    CFindCondition condition = ReadCondition(doc["findCondition"]);
    condition.Serialize(ar);
    CDocOptions options = ReadOptions(doc["options"]);
    options.Serialize(ar);

    Field window = doc["window"];
    for (const char* key : {"top", "left", "bottom", "right", "treeWidth"})
        ar.WriteInt32(window[key].Int());
    return out.take();
}

} // namespace

namespace {

// One member of the top-level object: its value laid out two spaces deeper.
class JsonWriter {
public:
    explicit JsonWriter(IOutput& out) : m_out(out) {}

    void Begin() { m_out.Put("{"); }
    void Member(const char* key, const json& value) {
        Key(key);
        Value(value, 1);
    }
    // An array member whose elements are made one at a time by `element(i)`.
    template <typename Element> void ArrayMember(const char* key, size_t count, Element element) {
        Key(key);
        if (count == 0) {
            m_out.Put("[]");
            return;
        }
        m_out.Put("[");
        for (size_t i = 0; i < count && m_out.Good(); ++i) {
            m_out.Put(i == 0 ? "\n    " : ",\n    ");
            Value(element(i), 2);
        }
        m_out.Put("\n  ]");
    }
    bool End() { return m_out.Put("\n}\n"); }

private:
    void Key(const char* key) {
        m_out.Put(m_first ? "\n  \"" : ",\n  \"");
        m_first = false;
        m_out.Put(key);
        m_out.Put("\": ");
    }
    void Value(const json& value, int depth) {
        std::string text = value.dump(2, ' ', false, json::error_handler_t::replace);
        std::string indent = "\n" + std::string(size_t(depth) * 2, ' ');
        size_t start = 0;
        for (size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
            m_out.Put(std::string_view(text).substr(start, lf - start));
            m_out.Put(indent);
            start = lf + 1;
        }
        m_out.Put(std::string_view(text).substr(start));
    }

    IOutput& m_out;
    bool m_first = true;
};

} // namespace

bool WriteDocumentJson(HeadlessSession& session, IOutput& out,
                       const std::function<void(const std::string& path)>& unfaithful) {
    std::vector<std::string> found;
    Dumper dumper(found);
    auto report = [&found, &unfaithful] {
        for (const std::string& path : found)
            unfaithful(path);
        found.clear();
    };
    CKardelDoc& doc = session.doc();
    FrameGeometry placement = session.m_frame.GetPlacement();
    JsonWriter writer(out);
    // Keys in the order json objects keep them: sorted.
    writer.Begin();
    writer.Member("currentMemo", doc.CurMemo());
    writer.Member("findCondition", dumper.Condition(doc.m_findCond, "findCondition"));
    writer.Member("findViewWidths", session.findView().ColumnWidths());
    writer.ArrayMember("memos", doc.Memos().size(), [&](size_t i) {
        json memo = dumper.Memo(*doc.Memos()[i], "memos[" + std::to_string(i) + "]");
        report();
        return memo;
    });
    writer.Member("options", dumper.Options(doc.m_options));
    std::vector<StoredTreeRecord> records = session.treeView().StoredRecords();
    writer.ArrayMember("tree", records.size(), [&records](size_t i) {
        const StoredTreeRecord& r = records[i];
        return json{{"image", r.image},
                    {"memo", r.memo},
                    {"parent", r.parent},
                    {"hasChildren", r.hasChildren},
                    {"selected", r.selected}};
    });
    writer.Member("version", session.session().m_app.m_nFileVersion);
    writer.Member("window", {{"top", placement.top},
                             {"left", placement.left},
                             {"bottom", placement.bottom},
                             {"right", placement.right},
                             {"treeWidth", placement.treeWidth}});
    report();
    return writer.End();
}

DumpResult DocumentToJson(HeadlessSession& session) {
    DumpResult result;
    MemoryOutput out;
    WriteDocumentJson(session, out, [&result](const std::string& path) { result.unfaithfulTexts.push_back(path); });
    result.json = json::parse(out.bytes());
    return result;
}

BuildResult BuildDocumentBytes(const json& input) {
    BuildResult result;
    std::string bytes;
    try {
        bytes = FileBytesOf(input);
    } catch (const BuildError& e) {
        result.error = e.what();
        return result;
    }
    // What the reader accepts and what saving the opened document writes.
    HeadlessSession session;
    FileResult loaded = session.doc().LoadFromBytes(bytes);
    if (!loaded.ok) {
        result.error = "the file reader refuses this document: " + Cp932Codec::ToUtf8(loaded.message).text;
        return result;
    }
    // No window: the widths go back out as they came in, a shown selection-item column included.
    session.findView().m_selColumnShown = session.findView().ColumnWidths()[2] != 0;
    MemoryOutput out;
    if (!session.doc().StoreTo(out)) {
        result.error = "the document could not be written";
        return result;
    }
    result.ok = true;
    result.bytes = out.take();
    return result;
}

} // namespace kardel::cli
