// kardel-cli's help and its dispatch to the subcommands. The help is the one
// description of the command line: help2man makes the manual page from `--help`
// and the bash completion reads `--help` and `COMMAND --help`, so their layout
// matters: headings end with a colon at the start of a line; list entries are
// indented two spaces, start with the option or word, and their text begins in
// column 20 (on the next line when the entry is longer).
#include "app/cli/CliSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#ifndef KARDEL_VERSION
#define KARDEL_VERSION "0.0.0.0"
#endif

namespace kardel::cli {
namespace {

constexpr size_t kWidth = 79;

std::vector<RegisteredCommand>& Registry() {
    static std::vector<RegisteredCommand> commands;
    return commands;
}

const RegisteredCommand*& Running() {
    static const RegisteredCommand* running = nullptr;
    return running;
}

// Prints text as lines of at most kWidth characters: the first after `first`
// (already printed, `column` characters wide), the rest after `indent` spaces.
// A newline in text starts a new paragraph after an empty line.
void PrintWrapped(std::FILE* out, const std::string& text, size_t column, size_t indent) {
    size_t start = 0;
    size_t used = column;
    bool lineEmpty = true;
    while (start < text.size()) {
        if (text[start] == '\n') {
            std::fprintf(out, "\n\n%*s", int(indent), "");
            used = indent;
            lineEmpty = true;
            ++start;
            continue;
        }
        if (text[start] == ' ') {
            ++start;
            continue;
        }
        size_t end = text.find_first_of(" \n", start);
        if (end == std::string::npos)
            end = text.size();
        size_t length = end - start;
        if (!lineEmpty && used + 1 + length > kWidth) {
            std::fprintf(out, "\n%*s", int(indent), "");
            used = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            std::fputc(' ', out);
            ++used;
        }
        std::fwrite(text.data() + start, 1, length, out);
        used += length;
        lineEmpty = false;
        start = end;
    }
    std::fputc('\n', out);
}

// One list entry: "  --memo N        text", the text in its own column.
void PrintEntry(std::FILE* out, const HelpEntry& entry, size_t indent) {
    std::string label = std::string(indent, ' ') + entry.word;
    if (*entry.value)
        label += std::string(" ") + entry.value;
    const size_t textColumn = indent + 18;
    std::fputs(label.c_str(), out);
    if (label.size() + 2 > textColumn) {
        std::fprintf(out, "\n%*s", int(textColumn), "");
    } else {
        std::fprintf(out, "%*s", int(textColumn - label.size()), "");
    }
    PrintWrapped(out, entry.text, textColumn, textColumn);
}

void PrintLists(std::FILE* out, const char* name, const CommandHelp& help) {
    for (const HelpList& list : help.lists) {
        if (name)
            std::fprintf(out, "\n%s of %s:\n", list.heading, name);
        else
            std::fprintf(out, "\n%s:\n", list.heading);
        for (const HelpEntry& entry : list.entries)
            PrintEntry(out, entry, 2);
    }
}

const HelpEntry kGeneralOptions[] = {
    {"-h, --help", "", "show this help and exit; after COMMAND, that command's help"},
    {"-V, --version", "", "show the program's name and version and exit"},
};

const HelpEntry kExitStatus[] = {
    {"0", "", "success"},
    {"1", "",
     "a document or another file could not be read or written, or the system cannot convert CP932 text (the "
     "message is on standard error)"},
    {"2", "", "bad usage"},
    {"3", "", "a command whose enabling rule is false (standard error names it; nothing is written)"},
};

const HelpEntry kEnvironment[] = {
    {"KARDEL_NOW", "",
     "seconds since 1970 taken as \"now\" by every operation (creation, update and done "
     "times, \"today\")"},
    {"TZ", "", "the time zone of local dates, as usual"},
};

bool IsHelp(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

} // namespace

CommandRegistration::CommandRegistration(const char* name, CommandHelp help, CommandFunction run) {
    std::vector<RegisteredCommand>& commands = Registry();
    auto at = std::find_if(commands.begin(), commands.end(),
                           [name](const RegisteredCommand& command) { return std::strcmp(command.name, name) > 0; });
    commands.insert(at, {name, std::move(help), run});
}

const std::vector<RegisteredCommand>& Commands() {
    return Registry();
}

const RegisteredCommand* FindCommand(const std::string& name) {
    for (const RegisteredCommand& command : Commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

void PrintHelp() {
    std::FILE* out = stdout;
    std::fputs("Usage: kardel-cli COMMAND [ARGUMENT]...\n"
               "  or:  kardel-cli COMMAND --help\n"
               "  or:  kardel-cli --help | --version\n",
               out);
    PrintWrapped(out,
                 "Reads, writes, searches and exports the outline documents (.kdl) of Kardel, the outliner for "
                 "short notes, on the same engine as the window kardel(1), without a window: for scripts that "
                 "convert, search, export or edit outlines in batches.",
                 0, 0);
    std::fputc('\n', out);
    PrintWrapped(out,
                 "Text on standard output and in JSON is UTF-8, converted from the document's cp932. Files the "
                 "program writes (documents, exports) are cp932 exactly as the window writes them, through a "
                 "temporary file, so that a failure leaves an existing file as it was; an export or a search "
                 "is never written over the document it is made from. A memo is named by its index N in the "
                 "document's memo array, as dump lists them.",
                 0, 0);
    std::fputs("\nCommands:\n", out);
    for (const RegisteredCommand& command : Commands()) {
        std::string label = std::string(command.name) + " " + command.help.arguments;
        PrintEntry(out, {label.c_str(), "", command.help.summary}, 2);
    }
    for (const RegisteredCommand& command : Commands())
        PrintLists(out, command.name, command.help);
    std::fputs("\nExit status:\n", out);
    for (const HelpEntry& entry : kExitStatus)
        PrintEntry(out, entry, 2);
    std::fputs("\nOptions:\n", out);
    for (const HelpEntry& entry : kGeneralOptions)
        PrintEntry(out, entry, 2);
    std::fputs("\nEnvironment:\n", out);
    for (const HelpEntry& entry : kEnvironment)
        PrintEntry(out, entry, 2);
}

void PrintCommandHelp(const RegisteredCommand& command) {
    std::printf("Usage: kardel-cli %s %s\n", command.name, command.help.arguments);
    PrintWrapped(stdout, command.help.summary, 0, 0);
    PrintLists(stdout, nullptr, command.help);
}

int Usage() {
    if (const RegisteredCommand* command = Running()) {
        std::fprintf(stderr, "Usage: kardel-cli %s %s\nTry 'kardel-cli %s --help' for more information.\n",
                     command->name, command->help.arguments, command->name);
    } else {
        std::fputs("Usage: kardel-cli COMMAND [ARGUMENT]...\nCommands:", stderr);
        for (const RegisteredCommand& known : Commands())
            std::fprintf(stderr, " %s", known.name);
        std::fputs("\nTry 'kardel-cli --help' for more information.\n", stderr);
    }
    return 2;
}

int Main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    if (IsHelp(argv[1])) {
        PrintHelp();
    } else if (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-V") == 0) {
        std::printf("kardel-cli %s\n", KARDEL_VERSION);
    } else if (const RegisteredCommand* command = FindCommand(argv[1])) {
        if (argc > 2 && IsHelp(argv[2])) {
            PrintCommandHelp(*command);
        } else {
            Running() = command;
            return command->run(std::vector<std::string>(argv + 2, argv + argc));
        }
    } else {
        std::fprintf(stderr, "kardel-cli: unknown command '%s'\n", argv[1]);
        return Usage();
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

} // namespace kardel::cli
