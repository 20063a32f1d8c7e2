// Build-time generator: writes the control's built-in icons into the folder given as argument.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "traycontrol/control/icons/icon_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    for (const norvane::icons::NamedIcon& icon : norvane::icons::builtInIcons()) {
        const std::vector<std::uint8_t> bytes = norvane::icons::icoFileBytes(icon.images);
        const std::filesystem::path path = folder / icon.fileName;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
