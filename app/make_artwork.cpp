// Draws the motif pictures once at build time and writes them as a C++
// source of packed pixel runs (see packed_artwork.h), and the program icon of
// each size as tessera-SIZE.png into ICON_FOLDER for the desktop's icon theme.
// Needs no display.
//
//   tessera_make_artwork OUTPUT.cpp [ICON_FOLDER]
#include "motif.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::uint32_t> packRuns(const QImage& image) {
    std::vector<std::uint32_t> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!runs.empty() && runs.back() == row[x]) {
                ++runs[runs.size() - 2];
            } else {
                runs.push_back(1);
                runs.push_back(row[x]);
            }
        }
    }
    return runs;
}

void writeImage(std::ofstream& out, const std::string& name, const QImage& image) {
    const std::vector<std::uint32_t> runs = packRuns(image);
    out << "const std::uint32_t " << name << "[] = {";
    char word[16];
    for (std::size_t k = 0; k < runs.size(); ++k) {
        std::snprintf(word, sizeof word, "0x%x,", static_cast<unsigned>(runs[k]));
        out << (k % 8 == 0 ? "\n    " : " ") << word;
    }
    out << "\n};\n";
}

std::string imageEntry(const std::string& name, const QImage& image) {
    std::ostringstream entry;
    entry << '{' << image.width() << ", " << image.height() << ", " << name << '}';
    return entry.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp [ICON_FOLDER]\n", argv[0]);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Made by tessera_make_artwork from motif.cpp; not to be edited.\n"
           "#include \"packed_artwork.h\"\n\n"
           "namespace tessera {\n\nnamespace {\n\n";
    std::string icons;
    for (int size : tessera::kProgramIconSizes) {
        std::string name = "kIcon";
        name += std::to_string(size);
        const QImage image = tessera::renderProgramIcon(size);
        writeImage(out, name, image);
        icons += "    " + imageEntry(name, image) + ",\n";
        if (argc == 3) {
            const std::string png = std::string(argv[2]) + "/tessera-" + std::to_string(size) + ".png";
            if (!image.save(QString::fromStdString(png), "PNG")) {
                std::fprintf(stderr, "%s: cannot write %s\n", argv[0], png.c_str());
                return 1;
            }
        }
    }
    const QImage splash = tessera::renderSplashMotif();
    writeImage(out, "kSplashMotif", splash);
    out << "\n} // namespace\n\n"
           "std::span<const PackedImage> packedProgramIcons() {\n"
           "    static const PackedImage icons[] = {\n" << icons << "    };\n"
           "    return icons;\n}\n\n"
           "const PackedImage& packedSplashMotif() {\n"
           "    static const PackedImage splash = " << imageEntry("kSplashMotif", splash) << ";\n"
           "    return splash;\n}\n\n"
           "} // namespace tessera\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
