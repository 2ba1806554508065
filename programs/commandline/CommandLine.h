#pragma once

#include <CLI/CLI.hpp>
#include <optional>

// The command-line programs' shared way with CLI11: help and version go to
// standard output with exit code 0; a bad command line prints CLI11's reason
// and the usage of the (sub)command to standard error with exit code 2.
namespace CommandLine {

// Help that starts with the usage line, for the app and its subcommands.
void UseUsageFirstHelp(CLI::App& app);

// Parses the command line. Returns the exit code when the program is done
// (help, version, bad usage), or nothing when the command is to run.
std::optional<int> Parse(CLI::App& app, int argc, char** argv);

} // namespace CommandLine
