#pragma once
// Writes a report's lines to a text file for Save As.

#include <QString>

#include <span>
#include <string>

namespace marlek {

// Writes every line followed by CR LF to `path`, exactly as named. A regular file is written to a
// temporary file beside it first and replaces the old one only when complete, so a failed write
// leaves an existing file as it was. On failure returns false and puts the system's reason in
// *reason.
bool saveLinesToFile(const QString &path, std::span<const std::string> lines, QString *reason);

} // namespace marlek
