// Writes the window program's icon file (see PredatorIcon.h); the build runs it
// on the build machine, also when it builds for Windows from another system.
//   make-icon FILE
#include <cstdio>
#include <fstream>

#include "app/icon/PredatorIcon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icon FILE\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = iconFile(predatorIconSizes);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
