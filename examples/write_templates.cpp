// Writes the templates shipped beside the programs with the project's own
// writer: a dialog with OK and Cancel, a settings form with a panel of two
// tabs, and a main window with a splitter.
//   write_templates FOLDER
#include "document/catalogue.h"
#include "document/design_file.h"
#include "document/example_design.h"

#include <cstdio>
#include <string>

namespace {

using namespace zarnet;

// Anchors: 16 keeps the distance to the right border, 32 to the bottom;
// 64 and 128 make the width and height follow them.
constexpr uint8_t kRight = 16, kBottom = 32, kWide = 64, kTall = 128;

struct Builder {
    Design d;
    Builder(int width, int height) {
        d.clientWidth = width;
        d.clientHeight = height;
    }
    Item& add(int typ, int x, int y, int w, int h, const char* text = "", const char* name = "") {
        Item& it = addGadget(d, typ, x, y, w, h);
        it.wtext = text;
        if (*name) it.name = name;
        return it;
    }
    void okCancel(int y) {
        add(ButtonGadget, d.clientWidth - 180, y, 80, 25, "OK", "OkButton").auto_ =
            kRight | kBottom;
        add(ButtonGadget, d.clientWidth - 90, y, 80, 25, "Cancel", "CancelButton").auto_ =
            kRight | kBottom;
    }
    Design take() {
        d.recomputeNesting();
        return std::move(d);
    }
};

Design dialog() {
    Builder b(360, 130);
    b.add(TextGadget, 10, 15, 340, 60, "Message text", "MessageText").auto_ = kWide | kTall;
    b.okCancel(95);
    return b.take();
}

Design settings() {
    Builder b(400, 300);
    b.add(PanelGadget, 10, 10, 380, 240, "", "SettingsPanel").auto_ = kWide | kTall;
    b.d.items.push_back(makeTabRecord(0, "General"));
    b.add(TextGadget, 10, 14, 80, 20, "&Name:");
    b.add(StringGadget, 100, 10, 260, 20, "", "NameField").auto_ = kWide;
    b.add(CheckBoxGadget, 10, 45, 250, 20, "&Start with Windows", "StartBox");
    b.d.items.push_back(makeTabRecord(1, "Advanced"));
    b.add(TextGadget, 10, 14, 80, 20, "&Folder:");
    b.add(StringGadget, 100, 10, 260, 20, "", "FolderField").auto_ = kWide;
    b.add(TextGadget, 10, 49, 80, 20, "&Level:");
    b.add(SpinGadget, 100, 45, 80, 20, "", "LevelSpin");
    b.d.items.push_back(makeCloseRecord());
    b.okCancel(265);
    return b.take();
}

Design mainWindow() {
    Builder b(640, 420);
    const int tree = b.add(TreeGadget, 0, 0, 200, 400, "", "NavigationTree").number;
    const int editor = b.add(EditorGadget, 207, 0, 433, 400, "", "ContentEditor").number;
    Item& split = b.add(SplitterGadget, 0, 0, 640, 400, "", "MainSplitter");
    split.flags = 1; // side by side
    split.para1 = tree;
    split.para2 = editor;
    split.para3 = 200;
    split.auto_ = kWide | kTall;
    b.d.items[0].insplitter = b.d.items[1].insplitter = 1;
    b.add(TextGadget, 5, 402, 630, 16, "Ready", "StatusText").auto_ = kBottom | kWide;
    return b.take();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write_templates FOLDER\n", stderr);
        return 2;
    }
    const struct {
        const char* name;
        Design design;
    } templates[] = {{"Dialog with OK and Cancel.zrf", dialog()},
                     {"Settings with two tabs.zrf", settings()},
                     {"Main window with splitter.zrf", mainWindow()}};
    std::string folder = argv[1];
    if (folder.back() != '/' && folder.back() != '\\') folder += '/';
    for (const auto& t : templates) {
        if (!writeFileAtomic(folder + t.name, writeDesign(t.design))) {
            std::fprintf(stderr, "%s%s: cannot be written\n", folder.c_str(), t.name);
            return 1;
        }
    }
    return 0;
}
