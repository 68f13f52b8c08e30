// quillpad-cli's entry point: binds the program to this process's streams.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define QUILL_ISATTY _isatty
#define QUILL_FILENO _fileno
#else
#include <unistd.h>
#define QUILL_ISATTY isatty
#define QUILL_FILENO fileno
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Every byte of a line reaches the checker; the CR of CR LF is dropped
    // by the reader itself.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    // Reading a line would flush the answers each time; RunCli flushes them
    // itself whenever the next read could wait.
    std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const bool interactive = QUILL_ISATTY(QUILL_FILENO(stdin)) != 0;
    return quill::cli::RunCli(args, std::cin, std::cout, std::cerr, interactive);
}
