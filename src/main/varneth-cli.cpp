// The command-line program: the window's device jobs, store and exchange files without a window.
#include <iostream>

#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    cli::CommandLine program;
    return program.Run(argc, argv, std::cout, std::cerr);
}
