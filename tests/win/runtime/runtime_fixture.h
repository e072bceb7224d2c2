// Designs built with the document model, loaded into real (invisible)
// windows by the runtime.
#pragma once

#include "document/catalogue.h"
#include "document/design_file.h"
#include "runtime/runtime.h"
#include "test_designs.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <vector>

namespace rttest {

using zarnet::Design;
using zarnet::Item;

inline std::vector<uint8_t> bytesOf(const Design& d) {
    return zarnet::writeDesign(d);
}

// Offsets of the records of design data, in order.
inline std::vector<size_t> recordOffsets(std::span<const uint8_t> data) {
    zarnet::ByteReader in(data);
    zarnet::DesignHeader h;
    zarnet::readHeader(in, h);
    const int32_t fonts = in.lng("gFonts");
    for (int32_t i = 0; i < fonts; ++i) {
        zarnet::FontEntry f;
        zarnet::readFontEntry(in, f);
    }
    const int32_t count = in.lng("gcount");
    std::vector<size_t> out;
    zarnet::ReaderRecord rec;
    for (int32_t i = 0; i < count && in.ok(); ++i) {
        out.push_back(in.pos());
        zarnet::readRecord(in, rec);
    }
    return out;
}

class RuntimeTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (int w : windows)
            tk::CloseWindow(w);
        zarnet::runtime().hooks = {};
        zarnet::runtime().ZarnValue.callback = nullptr;
        tk::SetWindowCallback(nullptr, tk::PB_All);
    }

    int openWindow(int w = 400, int h = 300) {
        const int win = tk::OpenWindow(tk::PB_Any, 0, 0, w, h, "runtime test",
                                       tk::PB_Window_SystemMenu | tk::PB_Window_SizeGadget |
                                           tk::PB_Window_Invisible);
        windows.push_back(win);
        return win;
    }

    // Loads into a new window (or the given one) with an item array of the
    // design's size.
    zarnet::LoadReport load(const std::vector<uint8_t>& data, int offx = 0, int offy = 0,
                            int win = 0) {
        window = win ? win : openWindow();
        tk::UseGadgetList(tk::WindowID(window));
        const int32_t max = zarnet::ZarnetMaxItem(data);
        items.assign(static_cast<size_t>(std::clamp(max, -1, 4096) + 1), 0);
        return zarnet::Zarnet(window, data, items, offx, offy, 0);
    }

    int gadget(int number) const { return items.at(static_cast<size_t>(number)); }
    int made() const {
        int n = 0;
        for (int32_t id : items)
            n += tk::IsGadget(id);
        return n;
    }

    std::vector<int> windows;
    int window = 0;
    std::vector<int32_t> items;
};

} // namespace rttest
