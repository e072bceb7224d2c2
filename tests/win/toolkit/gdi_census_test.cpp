// Creating and freeing gadgets, with a tooltip and an item, leaves no GDI
// object behind: a designer rebuilds its canvas on every undo.
#include "fixture.h"
#include "tests/win/gdi_objects.h"

#include <functional>

namespace {

using namespace tktest;

size_t gdiObjects() { return wintest::gdiObjectCount(); }

struct Maker {
    const char* name;
    std::function<int()> make;
};

class GdiCensus : public WindowTest {};

TEST_F(GdiCensus, GadgetsFreedLeaveNoObjects) {
    const Maker makers[] = {
        {"button", [] { return tk::ButtonGadget(tk::PB_Any, 5, 5, 80, 20, "b"); }},
        {"button image", [] { return tk::ButtonImageGadget(tk::PB_Any, 5, 5, 80, 20); }},
        {"check box", [] { return tk::CheckBoxGadget(tk::PB_Any, 5, 5, 80, 20, "c"); }},
        {"combo box", [] { return tk::ComboBoxGadget(tk::PB_Any, 5, 5, 80, 20); }},
        {"combo box editable", [] { return tk::ComboBoxGadget(tk::PB_Any, 5, 5, 80, 20, 1); }},
        {"editor", [] { return tk::EditorGadget(tk::PB_Any, 5, 5, 80, 60); }},
        {"explorer combo", [] { return tk::ExplorerComboGadget(tk::PB_Any, 5, 5, 80, 20, ""); }},
        {"explorer list", [] { return tk::ExplorerListGadget(tk::PB_Any, 5, 5, 80, 60, ""); }},
        {"explorer tree", [] { return tk::ExplorerTreeGadget(tk::PB_Any, 5, 5, 80, 60, ""); }},
        {"frame", [] { return tk::Frame3DGadget(tk::PB_Any, 5, 5, 80, 60, "f"); }},
        {"hyperlink", [] { return tk::HyperLinkGadget(tk::PB_Any, 5, 5, 80, 20, "h", 0xff0000); }},
        {"image", [] { return tk::ImageGadget(tk::PB_Any, 5, 5, 80, 20); }},
        {"list icon", [] { return tk::ListIconGadget(tk::PB_Any, 5, 5, 80, 60, "t", 40); }},
        {"list view", [] { return tk::ListViewGadget(tk::PB_Any, 5, 5, 80, 60); }},
        {"option", [] { return tk::OptionGadget(tk::PB_Any, 5, 5, 80, 20, "o"); }},
        {"panel", [] {
             const int p = tk::PanelGadget(tk::PB_Any, 5, 5, 200, 100);
             tk::AddGadgetItem(p, -1, "tab");
             tk::CloseGadgetList();
             return p;
         }},
        {"progress", [] { return tk::ProgressBarGadget(tk::PB_Any, 5, 5, 80, 20, 0, 10); }},
        {"scroll area", [] {
             const int a = tk::ScrollAreaGadget(tk::PB_Any, 5, 5, 80, 60, 200, 200);
             tk::CloseGadgetList();
             return a;
         }},
        {"scroll bar", [] { return tk::ScrollBarGadget(tk::PB_Any, 5, 5, 80, 20, 0, 10, 2); }},
        {"spin", [] { return tk::SpinGadget(tk::PB_Any, 5, 5, 80, 20, 0, 10); }},
        {"string", [] { return tk::StringGadget(tk::PB_Any, 5, 5, 80, 20, "s"); }},
        {"text", [] { return tk::TextGadget(tk::PB_Any, 5, 5, 80, 20, "t"); }},
        {"track bar", [] { return tk::TrackBarGadget(tk::PB_Any, 5, 5, 80, 20, 0, 10); }},
        {"tree", [] { return tk::TreeGadget(tk::PB_Any, 5, 5, 80, 60); }},
        {"web", [] { return tk::WebGadget(tk::PB_Any, 5, 5, 80, 60, ""); }},
        {"calendar", [] { return tk::CalendarGadget(tk::PB_Any, 5, 5, 110, 45); }},
        {"date", [] { return tk::DateGadget(tk::PB_Any, 5, 5, 100, 20); }},
        {"ip address", [] { return tk::IPAddressGadget(tk::PB_Any, 5, 5, 110, 45); }},
        {"container", [] {
             const int c = tk::ContainerGadget(tk::PB_Any, 5, 5, 80, 60);
             tk::CloseGadgetList();
             return c;
         }},
    };
    const auto cycle = [](const Maker& m, bool extras, int rounds) {
        for (int round = 0; round < rounds; ++round) {
            const int g = m.make();
            ASSERT_NE(g, 0) << m.name;
            if (extras) {
                tk::GadgetToolTip(g, "a tip");
                tk::SetGadgetFont(g, nullptr);
                tk::DisableGadget(g, true);
                tk::HideGadget(g, true);
            }
            drain();
            tk::FreeGadget(g);
            drain();
        }
    };
    for (const Maker& m : makers) {
        for (bool extras : {false, true}) {
            // What the first ones leave for good (caches of the system) is
            // not counted: only what grows with every gadget made.
            cycle(m, extras, 5);
            const size_t before = gdiObjects();
            cycle(m, extras, 10);
            EXPECT_EQ(gdiObjects(), before) << m.name << (extras ? " with a tooltip, font and state" : "");
        }
    }
}

} // namespace
