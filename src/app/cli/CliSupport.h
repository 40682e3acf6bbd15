#pragma once
#include "core/shell/DocumentSession.h"

#include <functional>
#include <string>
#include <vector>

namespace kardel::cli {

// One subcommand: takes the arguments after its name and returns the exit code
// (0 done, 1 a document could not be read or written, 2 bad usage, 3 disabled command).
using CommandFunction = int (*)(const std::vector<std::string>& args);

// What a subcommand's help says. `kardel-cli --help`, `kardel-cli COMMAND --help`,
// the manual page (made from the help by help2man) and the shell completion (which
// reads the help) all come from these, so an option is added by adding one entry.
struct HelpEntry {
    const char* word;  // an option ("--memo", "-o") or a word of the command's own language
    const char* value; // what follows it ("N", "OUT"; "a|b" lists the choices), or ""
    const char* text;  // what it does
};
struct HelpList {
    const char* heading; // "Options", "Steps", ...
    std::vector<HelpEntry> entries;
};
struct CommandHelp {
    const char* arguments; // what follows the command's name: "FILE.kdl [OPTION]..."
    const char* summary;   // what the command does, in a sentence or a few
    std::vector<HelpList> lists = {};
};

// One subcommand: takes the arguments after its name and returns the exit code
// (0 done, 1 a document could not be read or written, 2 bad usage, 3 disabled command).
using CommandFunction = int (*)(const std::vector<std::string>& args);

// Each subcommand's file registers itself with one of these at namespace scope.
struct CommandRegistration {
    CommandRegistration(const char* name, CommandHelp help, CommandFunction run);
};

struct RegisteredCommand {
    const char* name;
    CommandHelp help;
    CommandFunction run;
};
// The registered subcommands, in alphabetical order of their names.
const std::vector<RegisteredCommand>& Commands();
const RegisteredCommand* FindCommand(const std::string& name);

// Runs kardel-cli: --help, --version, COMMAND --help, or the command.
int Main(int argc, char** argv);
// The whole help (every command) on stdout.
void PrintHelp();
// One command's help on stdout.
void PrintCommandHelp(const RegisteredCommand& command);
// Reports bad usage of the running command (or of kardel-cli) on stderr; returns 2.
int Usage();
// Prints a cp932 message as UTF-8 on stderr.
void PrintError(const std::string& cp932);
// An object that lives until the process ends. kardel-cli runs one command and exits:
// taking a document of a million memos apart item by item would only delay the exit, so
// the sessions a command loads are left to it. They stay reachable for leak checkers.
template <class Object>
Object& KeptUntilExit() {
    static std::vector<Object*> kept;
    kept.push_back(new Object);
    return *kept.back();
}

// Opens the document; on failure prints the load error and returns false.
bool OpenOrReport(HeadlessSession& session, const std::string& path);
// Reads the document as the file holds it, without the steps of opening (no
// initial search, no retitling); on failure prints the load error.
bool ReadOrReport(HeadlessSession& session, const std::string& path);
// Saves the document safely to path (version 5); on failure prints why and returns false.
bool SaveOrReport(HeadlessSession& session, const std::string& path);

// An argument that a command taking only files refuses: one that starts with "-"
// (a lone "-" is not one).
bool IsOption(const std::string& arg);
// A memo index or other count given on the command line: digits only.
bool ParseIndex(const std::string& text, int& out);
// What `produce` makes of `source` goes to path safely (temporary file renamed at
// the end, or straight into a device), or to standard output when path is empty, as
// it is made; a path naming source's own file is refused. cp932 output is converted
// to UTF-8 on standard output unless the producer writes UTF-8 already. On failure
// prints why and returns false.
using Producer = std::function<bool(IOutput&)>;
enum class OutputText { Cp932, Utf8 };
bool WriteOutput(const CKardelDoc& source, const std::string& path, const Producer& produce,
                 OutputText text = OutputText::Cp932);
// Everything printed on standard output goes through here (UTF-8 as given), so
// that a failed write (a full disk, /dev/full) is reported and ends in exit 1.
bool PrintOrReport(const Producer& produce);

} // namespace kardel::cli
