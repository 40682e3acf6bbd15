#include "app/cli/JsonDocument.h"

#include "core/base/Archive.h"
#include "core/base/SafeFile.h"

#include "../core/FixedNowTest.h"

#include <gtest/gtest.h>

using namespace kardel;
using namespace kardel::cli;
using nlohmann::json;

namespace {
class JsonDocument : public FixedNowTest {
protected:
    static json Rich() {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(KARDEL_TEST_DATA "/rich.json", text).ok);
        return json::parse(text);
    }
    static std::string Save(HeadlessSession& s) {
        MemoryOutput out;
        EXPECT_TRUE(s.doc().StoreTo(out));
        return out.take();
    }
    // dump of the bytes, then build from that dump.
    static BuildResult RoundTrip(const std::string& bytes, json* dumped = nullptr) {
        HeadlessSession s;
        EXPECT_TRUE(s.doc().LoadFromBytes(bytes).ok);
        DumpResult dump = DocumentToJson(s);
        EXPECT_TRUE(dump.unfaithfulTexts.empty());
        if (dumped)
            *dumped = dump.json;
        return BuildDocumentBytes(json::parse(dump.json.dump()));
    }
};

// Root and trash as a version 3 file stores them: no selection items, no widths, no window.
std::string Version3File() {
    MemoryOutput out;
    CArchive w(out);
    w.WriteBytes(std::string("Version003\0", 11));
    w.WriteInt32(2);
    for (auto [title, kind] : {std::pair<const char*, int>{"Data", 0}, {"T", 2}}) {
        w.WriteString(title);
        w.WriteInt32(kind);
        for (int i = 0; i < 5; ++i)
            w.WriteInt32(7);
        w.WriteString("body");
    }
    w.WriteInt32(0);
    w.WriteInt32(2);
    for (int v : {0, 0, 0, 1, 1, 2, 1, 1, 0, 0})
        w.WriteInt32(v);
    for (int condition = 0; condition < 2; ++condition) {
        for (int i = 0; i < 16; ++i)
            w.WriteInt32(0);
        w.WriteBytes(std::string(12, '\0'));
        w.WriteString("");
        w.WriteInt32(0);
    }
    w.WriteInt32(0);
    w.WriteInt32(0);
    for (int i = 0; i < 5; ++i)
        w.WriteString("d");
    w.WriteInt32(1);
    for (int i = 0; i < 5; ++i)
        w.WriteInt32(0);
    for (int i = 0; i < 5; ++i)
        w.WriteString("");
    return out.take();
}
} // namespace

TEST_F(JsonDocument, DumpThenBuildGivesBackAVersion5FileByteForByte) {
    HeadlessSession fresh;
    fresh.doc().OnNewDocument();
    BuildResult rich = BuildDocumentBytes(Rich());
    ASSERT_TRUE(rich.ok) << rich.error;
    BuildResult fromOld = RoundTrip(Version3File());
    ASSERT_TRUE(fromOld.ok) << fromOld.error;
    for (const std::string& bytes : {Save(fresh), rich.bytes, fromOld.bytes}) {
        BuildResult again = RoundTrip(bytes);
        ASSERT_TRUE(again.ok) << again.error;
        EXPECT_EQ(again.bytes, bytes);
    }
}

TEST_F(JsonDocument, DumpShowsValuesAsHeldAndTheTreeSavingWouldWrite) {
    BuildResult rich = BuildDocumentBytes(Rich());
    ASSERT_TRUE(rich.ok) << rich.error;
    json dumped;
    ASSERT_TRUE(RoundTrip(rich.bytes, &dumped).ok);
    EXPECT_EQ(dumped, Rich()); // the fixture is already in the form the dump gives

    json old;
    ASSERT_TRUE(RoundTrip(Version3File(), &old).ok);
    EXPECT_EQ(old["version"], 3);
    EXPECT_EQ(old["memos"][1]["created"], 7);
    EXPECT_EQ(old["memos"][1]["selItem"], "");
    EXPECT_EQ(old["findViewWidths"], json({200, 80, 80, 75, 75, 75, 75}));
    EXPECT_EQ(old["window"], json({{"top", 0}, {"left", 0}, {"bottom", 0}, {"right", 0}, {"treeWidth", 145}}));
    EXPECT_EQ(old["tree"][1], json({{"image", 2}, {"memo", 1}, {"parent", 1}, {"hasChildren", 0}, {"selected", 0}}));
}

