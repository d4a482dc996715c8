#pragma once
// Runs marlek-lotto-cli in-process and keeps what it wrote.

#include "commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace marlek::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliResult runCli(const std::vector<std::string> &args) {
    std::ostringstream out;
    std::ostringstream err;
    CliResult result;
    result.status = cli::run(args, {out, err, false});
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace marlek::test
