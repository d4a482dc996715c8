#include "commands.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

int main(int argc, char *argv[]) {
    // A file size limit then fails the write (EFBIG) with a message instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return marlek::cli::run(args, {std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1});
}
