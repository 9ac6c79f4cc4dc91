// Fills a demo installation's games library so that a person can click
// through every view.
// Usage: make_demo_library ROOT
#include "support/demo_library.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ROOT\n", argv[0]);
        return 2;
    }
    krv::test::writeDemoLibrary(argv[1]);
    std::printf("Demo library written under %s\n", argv[1]);
    return 0;
}
