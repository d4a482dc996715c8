#pragma once
// "--format text|tsv|json": how a command prints a table, for people or for other programs.

#include <string>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace marlek::cli {

enum class OutputFormat { text, tsv, json };

// Adds --format with text as the default; any other word is a usage error.
CLI::Option *addFormatOption(CLI::App &command, OutputFormat &format);

} // namespace marlek::cli
