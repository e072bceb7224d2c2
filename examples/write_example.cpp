// Writes the bundled example design with the project's own writer.
#include "document/design_file.h"
#include "document/example_design.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write_example OUT.zrf\n", stderr);
        return 2;
    }
    const auto bytes = zarnet::writeDesign(zarnet::makeExampleDesign());
    if (!zarnet::writeFileAtomic(argv[1], bytes)) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[1]);
        return 1;
    }
    return 0;
}
