// Writes the designs the command-line comparison test works on into a
// folder: base.zrf (the example design), ours.zrf and theirs.zrf editing
// different gadgets, and red.zrf and blue.zrf giving one button two texts.
#include "compare_edits.h"

#include "document/example_design.h"

#include <cstdio>
#include <string>

using namespace zarnet;
using namespace zarnet::test;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write_compare_designs DIR\n", stderr);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const Design base = asFiled(makeExampleDesign());
    Design ours = base, theirs = base, red = base, blue = base;
    gadget(ours, 12).x = 200; // OkButton
    gadget(theirs, 0).wtext = "Your name:";
    addGadget(theirs, TextGadget).name = "Footer";
    gadget(red, 13).wtext = "Red";
    gadget(blue, 13).wtext = "Blue";
    const std::pair<const char*, const Design*> files[] = {{"base.zrf", &base},
                                                           {"ours.zrf", &ours},
                                                           {"theirs.zrf", &theirs},
                                                           {"red.zrf", &red},
                                                           {"blue.zrf", &blue}};
    for (const auto& [name, d] : files)
        if (!writeFileAtomic(dir + name, writeDesign(*d))) return 1;
    return 0;
}
