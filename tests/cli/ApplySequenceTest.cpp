// Long random sequences of apply commands: after every step the document saves,
// reopens and saves again to the same bytes, and both copies keep the outline's
// invariants. A refused step changes nothing.
#include "RandomApplyDriver.h"

#include "../../fuzz/DocumentInvariants.h"
#include "core/base/Archive.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kardel;
using namespace kardel::cli;

namespace {

// What saving under OUT writes, the MemoView text committed first as apply's save does.
std::string Saved(HeadlessSession& session) {
    CKardelDoc& doc = session.doc();
    doc.UpdateAllViews(nullptr, HintStoreText, doc.CurrentMemo());
    MemoryOutput out;
    EXPECT_TRUE(doc.StoreTo(out));
    return out.take();
}

class ApplySequence : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::Set(&m_clock);
        m_folder = std::filesystem::path(::testing::TempDir()) / "kardel-apply-sequence";
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override {
        Clock::Set(nullptr);
        std::filesystem::remove_all(m_folder);
    }
    FixedClock m_clock{958000000};
    std::filesystem::path m_folder;
};

TEST_F(ApplySequence, EveryStepSavesAndReopensToTheSameDocument) {
    constexpr int kSequences = 100;
    constexpr int kSteps = 250;
    for (std::uint32_t seed = 1; seed <= kSequences; ++seed) {
        RandomApplyDriver driver(seed, m_folder.string());
        EditSession edit;
        edit.session().doc().OnNewDocument();
        std::string bytes = Saved(edit.session());
        std::string trail;
        for (int n = 0; n < kSteps; ++n) {
            m_clock.SetNow(958000000 + n * 3600);
            ApplyStep step = driver.Next(edit);
            trail += " " + step.name + (step.argument.empty() ? "" : " '" + step.argument + "'");
            SCOPED_TRACE("seed " + std::to_string(seed) + ":" + trail);
            int code = RunApplyStep(edit, step);
            bool failedImport = step.name == "import" && step.argument == driver.BadFile();
            ASSERT_EQ(code, failedImport ? 1 : code == 3 ? 3 : 0);
            // Reopening selects the current memo, which opens its collapsed folders to
            // reveal it; the steps' document does the same before it is compared.
            TreeControl& tree = edit.session().treeView().Tree();
            tree.Select(tree.GetCaret());
            std::string before = bytes;
            bytes = Saved(edit.session());
            if (code != 0) {
                ASSERT_EQ(bytes, before) << "a refused step changed the document";
            }
            ASSERT_EQ(fuzz::CheckDocumentInvariants(edit.session()), "");

            HeadlessSession reopened;
            ASSERT_TRUE(reopened.doc().LoadFromBytes(bytes).ok);
            ASSERT_EQ(fuzz::CheckDocumentInvariants(reopened), "");
            ASSERT_EQ(Saved(reopened), bytes);
        }
    }
}

} // namespace
