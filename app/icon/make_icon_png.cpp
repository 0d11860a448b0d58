// Writes the predator icon as a PNG file of one size for the desktop's icon
// theme (see PngFile.h); the build runs it for each size it installs.
//   make-icon-png SIZE FILE
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/icon/PngFile.h"
#include "app/icon/PredatorIcon.h"

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 1 || size > 1024) {
        std::fprintf(stderr, "usage: make-icon-png SIZE FILE   (SIZE from 1 to 1024)\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = pngFile(predatorIconImage(size), size);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
