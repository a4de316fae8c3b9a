#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What the program asks of the system it runs on, beyond its files.
namespace tarvo::platform {

// This process's number.
long ProcessId();

// The folder that holds the running program.
std::filesystem::path ProgramFolder();

// The program's arguments as UTF-8 texts (on Windows from the wide command
// line, so that a folder such as C:\Prüfung\Ω reaches the program whole).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard input, output and error pass their bytes as they are: no CR is
// added before a line feed (Windows translates them unless told not to).
void UseBinaryStandardStreams();

// A window program started from a console prints its --help, --version and
// errors there. Windows gives a program built for the desktop no console:
// it takes its starter's, for each stream not already sent elsewhere (a file
// or a pipe). Nothing to do on POSIX.
void UseStarterConsole();

// The decimal separator of the user's locale, or nothing when the query
// fails: LC_NUMERIC (or LANG) on POSIX, GetLocaleInfoA on Windows.
std::optional<std::string> UserDecimalSeparator();

}  // namespace tarvo::platform
