// Build tool: writes the help library's artwork, about.bmp and zentra.ico, into a folder.
#include <fstream>
#include <iostream>
#include <string>

#include "helplib/art/Art.h"

namespace {

bool WriteFile(const std::string& path, const zentra::art::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zentra-art <output folder>\n";
        return 2;
    }
    const std::string folder = argv[1];
    if (!WriteFile(folder + "/about.bmp", zentra::art::AboutPictureBmp()) ||
        !WriteFile(folder + "/zentra.ico", zentra::art::IconFile())) {
        std::cerr << "zentra-art: cannot write into " << folder << "\n";
        return 1;
    }
    return 0;
}
