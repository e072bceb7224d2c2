#include "designer/properties/panel_commands.h"

#include "designer/properties/editor_window.h"
#include "designer/properties/font_list.h"
#include "toolkit/images.h"
#include "toolkit/toolkit.h"

#include <map>
#include <utility>

namespace zarnet::designer {

bool addPanelTab(EditorHost& host, size_t panel, TabSide side) {
    Design& d = *host.design;
    const int gadget = number(d.items[panel].id);
    const int current = static_cast<int>(tk::GetGadgetState(gadget));
    const TabInsertion ins = insertPanelTab(d, panel, current, side);
    if (ins.refusal != TabRefusal::None) return false;
    tk::AddGadgetItem(gadget, ins.tab, ins.title);
    tk::SetGadgetState(gadget, ins.tab);
    tk::DrainEvents();
    if (host.rebuildTree) host.rebuildTree();
    markModified(host);
    return true;
}

bool removeShowingTab(EditorHost& host, size_t panel) {
    Design& d = *host.design;
    const int gadget = number(d.items[panel].id);
    const int current = static_cast<int>(tk::GetGadgetState(gadget));
    // The removed items leave the list with the pictures their gadgets show.
    std::map<Handle, std::pair<Handle, Handle>> pictures;
    for (const Item& it : d.items)
        if (it.id && (it.decodedImage || it.shownImage))
            pictures[it.id] = {it.decodedImage, it.shownImage};
    const TabRemoval r = removePanelTab(d, panel, current);
    if (r.refusal != TabRefusal::None) return false;
    for (Handle g : r.gadgets) {
        if (g && tk::IsGadget(number(g))) tk::FreeGadget(number(g));
        if (auto p = pictures.find(g); p != pictures.end()) {
            const auto [decoded, shown] = p->second;
            if (shown && shown != decoded) tk::FreeImage(number(shown));
            if (decoded) tk::FreeImage(number(decoded));
        }
    }
    tk::RemoveGadgetItem(gadget, current);
    tk::SetGadgetState(gadget, 0);
    tk::DrainEvents();
    freeFonts(r.fonts);
    releaseFonts(host);
    if (host.rebuildTree) host.rebuildTree();
    markModified(host);
    return true;
}

} // namespace zarnet::designer
