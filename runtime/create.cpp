// One gadget per design record, with the creation call of its type.
#include "runtime/create.h"

#include "document/catalogue.h"
#include "toolkit/gadgets.h"

namespace zarnet {

int32_t ReCreateObject(const ZarnContent& v) {
    using namespace tk;
    const int x = v.x, y = v.y, w = v.w, h = v.h;
    const uint32_t f = v.flags;
    switch (v.typ) {
    case ButtonGadget:
        return tk::ButtonGadget(PB_Any, x, y, w, h, v.wtext, f);
    case ButtonImageGadget:
        return tk::ButtonImageGadget(PB_Any, x, y, w, h, nullptr);
    case CheckBoxGadget:
        return tk::CheckBoxGadget(PB_Any, x, y, w, h, v.wtext, f);
    case ComboBoxGadget:
        return tk::ComboBoxGadget(PB_Any, x, y, w, h, f);
    case EditorGadget:
        return tk::EditorGadget(PB_Any, x, y, w, h, f);
    case ExplorerComboGadget:
        return tk::ExplorerComboGadget(PB_Any, x, y, w, h, v.wtext, f);
    case ExplorerListGadget:
        return tk::ExplorerListGadget(PB_Any, x, y, w, h, v.wtext, f);
    case ExplorerTreeGadget:
        return tk::ExplorerTreeGadget(PB_Any, x, y, w, h, v.wtext, f);
    case Frame3DGadget:
        return tk::Frame3DGadget(PB_Any, x, y, w, h, v.wtext, f);
    case HyperLinkGadget:
        return tk::HyperLinkGadget(PB_Any, x, y, w, h, v.wtext, f);
    case ImageGadget:
        return tk::ImageGadget(PB_Any, x, y, w, h, nullptr, f);
    case ListIconGadget:
        return tk::ListIconGadget(PB_Any, x, y, w, h, v.wtext, v.para1, f);
    // The list view's stored flags are not part of its creation call.
    case ListViewGadget:
        return tk::ListViewGadget(PB_Any, x, y, w, h);
    case OptionGadget:
        return tk::OptionGadget(PB_Any, x, y, w, h, v.wtext);
    case PanelGadget:
        return tk::PanelGadget(PB_Any, x, y, w, h);
    case ProgressBarGadget:
        return tk::ProgressBarGadget(PB_Any, x, y, w, h, v.para1, v.para2, f);
    case ScrollAreaGadget:
        return tk::ScrollAreaGadget(PB_Any, x, y, w, h, v.para1, v.para2, v.para3, f);
    case ScrollBarGadget:
        return tk::ScrollBarGadget(PB_Any, x, y, w, h, v.para1, v.para2, v.para3, f);
    case SpinGadget:
        return tk::SpinGadget(PB_Any, x, y, w, h, v.para1, v.para2);
    case StringGadget:
        return tk::StringGadget(PB_Any, x, y, w, h, v.wtext, f);
    case TextGadget:
        return tk::TextGadget(PB_Any, x, y, w, h, v.wtext, f);
    case TrackBarGadget:
        return tk::TrackBarGadget(PB_Any, x, y, w, h, v.para1, v.para2, f);
    case TreeGadget:
        return tk::TreeGadget(PB_Any, x, y, w, h, f);
    case WebGadget:
        return tk::WebGadget(PB_Any, x, y, w, h, v.wtext);
    case CalendarGadget:
        return tk::CalendarGadget(PB_Any, x, y, w, h, 0, f);
    // A date record carries no text; the text an earlier record left in the
    // shared record would be a nonsense date mask, so the date gadget gets
    // the system's own date format.
    case DateGadget:
        return tk::DateGadget(PB_Any, x, y, w, h, {}, 0, f);
    case IPAddressGadget:
        return tk::IPAddressGadget(PB_Any, x, y, w, h);
    case ContainerGadget:
        return tk::ContainerGadget(PB_Any, x, y, w, h, f);
    case SplitterGadget:
        return tk::SplitterGadget(PB_Any, x, y, w, h, v.para1, v.para2, f);
    default:
        return 0;
    }
}

} // namespace zarnet
