#pragma once
#include "shell/DocumentSession.h"

#include <string>
#include <vector>

namespace kardel::cli {

// One subcommand: takes the arguments after its name and returns the exit code
// (0 done, 1 a document could not be read or written, 2 bad usage, 3 disabled command).
using CommandFunction = int (*)(const std::vector<std::string>& args);

// Each subcommand's file registers itself with one of these at namespace scope.
struct CommandRegistration {
    CommandRegistration(const char* name, const char* usage, CommandFunction run);
};

struct RegisteredCommand {
    const char* name;
    const char* usage;
    CommandFunction run;
};
const std::vector<RegisteredCommand>& Commands();

int Usage();
// Prints a cp932 message as UTF-8 on stderr.
void PrintError(const std::string& cp932);
// Opens the document; on failure prints the load error and returns false.
bool OpenOrReport(HeadlessSession& session, const std::string& path);
// Reads the document as the file holds it, without the steps of opening (no
// initial search, no retitling); on failure prints the load error.
bool ReadOrReport(HeadlessSession& session, const std::string& path);
// Saves the document safely to path (version 5); on failure prints why and returns false.
bool SaveOrReport(HeadlessSession& session, const std::string& path);

// A memo index or other count given on the command line: digits only.
bool ParseIndex(const std::string& text, int& out);
// Writes cp932 bytes safely to path, or to stdout as UTF-8 when path is empty;
// on failure prints why and returns false.
bool WriteOutput(const std::string& cp932, const std::string& path);

} // namespace kardel::cli
