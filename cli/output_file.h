#pragma once
// Files the commands write: the program's one file writer (file_output.h). Every failure throws
// IoFailure (commands.h) with a message that names the path as the user gave it and the operating
// system's reason, e.g. "cannot write \"out/report.txt\": No space left on device".

#include "file_output.h"

#include <string>

namespace marlek::cli {

// A file written completely or not at all: a temporary file beside the target, synced and renamed
// over it by commit(). Without commit() (a failure, an exception, a stop signal) the temporary
// file is removed and an existing target stays exactly as it was. A link to a regular file is
// followed, a link to nothing is refused, a device or a pipe (/dev/null) is written into.
using AtomicOutputFile = OutputFile;

} // namespace marlek::cli
