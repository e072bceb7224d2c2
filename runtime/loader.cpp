// Loading a design into live gadgets, the compact reader and the callback.
#include "runtime/runtime.h"

#include "document/catalogue.h"
#include "runtime/create.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <limits>

namespace zarnet {

namespace {

// Windows cannot nest child windows without limit; a design deeper than this
// is damaged, not drawn.
constexpr size_t kMaxNesting = 40;
// Events flushed at the end of a load; a program that keeps posting to
// itself must not keep the loader spinning.
constexpr int kMaxFlushedEvents = 100000;

int saturatedAdd(int a, int b) {
    const long long s = static_cast<long long>(a) + b;
    return static_cast<int>(
        std::clamp<long long>(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

struct Load {
    Runtime& rt;
    ByteReader in;
    std::span<int32_t> items;
    int32_t maxItem;
    int goffx, goffy;
    int window; // -1 for the compact reader
    Layout layout;
    size_t parentBase; // ZarnParent entries below this belong to an outer load
    // Item slots this load has filled. A slot the caller left at 0 (or that
    // an earlier load filled) is no earlier record, even when the number in
    // it happens to name a live gadget such as the program's gadget 0.
    std::vector<bool> filled;
    LoadReport report;

    // A constructor rather than aggregate initialisation: with the report
    // given as {} beside a member that allocates, optimised builds warned
    // about destroying a report that might not have been made.
    Load(Runtime& r, std::span<const uint8_t> data, std::span<int32_t> gitems, int offx, int offy,
         int win, Layout lay)
        : rt(r), in(data), items(gitems), maxItem(ZarnetMaxItem(data)), goffx(offx), goffy(offy),
          window(win), layout(lay), parentBase(r.ZarnParent.size()),
          filled(std::min<size_t>(gitems.size(), 32768)) {}

    bool stop(size_t at, std::string why) {
        if (report.complete) {
            report.complete = false;
            report.offset = at;
            report.reason = std::move(why);
        }
        return false;
    }

    bool validItem(int32_t n) const {
        return n >= 0 && n <= maxItem && static_cast<size_t>(n) < items.size();
    }
    bool filledHere(int32_t n) const {
        return validItem(n) && static_cast<size_t>(n) < filled.size() &&
               filled[static_cast<size_t>(n)];
    }

    // One record; false when loading must stop.
    bool record() {
        ZarnContent& v = rt.ZarnValue;
        const size_t at = in.pos();
        if (!readRecord(in, v, layout)) return stop(in.error().offset, in.error().what);
        v.gpo = in.pos();
        ++report.records;
        const auto open = rt.ZarnParent.size() - parentBase;
        if (v.typ == kTabRecord) {
            if (open == 0 || tk::GadgetType(rt.ZarnParent.back()) != tk::KindPanel)
                return stop(at, "tab record while no panel is the innermost open parent");
            tk::AddGadgetItem(rt.ZarnParent.back(), -1, v.wtext);
            return true;
        }
        if (v.typ == kCloseRecord) {
            if (open == 0) return stop(at, "close record while no parent is open");
            tk::CloseGadgetList();
            rt.ZarnParent.pop_back();
            return true;
        }
        return gadget(at, open == 0);
    }

    bool gadget(size_t at, bool topLevel) {
        ZarnContent& v = rt.ZarnValue;
        if (!validItem(v.number))
            return stop(at, "item number " + std::to_string(v.number) + " outside the item array");
        if (isParentType(v.typ) && rt.ZarnParent.size() - parentBase >= kMaxNesting)
            return stop(at, "parents nested deeper than " + std::to_string(kMaxNesting));
        if (topLevel) {
            v.x = saturatedAdd(v.x, goffx);
            v.y = saturatedAdd(v.y, goffy);
        }
        if (v.typ == SplitterGadget) {
            // The children are earlier records: their gadgets are in the array.
            for (int* child : {&v.para1, &v.para2}) {
                if (!filledHere(*child) || !tk::IsGadget(items[static_cast<size_t>(*child)]))
                    return stop(at, "splitter child " + std::to_string(*child) +
                                        " names no earlier gadget");
                *child = items[static_cast<size_t>(*child)];
            }
        }
        const int32_t id = ReCreateObject(v);
        if (id == 0)
            return stop(at, "gadget of type " + std::to_string(v.typ) + " could not be created");
        v.id = id;
        items[static_cast<size_t>(v.number)] = id;
        if (static_cast<size_t>(v.number) < filled.size())
            filled[static_cast<size_t>(v.number)] = true;
        if (v.typ == SplitterGadget && layout == Layout::Design) {
            tk::SetGadgetAttribute(id, tk::PB_Splitter_FirstMinimumSize, v.para5);
            tk::SetGadgetAttribute(id, tk::PB_Splitter_SecondMinimumSize, v.para6);
        }
        const bool ok = layout != Layout::Design || extras(at);
        // Pushed after the extras (an anchored parent follows its own
        // parent), and also when they failed, so the list gets closed.
        if (isParentType(v.typ)) rt.ZarnParent.push_back(id);
        if (!ok) return false;
        if (v.typ == SplitterGadget) tk::SetGadgetState(id, v.para3);
        return true;
    }

    // Image, status, anchors, font and tooltip of a design record.
    bool extras(size_t at) {
        ZarnContent& v = rt.ZarnValue;
        if (v.isimage != 0 && rt.hooks.loadImage) rt.hooks.loadImage(rt);
        if (v.status & kStatusHidden) tk::HideGadget(v.id, true);
        if (v.status & kStatusDisabled) tk::DisableGadget(v.id, true);
        if (v.auto_ != 0 && rt.hooks.registerAnchor) rt.hooks.registerAnchor(rt, window);
        if (v.font >= 0) {
            const auto slot = static_cast<size_t>(v.font);
            if (slot >= rt.gFontTable.size() || !rt.gFontUsed[slot])
                return stop(at, "font index " + std::to_string(v.font) + " names no used font");
            if (HFONT font = rt.fontOfIndex(v.font)) tk::SetGadgetFont(v.id, font);
        }
        if (v.tooltip == 2) {
            if (rt.hooks.extendedTooltip) rt.hooks.extendedTooltip(rt);
        } else if (v.tooltip != 0) {
            tk::GadgetToolTip(v.id, v.tooltipText);
        }
        return true;
    }

    bool fonts() {
        const size_t at = in.pos();
        const int32_t count = in.lng("gFonts");
        if (!in.ok()) return stop(in.error().offset, in.error().what);
        // Every entry takes at least one byte.
        if (count < 0 || static_cast<size_t>(count) > in.remaining())
            return stop(at, "font count " + std::to_string(count) + " exceeds the data");
        if (count == 0) return true; // the earlier table stays
        rt.gFontTable.assign(static_cast<size_t>(count), 0);
        rt.gFontUsed.assign(static_cast<size_t>(count), 0);
        for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
            FontEntry f;
            if (!readFontEntry(in, f)) return stop(in.error().offset, in.error().what);
            rt.gFontUsed[i] = f.gFontUsed;
            if (f.gFontUsed)
                rt.gFontTable[i] = tk::LoadFont(tk::PB_Any, f.gFontName, f.gFontsize,
                                                static_cast<uint32_t>(f.gFontstyle));
        }
        return true;
    }

    void registerWindow() {
        for (const gwcontent& w : rt.gWinValue)
            if (w.id == window) return;
        tk::UseWindow(window);
        rt.gWinValue.push_back({window, tk::WindowWidth(window), tk::WindowHeight(window)});
    }

    void records(int32_t count) {
        for (int32_t i = 0; i < count; ++i)
            if (!record()) return;
    }

    // A load that stopped early closes the gadget lists it opened, so the
    // program's list is the one it had before.
    void finish() {
        if (!report.complete)
            for (size_t n = rt.ZarnParent.size(); n > parentBase; --n)
                tk::CloseGadgetList();
        rt.ZarnParent.resize(parentBase);
        for (int i = 0; i < kMaxFlushedEvents && tk::WindowEvent() != 0; ++i) {
        }
    }
};

} // namespace

HFONT Runtime::fontOfIndex(int index) const {
    // A slot whose font failed to load holds 0, which must not pick up a
    // font the program itself loaded as number 0.
    if (index < 0 || static_cast<size_t>(index) >= gFontTable.size() ||
        !gFontUsed[static_cast<size_t>(index)] || gFontTable[static_cast<size_t>(index)] == 0)
        return nullptr;
    return tk::FontID(gFontTable[static_cast<size_t>(index)]);
}

Runtime& runtime() {
    static Runtime rt;
    return rt;
}

int32_t ZarnetMaxItem(std::span<const uint8_t> gdata) {
    return headerMaxItem(gdata);
}
int32_t ZarnetClientWidth(std::span<const uint8_t> gdata) {
    return headerClientWidth(gdata);
}
int32_t ZarnetClientHeight(std::span<const uint8_t> gdata) {
    return headerClientHeight(gdata);
}

LoadReport Zarnet(int gidwindow, std::span<const uint8_t> gdata, std::span<int32_t> gitems,
                  int goffx, int goffy, int32_t /*gtranslate*/) {
    Runtime& rt = runtime();
    ++rt.ZarnValue.blocked;
    Load load(rt, gdata, gitems, goffx, goffy, gidwindow, Layout::Design);
    DesignHeader header;
    if (!tk::IsWindow(gidwindow)) {
        load.stop(0, "window " + std::to_string(gidwindow) + " is not open");
    } else if (!readHeader(load.in, header)) {
        load.stop(load.in.error().offset, load.in.error().what);
    } else if (load.fonts()) {
        load.registerWindow();
        const size_t at = load.in.pos();
        const int32_t count = load.in.lng("gcount");
        if (!load.in.ok())
            load.stop(at, load.in.error().what);
        else
            load.records(count);
        if (load.report.complete) {
            load.in.lng("gAdditional");
            if (!load.in.ok()) load.stop(load.in.error().offset, load.in.error().what);
        }
    }
    rt.ZarnValue.gpo = load.in.pos();
    // The image view points into the caller's data, which need not outlive
    // the load; nothing after it may read through it.
    rt.ZarnValue.image = {};
    load.finish();
    --rt.ZarnValue.blocked;
    return load.report;
}

LoadReport ZarnetCompact(std::span<const uint8_t> gdata, std::span<int32_t> gitems, int goffx,
                         int goffy) {
    Runtime& rt = runtime();
    Load load(rt, gdata, gitems, goffx, goffy, -1, Layout::Compact);
    DesignHeader header;
    if (!readHeader(load.in, header, Layout::Compact))
        load.stop(load.in.error().offset, load.in.error().what);
    else
        load.records(header.formatMark); // the compact layout's record count
    rt.ZarnValue.gpo = load.in.pos();
    load.finish();
    return load.report;
}

void ZarnetCallback(tk::WindowCallback gocallback) {
    runtime().ZarnValue.callback = gocallback;
    tk::SetWindowCallback(gCallback, tk::PB_All);
}

LRESULT gCallback(HWND gWindowID, UINT gMessage, WPARAM gwParam, LPARAM glParam) {
    Runtime& rt = runtime();
    LRESULT result = tk::PB_ProcessPureBasicEvents;
    if (rt.ZarnValue.callback)
        result = rt.ZarnValue.callback(gWindowID, gMessage, gwParam, glParam);
    if (gMessage == WM_SIZE && rt.ZarnValue.blocked == 0 && rt.hooks.resize)
        rt.hooks.resize(rt, gWindowID, gwParam, glParam);
    return result;
}

} // namespace zarnet
