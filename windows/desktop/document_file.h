#pragma once
// Writes a report's lines to a text file for Save As.

#include <QString>

#include <span>
#include <string>

namespace marlek {

// Writes every line followed by CR LF to `path`, exactly as named, through the program's file
// writer (file_output.h): the file is written beside its target first and replaces it only when
// complete, so a failed write leaves an existing file as it was; a link to a regular file is
// followed and a link to nothing refused. On failure returns false and puts the reason in *reason.
bool saveLinesToFile(const QString &path, std::span<const std::string> lines, QString *reason);

} // namespace marlek
