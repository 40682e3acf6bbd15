// search: runs a search and prints or writes FindView as tab-separated text.
#include "app/cli/CliSupport.h"

#include "core/base/Cp932Codec.h"
#include "core/base/SafeFile.h"
#include "core/search/FindViewExport.h"

#include <cstdio>
#include <ctime>
#include <optional>

namespace kardel::cli {
namespace {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

bool SetKinds(CFindCondition& cond, const std::string& list) {
    for (const std::string& kind : SplitList(list)) {
        if (kind == "folder")
            cond.m_kindFolder = 1;
        else if (kind == "memo")
            cond.m_kindMemo = 1;
        else if (kind == "done")
            cond.m_kindDone = 1;
        else if (kind.size() == 4 && kind.compare(0, 3, "def") == 0 && kind[3] >= '1' && kind[3] <= '5')
            cond.m_kindDef[kind[3] - '1'] = 1;
        else
            return false;
    }
    cond.m_kindsOn = 1;
    return true;
}

// "YYYY/MM/DD" as the local midnight of that day, inside the range a file can hold.
bool ParseDay(const std::string& text, time32& out) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d/%2d/%2d%c", &y, &m, &d, &tail) != 3)
        return false;
    if (y < 1970 || y > 2038 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    std::tm parts{};
    parts.tm_year = y - 1900;
    parts.tm_mon = m - 1;
    parts.tm_mday = d;
    parts.tm_isdst = -1;
    std::time_t t = std::mktime(&parts);
    if (t == -1 || parts.tm_mday != d || t > 0x7FFFFFFF)
        return false;
    out = static_cast<time32>(t < 0 ? 0 : t);
    return true;
}

struct SearchArgs {
    std::string file, out;
    int stdFind = 0;
    bool all = false, built = false, sorted = false, descending = false;
    int sortColumn = 1;
    std::optional<std::string> scope; // none: the condition keeps its own scope
    CFindCondition cond;
};

bool ParseSearchArgs(const std::vector<std::string>& args, SearchArgs& a) {
    a.cond.SwitchAllTestsOff();
    bool dateGiven = false, stringGiven = false, inGiven = false;
    std::string relation = "same", on = "today", field;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        auto value = [&]() -> const std::string& { return args[++i]; };
        if (arg == "--all") {
            a.all = true;
        } else if (arg == "--std" && hasValue) {
            std::string k = value();
            if (k.size() != 1 || k[0] < '1' || k[0] > '5')
                return false;
            a.stdFind = k[0] - '0';
        } else if (arg == "--kinds" && hasValue) {
            if (!SetKinds(a.cond, value()))
                return false;
            a.built = true;
        } else if (arg == "--date" && hasValue) {
            field = value();
            dateGiven = a.built = true;
        } else if (arg == "--relation" && hasValue) {
            relation = value();
        } else if (arg == "--on" && hasValue) {
            on = value();
        } else if (arg == "--string" && hasValue) {
            a.cond.m_search = Cp932Codec::FromUtf8(value()).text;
            stringGiven = a.built = true;
        } else if (arg == "--in" && hasValue) {
            for (const std::string& where : SplitList(value())) {
                if (where == "title")
                    a.cond.m_searchTitle = 1;
                else if (where == "body")
                    a.cond.m_searchBody = 1;
                else
                    return false;
            }
            inGiven = true;
        } else if (arg == "--sel" && hasValue) {
            for (const std::string& item : SplitList(value()))
                a.cond.m_arrSelItems.push_back(Cp932Codec::FromUtf8(item).text);
            a.cond.m_selOn = 1;
            a.built = true;
        } else if (arg == "--scope" && hasValue) {
            a.scope = value();
        } else if (arg == "--sort" && hasValue) {
            std::string column = value();
            if (auto colon = column.find(':'); colon != std::string::npos) {
                if (column.substr(colon) != ":desc")
                    return false;
                a.descending = true;
                column.erase(colon);
            }
            if (column.size() != 1 || column[0] < '0' || column[0] > '6')
                return false;
            a.sortColumn = column[0] - '0';
            a.sorted = true;
        } else if (arg == "-o" && hasValue) {
            a.out = value();
        } else if (a.file.empty() && !arg.empty() && arg[0] != '-') {
            a.file = arg;
        } else {
            return false;
        }
    }
    if (a.file.empty() || (a.all + (a.stdFind != 0) + a.built) > 1)
        return false;
    if (dateGiven) {
        const char* fields[] = {"created", "updated", "due", "done"};
        const char* relations[] = {"same", "before", "after"};
        a.cond.m_dateField = a.cond.m_dateRelation = -1;
        for (int f = 0; f < 4; ++f)
            if (field == fields[f])
                a.cond.m_dateField = f;
        for (int r = 0; r < 3; ++r)
            if (relation == relations[r])
                a.cond.m_dateRelation = r;
        if (a.cond.m_dateField < 0 || a.cond.m_dateRelation < 0)
            return false;
        if (on == "today") {
            a.cond.m_dateSource = CFindCondition::Today;
        } else {
            a.cond.m_dateSource = CFindCondition::GivenDate;
            if (!ParseDay(on, a.cond.m_givenTime))
                return false;
        }
        a.cond.m_dateOn = 1;
    }
    if (stringGiven) {
        if (!inGiven)
            a.cond.m_searchTitle = a.cond.m_searchBody = 1;
        a.cond.m_stringOn = 1;
    }
    return true;
}

// Replaces the condition's scope by the one given; "under:N" also selects memo N
// in the tree, where a search below the selection starts.
bool ApplyScope(HeadlessSession& session, const std::string& scope, CFindCondition& cond) {
    if (scope == "all") {
        cond.m_scope = CFindCondition::AllMemos;
        return true;
    }
    if (scope.compare(0, 6, "under:") != 0)
        return false;
    int index = -1;
    if (!ParseIndex(scope.substr(6), index))
        return false;
    CMemoItem* memo = session.doc().Memo(index);
    if (!memo || !memo->m_hTreeItem)
        return false;
    session.treeView().Tree().Select(memo->m_hTreeItem);
    cond.m_scope = CFindCondition::BelowSelection;
    return true;
}

int RunSearch(const std::vector<std::string>& args) {
    SearchArgs a;
    if (!ParseSearchArgs(args, a))
        return Usage();
    HeadlessSession& session = KeptUntilExit<HeadlessSession>();
    if (!OpenOrReport(session, a.file))
        return 1;
    session.session().OnInitialUpdate();
    CKardelDoc& doc = session.doc();
    if (a.built) {
        doc.m_findCond = a.cond;
    } else if (a.all) {
        doc.m_findCond.ResetToAllMemos();
    } else if (a.stdFind != 0) {
        doc.m_nStdFind = a.stdFind;
        doc.m_findCond = doc.m_options.m_stdFind[a.stdFind - 1];
    }
    if (a.scope && !ApplyScope(session, *a.scope, doc.m_findCond))
        return Usage();
    doc.RunSearch();
    if (a.sorted)
        session.findView().SortBy(a.sortColumn, a.descending);
    const CKdListView& list = session.findView();
    return WriteOutput(doc, a.out, [&](IOutput& out) { return WriteFindViewExport(out, list, doc); }) ? 0 : 1;
}

const CommandRegistration
    kSearch("search",
            {"FILE.kdl [CONDITION] [OPTION]...",
             "Runs a search and writes the FindView list as the window's tab-separated export. Without CONDITION the "
             "document's current search condition runs; otherwise CONDITION is --std K, --all, or tests built from the "
             "other condition options. The list is sorted by kind, as after a search, unless --sort names a column.",
             {{"Condition",
               {{"--std", "K", "standard search K (1 to 5)"},
                {"--all", "", "the condition that resets to all memos"},
                {"--kinds", "LIST", "a kind test: folder, memo, def1 to def5 and done, separated by commas"},
                {"--date", "created|updated|due|done", "a date test on that date of each memo"},
                {"--relation", "same|before|after", "how the date test compares (default same)"},
                {"--on", "YYYY/MM/DD|today", "the day the date test compares with (default today)"},
                {"--string", "TEXT", "a string test"},
                {"--in", "title|body|title,body", "where the string test looks (default both)"},
                {"--sel", "ITEM,ITEM", "a selection item test on these items"}}},
              {"Options",
               {{"--scope", "all|under:N",
                 "replaces the condition's scope, whichever condition runs: all memos, or those below memo N"},
                {"--sort", "COL[:desc]", "sort by column COL (0 to 6), descending with :desc"},
                {"-o", "OUT.txt", "write OUT.txt (cp932) instead of standard output (UTF-8)"}}}}},
            RunSearch);

} // namespace
} // namespace kardel::cli