TEST_F(JsonDocument, BuildRefusesWhatTheReaderWouldRefuseAndNamesTheKey) {
    struct Case {
        const char* pointer; // JSON pointer to change; the value null removes the key
        json value;
        const char* message;
    } cases[] = {
        {"/memos/2/title", nullptr, "memos[2].title: missing"},
        {"/memos/3/kind", 1.5, "memos[3].kind: an integer is expected"},
        {"/memos/3/kind", 2147483648LL, "memos[3].kind: the value does not fit in 32 bits"},
        {"/memos/3/due", -2147483649LL, "memos[3].due: the value does not fit in 32 bits"},
        {"/memos/4/body", "\xF0\x9F\x98\x80", "memos[4].body: the text holds a character that cp932 cannot store"},
        {"/memos/4/selItem", 3, "memos[4].selItem: a string is expected"},
        {"/memos", json::object(), "memos: an array is expected"},
        {"/findViewWidths", json({1, 2, 3}), "findViewWidths: an array of 7 elements is expected"},
        {"/options/cycle/6", "1", "options.cycle[6]: an integer is expected"},
        {"/options/stdFind/4/selItems", nullptr, "options.stdFind[4].selItems: missing"},
        {"/window/treeWidth", nullptr, "window.treeWidth: missing"},
        {"/currentMemo", 2, "currentMemo: memo 2 is not the memo of the selected tree record (5)"},
        {"/tree/3/memo", 99, "the file reader refuses this document"},
        {"/tree/3/memo", 3, "the file reader refuses this document"}, // memo 3 twice
        {"/tree/2/parent", 4, "the file reader refuses this document"},
        {"/tree/5/parent", 2, "the file reader refuses this document"}, // trash below another memo
        {"/tree/5/image", 4, "the file reader refuses this document"},
        {"/tree/6", nullptr, "the file reader refuses this document"}, // a memo without a tree item
    };
    for (const Case& c : cases) {
        json input = Rich();
        json::json_pointer pointer(c.pointer);
        if (c.value.is_null())
            input[pointer.parent_pointer()].erase(input[pointer.parent_pointer()].is_array()
                                                      ? input[pointer.parent_pointer()].begin() +
                                                            std::stoi(pointer.back())
                                                      : input[pointer.parent_pointer()].find(pointer.back()));
        else
            input[pointer] = c.value;
        BuildResult built = BuildDocumentBytes(input);
        EXPECT_FALSE(built.ok) << c.pointer;
        EXPECT_NE(built.error.find(c.message), std::string::npos) << c.pointer << ": " << built.error;
        EXPECT_TRUE(built.bytes.empty());
    }
}

TEST_F(JsonDocument, TextsThatCannotComeBackThroughUtf8AreNamed) {
    HeadlessSession s;
    s.doc().OnNewDocument();
    s.doc().Memos()[1]->m_strBody = "ok\x82";         // a lead byte without its trail
    s.doc().Memos()[0]->m_strSelItem = "\xED\x40";    // a character cp932 also writes as FA 5C
    s.doc().m_options.m_arrSelItems = {"fine", "\x81"};  // an incomplete character
    s.doc().m_findCond.m_search = "\x82\xA0\x83\x41";    // valid: stays unreported
    DumpResult dump = DocumentToJson(s);
    EXPECT_EQ(dump.unfaithfulTexts,
              (std::vector<std::string>{"memos[0].selItem", "memos[1].body", "options.selItems[1]"}));
    EXPECT_EQ(dump.json["memos"][1]["body"], "ok\xEF\xBF\xBD");
}
