#include "command_line.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv, argv + argc);
    return tessera::cli::runProgram(words, std::cout, std::cerr);
}
