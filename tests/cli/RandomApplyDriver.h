#pragma once
// Random `kardel-cli apply` steps for property tests of the tree commands.
#include "app/cli/ApplySteps.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kardel::cli {

// Picks the next apply step for the document an EditSession holds, among every
// apply command: memo indices are drawn from the document (the root and the trash
// often, so that drops onto the root happen), texts include Japanese, escapes and
// empty ones, and imports read copies of the document saved earlier in the run
// (some after the trash, once a merge below the root has put memos there) or a
// file that is not a document. The caller runs the step and checks what it likes.
class RandomApplyDriver {
public:
    // Import sources are written into `folder`, which must exist.
    RandomApplyDriver(std::uint32_t seed, std::string folder);

    ApplyStep Next(EditSession& edit);
    // The path of the file that is not a document; importing it fails with exit 1.
    const std::string& BadFile() const { return m_badFile; }

    // Above this many memos the driver favours commands that remove memos.
    static constexpr size_t kManyMemos = 80;

private:
    std::string IndexArgument(EditSession& edit);
    std::string TextArgument();
    std::string ImportArgument(EditSession& edit);
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

    std::mt19937 m_random;
    std::string m_folder;
    std::string m_badFile;
    std::vector<std::string> m_names;
    std::vector<std::string> m_sources; // documents written for import
};

} // namespace kardel::cli
