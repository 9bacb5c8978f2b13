#include "command_line.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv, argv + argc);
    try {
        return tessera::cli::run(words, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "tessera-design: " << e.what() << "\n";
        return tessera::cli::kFileError;
    }
}
