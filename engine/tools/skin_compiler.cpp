// Compiles a skin source into the binary skin file:
//   skin_compiler resources/morvane-skin.txt resources/morvane.skin
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "engine/tools/skin_source.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: skin_compiler SOURCE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto file = morvane::skin::CompileSkinSource(text.str(), &error);
    if (!file) {
        std::cerr << argv[1] << ": " << error << "\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file->data()), static_cast<std::streamsize>(file->size()));
    if (!out) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
