// The object manager's find box in-process: the tree it filters follows
// the design through edits and undo, filtering itself is no edit, and its
// keys (CTRL+F, RETURN, ESC) do what they say and nothing to the design.
#include "designer_fixture.h"
#include "tests/win/designer/tree_entries.h"

#include "document/catalogue.h"

namespace designertest {
namespace {

using namespace zarnet;
using namespace zarnet::designer;

// Two buttons, then a panel with "Hint" on its first tab and "EmailField"
// on its second.
Design findDesign() {
    Design d;
    auto named = [](Item it, const char* name) {
        it.name = name;
        return it;
    };
    d.items = {named(gadget(ButtonGadget, 0, 10, 10), "Ok"),
               named(gadget(ButtonGadget, 1, 100, 10), "Cancel"),
               named(gadget(PanelGadget, 2, 10, 50, 300, 200), "Pages"),
               makeTabRecord(0, "One"),
               named(gadget(TextGadget, 3, 10, 10), "Hint"),
               makeTabRecord(1, "Two"),
               named(gadget(StringGadget, 4, 10, 40), "EmailField"),
               makeCloseRecord()};
    d.nextNumber = 5;
    d.recomputeNesting();
    return d;
}

class TreeFind : public DesignerTest {
  protected:
    int entries() { return static_cast<int>(TreeView_GetCount(tk::GadgetID(d.tree))); }
    size_t indexOf(const char* name) {
        for (size_t i = 0; i < d.design.items.size(); ++i)
            if (d.design.items[i].name == name) return i;
        return d.design.items.size();
    }
    // A key pressed and let go while the designer asks for it.
    void hold(int key) { input.hold(key, 2); }
};

TEST_F(TreeFind, FilteredTreeFollowsEditsAndUndo) {
    startOn(findDesign());
    const int all = entries();
    ASSERT_EQ(all, 7);
    d.filterTree("ok");
    ASSERT_EQ(entries(), 1);
    // Filtering changed nothing the design, its title or its history hold.
    EXPECT_FALSE(d.history.canUndo());
    EXPECT_EQ(title()[0], 's');
    struct Step {
        const char* what;
        std::function<void()> edit;
        int entries;
    } steps[] = {
        {"a rename that matches now",
         [&] {
             d.markAndShow(indexOf("Cancel"), false);
             tk::SetGadgetText(d.fields[FieldName], "NotOk");
             d.renameMarked();
         },
         2},
        {"undone", [&] { d.undo(); }, 1},
        {"the match deleted",
         [&] {
             d.unmarkAll();
             d.markAndShow(indexOf("Ok"), false);
             d.deleteSelection();
         },
         0},
        {"undone", [&] { d.undo(); }, 1},
    };
    for (const Step& s : steps) {
        s.edit();
        // The pass that made the edit ends here: some input came.
        input.moveTo({1, 1});
        passes(1);
        EXPECT_EQ(entries(), s.entries) << s.what;
    }
    // The marked item's entry stays chosen while its new name matches; one
    // that no longer matches leaves the tree, its item still marked.
    const size_t ok = indexOf("Ok");
    d.markAndShow(ok, false);
    for (const char* name : {"Okay", "Yes"}) {
        tk::SetGadgetText(d.fields[FieldName], name);
        d.renameMarked();
        input.moveTo({1, 1});
        passes(1);
        EXPECT_EQ(d.sel.marked, static_cast<int>(ok)) << name;
        EXPECT_EQ(TreeView_GetSelection(tk::GadgetID(d.tree)),
                  reinterpret_cast<HTREEITEM>(d.design.items[ok].treeitem))
            << name;
    }
    EXPECT_EQ(entries(), 0);
    d.filterTree("");
    EXPECT_EQ(entries(), all);
}

// The tree as "depth text" lines, in the order it shows them.
std::vector<std::string> treeLines(HWND t) {
    std::vector<std::string> lines;
    for (const wintest::TreeEntry& e : wintest::treeEntries(t))
        lines.push_back(std::to_string(e.depth) + " " + e.text);
    return lines;
}

TEST_F(TreeFind, TypingShowsWhatARebuildWould) {
    startOn(findDesign());
    HWND t = tk::GadgetID(d.tree);
    // Each filter from the one before: narrower, wider, a branch in, one
    // out, everything and nothing.
    for (const char* typed : {"e", "hint", "o", "two", "", "zzz", "pages", "t", "okay", "gadget", ""}) {
        d.filterTree(typed);
        const std::vector<std::string> typedTree = treeLines(t);
        d.rebuildTree();
        EXPECT_EQ(typedTree, treeLines(t)) << typed;
    }
}

TEST_F(TreeFind, KeysFindMarkAndClear) {
    startOn(findDesign());
    const int all = entries();
    HWND field = tk::GadgetID(d.findField);
    // CTRL+F: the focus to the box.
    input.press(VK_CONTROL);
    hold('F');
    ASSERT_TRUE(d.findKeys());
    input.release(VK_CONTROL);
    EXPECT_EQ(GetFocus(), field);
    // RETURN marks the first match, on the tab it lies on, as choosing its
    // entry in the tree does; the canvas takes the keys after.
    tk::SetGadgetText(d.findField, "EMAIL");
    hold(VK_RETURN);
    ASSERT_TRUE(d.findFieldKeys());
    const size_t email = indexOf("EmailField");
    EXPECT_EQ(d.sel.marked, static_cast<int>(email));
    EXPECT_EQ(tk::GetGadgetState(static_cast<int>(d.design.items[indexOf("Pages")].id)), 1);
    EXPECT_EQ(TreeView_GetSelection(tk::GadgetID(d.tree)),
              reinterpret_cast<HTREEITEM>(d.design.items[email].treeitem));
    EXPECT_EQ(entries(), 3);
    EXPECT_NE(GetFocus(), field);
    // Nothing found: nothing marked anew.
    SetFocus(field);
    tk::SetGadgetText(d.findField, "zzz");
    hold(VK_RETURN);
    ASSERT_TRUE(d.findFieldKeys());
    EXPECT_EQ(d.sel.marked, static_cast<int>(email));
    EXPECT_EQ(entries(), 0);
    // ESC empties the box and shows the whole tree.
    SetFocus(field);
    hold(VK_ESCAPE);
    ASSERT_TRUE(d.findFieldKeys());
    EXPECT_EQ(tk::GetGadgetText(d.findField), "");
    EXPECT_EQ(entries(), all);
    EXPECT_FALSE(d.history.canUndo());
}

} // namespace
} // namespace designertest
