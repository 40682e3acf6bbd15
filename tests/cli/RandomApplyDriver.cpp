#include "RandomApplyDriver.h"

#include "core/base/Archive.h"

#include <fstream>

namespace kardel::cli {
namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

} // namespace

RandomApplyDriver::RandomApplyDriver(std::uint32_t seed, std::string folder)
    : m_random(seed), m_folder(std::move(folder)), m_badFile(m_folder + "/not-a-document.kdl"),
      m_names(ApplyCommandNames()) {
    WriteFile(m_badFile, std::string("Version005\0\xFF\xFF", 13));
}

ApplyStep RandomApplyDriver::Next(EditSession& edit) {
    ApplyStep step;
    if (edit.session().doc().Memos().size() > kManyMemos && Below(2) == 0) {
        static const char* const shrinking[] = {"select", "trash", "empty-trash", "cut"};
        step.name = shrinking[Below(4)];
    } else {
        step.name = m_names[Below(m_names.size())];
    }
    if (step.name == "import")
        step.argument = ImportArgument(edit);
    else if (ApplyTakesIndex(step.name))
        step.argument = IndexArgument(edit);
    else if (ApplyTakesText(step.name))
        step.argument = TextArgument();
    return step;
}

std::string RandomApplyDriver::IndexArgument(EditSession& edit) {
    size_t count = edit.session().doc().Memos().size();
    switch (Below(8)) {
    case 0:
    case 1:
        return "0"; // the root
    case 2:
        return "1"; // the trash
    default:
        return std::to_string(Below(count));
    }
}

std::string RandomApplyDriver::TextArgument() {
    static const char* const texts[] = {
        "", "A", "メモ", "ﾊﾝｶｸ ｶﾅ", "line\\r\\nnext", "tab\\there", "ソ表能", "\xF0\x9F\x98\x80 not in cp932",
    };
    return texts[Below(std::size(texts))];
}

std::string RandomApplyDriver::ImportArgument(EditSession& edit) {
    if (Below(8) == 0)
        return m_badFile;
    CKardelDoc& doc = edit.session().doc();
    if (m_sources.empty() || (doc.Memos().size() <= kManyMemos / 2 && Below(2) == 0)) {
        MemoryOutput out;
        doc.StoreTo(out);
        m_sources.push_back(m_folder + "/source-" + std::to_string(m_sources.size()) + ".kdl");
        WriteFile(m_sources.back(), out.bytes());
        return m_sources.back();
    }
    return m_sources[Below(m_sources.size())];
}

} // namespace kardel::cli
