// What every command of the project shares: its answers to --help and --version, and where
// the shipped models and map are, installed or in the source tree.
#pragma once

#include <optional>
#include <string>

// The version, set once in CMakeLists.txt's project().
const char* tanglorVersion();

// When a word of the command line is --help or --version, prints on standard output `help`
// (the usage and a line on each word, the lines on these two options added) or "NAME
// VERSION", and gives the exit status: 0, or 1 when it could not be written. Else nothing,
// and the command reads its words as usual. Options in `help` are aligned at column 19.
std::optional<int> answerHelpOrVersion(int argc, char** argv, const char* name,
                                       const std::string& help);

// The folder of the shipped models and map: ../share/tanglor beside the running program's
// own folder when it holds the eight models (an installed program, however moved), else
// the source tree the program was built from.
std::string shippedAssetsFolder();
