// hlpc: compiles a plain-text help source into a WinHelp 4 help file.
// Usage: hlpc <source.txt> <output.hlp>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "tools/hlpc/HelpFile.h"
#include "tools/hlpc/HelpSource.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: hlpc <source> <output.hlp>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "hlpc: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    try {
        const auto source = zentra::hlp::ParseHelpSource(text.str());
        const auto bytes = zentra::hlp::CompileHelpFile(source);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "hlpc: cannot write " << argv[2] << "\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
