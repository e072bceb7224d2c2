// The designer's menus, pop-ups, editors and requesters chosen from with
// real input, the pointer and keys of the X server as a user's hands make
// them; each walk ends in a saved file read back with the document library.
// Last, the modal windows answered by another program's messages alone.
#include "designer_e2e.h"

#include "document/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

using namespace zarnet;
using namespace designer_e2e;

const char kMenusTitle[] = "saved.zrf   client 420 x 300";
const char kModifiedTitle[] = "*saved.zrf   client 420 x 300";

Item gadget(int typ, int number, int x, int y, int w, int h, const std::string& text = {}) {
    Item it = makeItem(typ);
    it.number = static_cast<int16_t>(number);
    std::tie(it.x, it.y, it.w, it.h) = std::tuple(x, y, w, h);
    it.wtext = text;
    return it;
}

Item button(int number, int x, int y, const std::string& text) {
    return gadget(ButtonGadget, number, x, y, 80, 20, text);
}

Design withItems(std::vector<Item> items, int nextNumber) {
    Design d;
    d.clientWidth = 420;
    d.clientHeight = 300;
    d.items = std::move(items);
    d.nextNumber = nextNumber;
    d.recomputeNesting();
    return d;
}

// The first item of this type, or nullptr.
const Item* firstOf(const Design& d, int typ) {
    auto it =
        std::find_if(d.items.begin(), d.items.end(), [typ](const Item& i) { return i.typ == typ; });
    return it == d.items.end() ? nullptr : &*it;
}

class DesignerInput : public ZarnetE2E {
  protected:
    void TearDown() override {
        endDesigner(p, canvas);
        ZarnetE2E::TearDown();
    }

    // Starts the designer on the design, saved as saved.zrf, and waits until
    // all its windows are up.
    void open(const Design& d) {
        file = dir + "saved.zrf";
        ASSERT_TRUE(writeFileAtomic(file, writeDesign(d)));
        p = start(probe::quoted(file));
        canvas = waitForCanvas(p, kMenusTitle);
        ASSERT_NE(canvas, nullptr);
        manager = probe::waitForWindow(p.id(), " Object Manager", "", kStartMs);
        ASSERT_NE(manager, nullptr);
    }

    POINT at(int x, int y) const { return screenAt(canvas, x, y); }

    // The icon at the left of the canvas's caption.
    POINT systemMenuIcon() const {
        RECT r;
        GetWindowRect(canvas, &r);
        return {r.left + GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXSMICON) / 2 + 1,
                r.top + GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    }

    // In the tooltip editor just opened: types the text and closes it.
    void typeInTooltipEditor(probe::XInput& input, const std::string& text) {
        HWND test = nullptr;
        HWND tips = editorWith("Click to update test button", &test);
        ASSERT_NE(tips, nullptr);
        ASSERT_TRUE(input.clickAt(screenAt(tips, 100, 100))
                        .type(text)
                        .clickAt(centre(buttonIn(tips, "Close")))
                        .run());
        ASSERT_TRUE(probe::waitUntilGone(tips, kStartMs));
    }

    // Fills in the font requester (the face list's second entry and size
    // 14, chosen as a click on them would choose them; its lists hold wide
    // strings) and confirms it with a click; `face` gets the face chosen.
    void chooseFont(probe::XInput& input, HWND dialog, std::string* face) {
        HWND faces = GetDlgItem(dialog, 0x470), sizes = GetDlgItem(dialog, 0x472);
        WCHAR wide[LF_FACESIZE] = {};
        SendMessageW(faces, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(wide));
        ASSERT_NE(wide[0], L'\0');
        char narrow[LF_FACESIZE] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
        *face = narrow;
        const LRESULT fourteen = SendMessageW(sizes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(L"14"));
        ASSERT_NE(fourteen, CB_ERR);
        for (const auto& [list, index] :
             {std::pair{faces, LRESULT{1}}, std::pair{sizes, fourteen}}) {
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
        }
        ASSERT_TRUE(input.clickAt(centre(GetDlgItem(dialog, IDOK))).run());
        ASSERT_TRUE(probe::waitUntilGone(dialog, kStartMs));
    }

    // Marks the gadget at `first`, then adds the one at `second` to the
    // group with a CONTROL-click.
    bool groupOf(probe::XInput& input, POINT first, POINT second) {
        return input.clickAt(first)
            .pause(300)
            .keyDown("Control_L")
            .clickAt(second)
            .keyUp("Control_L")
            .pause(300)
            .run();
    }

    // Runs the input and waits for the menu (or submenu) it opens.
    HWND opensMenu(probe::XInput& input) {
        const auto known = probe::menuWindows(p.id());
        if (!input.run()) return nullptr;
        return probe::waitForNewMenu(p.id(), known, kStartMs);
    }

    // A window of the designer other than the object manager holding a
    // button with this text (an editor).
    HWND editorWith(const std::string& text, HWND* found) {
        for (int i = 0; i < 200; ++i, Sleep(50)) {
            for (HWND w : probe::topLevelWindows(p.id())) {
                if (w == manager) continue;
                if (HWND b = probe::findChild(w, "Button", text)) {
                    *found = b;
                    return w;
                }
            }
        }
        return nullptr;
    }

    HWND buttonIn(HWND window, const std::string& text) {
        return probe::findChild(window, "Button", text);
    }

    // Saves by the system menu's command, sent as a message, and reads the
    // file back once it has changed. A step that takes in pending events
    // without acting on them may swallow the command: it is sent again.
    std::optional<Design> saveAndRead() { return saveAndRead(canvas, file); }
    std::optional<Design> saveAndRead(HWND of, const std::string& path) {
        const auto before = bytesOf(path);
        for (int i = 0; i < 3; ++i) {
            PostMessageA(of, WM_SYSCOMMAND, kSysSave, 0);
            for (int k = 0; k < 100; ++k, Sleep(50))
                if (bytesOf(path) != before) return readBack(path);
        }
        return std::nullopt;
    }

    std::optional<Design> readBack(const std::string& path = {}) {
        auto r = readDesign(bytesOf(path.empty() ? file : path), Strictness::Strict);
        if (!r.design) return std::nullopt;
        return std::move(*r.design);
    }

    probe::Process p;
    HWND canvas = nullptr, manager = nullptr;
    std::string file;
};

TEST_F(DesignerInput, CanvasMenusTakeClicksAndKeys) {
    ASSERT_TRUE(probe::menuLayoutKnown());
    open(withItems({button(0, 10, 10, "A"), button(1, 110, 10, "B"), button(2, 10, 60, "C"),
                    button(3, 110, 60, "D")},
                   4));
    const DWORD pid = p.id();

    // ESC closes the main menu and is the menu's: the designer does not
    // take it for its restart.
    probe::XInput input;
    HWND main = opensMenu(input.clickAt(at(50, 200), 3));
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(input.key("Escape").run());
    ASSERT_TRUE(probe::waitForNoMenu(pid, kStartMs));

    // Main menu by the mouse: "New Gadget", then "CheckBoxGadget" (the
    // fourth type) in its submenu.
    main = opensMenu(input.clickAt(at(50, 200), 3));
    ASSERT_NE(main, nullptr);
    HWND types = opensMenu(input.clickAt(probe::menuEntry(main, 0, 0)));
    ASSERT_NE(types, nullptr);
    ASSERT_TRUE(input.clickAt(probe::menuEntry(types, 3, 0)).run());
    ASSERT_TRUE(probe::waitForNoMenu(pid, kStartMs));
    ASSERT_NE(probe::waitForWindow(pid, kModifiedTitle, "", kStartMs), nullptr);

    // Main menu by keys: up from the end to "Gridsize", into it, down to
    // "User size"; the requester takes a typed 7 and a click on "OK".
    main = opensMenu(input.clickAt(at(50, 250), 3));
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(input.key("Up")
                    .key("Up")
                    .key("Up")
                    .key("Right")
                    .key("Down")
                    .key("Down")
                    .key("Return")
                    .run());
    HWND ask = probe::waitForWindow(pid, "Set Grid Step", "", kStartMs);
    ASSERT_NE(ask, nullptr);
    HWND ok = buttonIn(ask, "OK");
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(input.type("7").clickAt(centre(ok)).run());
    ASSERT_TRUE(probe::waitUntilGone(ask, kStartMs));

    // The group menu: A and B (CONTROL-click) by the mouse into a horizontal
    // splitter, C and D by keys (down past the two splitter entries) into a
    // container.
    struct Group {
        int y;
        std::vector<std::string> keys; // none: the first entry is clicked
        const char* made;              // the class of what it makes
    } groups[] = {{20, {}, "ZarnetSplitter"}, {70, {"Down", "Down", "Down", "Return"}, "ZarnetBox"}};
    for (const Group& g : groups) {
        input.clickAt(at(50, g.y)).keyDown("Control_L").clickAt(at(150, g.y)).keyUp("Control_L");
        HWND menu = opensMenu(input.clickAt(at(150, g.y), 3));
        ASSERT_NE(menu, nullptr) << g.made;
        if (g.keys.empty()) input.clickAt(probe::menuEntry(menu, 0, 0));
        for (const std::string& k : g.keys)
            input.key(k);
        ASSERT_TRUE(input.run());
        ASSERT_TRUE(probe::waitForNoMenu(pid, kStartMs)) << g.made;
        HWND made = nullptr;
        for (int i = 0; i < 200 && !made; ++i, Sleep(50))
            made = probe::findChild(canvas, g.made, "");
        ASSERT_NE(made, nullptr) << g.made;
    }

    // The system menu, opened by a click on the icon in the caption: down
    // through Move, Size, "Toggle XP Skin", "New Zarnet" and "Load Zarnet"
    // to "Save Zarnet". Its RETURN is the menu's, not a preview.
    HWND system = opensMenu(input.clickAt(systemMenuIcon()));
    ASSERT_NE(system, nullptr);
    for (int i = 0; i < 6; ++i)
        input.key("Down");
    ASSERT_TRUE(input.key("Return").run());
    ASSERT_NE(probe::waitForWindow(pid, kMenusTitle, "", kStartMs), nullptr);

    EXPECT_TRUE(p.running());
    EXPECT_TRUE(IsWindowVisible(canvas));
    auto saved = readBack();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->gridStep, 7);
    const Item* box = firstOf(*saved, CheckBoxGadget);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->x, 50); // where the right button opened the menu
    EXPECT_EQ(box->y, 200);
    const Item* splitter = firstOf(*saved, SplitterGadget);
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->para1, 0); // A above B
    EXPECT_EQ(splitter->para2, 1);
    EXPECT_EQ(splitter->flags & 1u, 0u); // horizontal
    const auto container = std::find_if(saved->items.begin(), saved->items.end(),
                                        [](const Item& i) { return i.typ == ContainerGadget; });
    ASSERT_GE(std::distance(container, saved->items.end()), 4);
    EXPECT_EQ(container[1].number, 2);
    EXPECT_EQ(container[2].number, 3);
    EXPECT_EQ(container[3].typ, 0); // its close record
}

TEST_F(DesignerInput, PopUpsAndEditorsTakeClicksAndKeys) {
    Item box = makeItem(ContainerGadget);
    box.number = 1;
    box.x = 200;
    box.y = 100;
    box.w = 150;
    box.h = 100;
    open(withItems({button(0, 10, 10, "A"), box, makeCloseRecord()}, 2));
    const DWORD pid = p.id();
    probe::XInput input;

    // The container's pop-up: a border style by a click, then "New Gadget"
    // and, by keys, the creation menu's first entry: a ButtonGadget made
    // where the right button was pressed.
    HWND container = probe::findChild(canvas, "ZarnetBox", "");
    ASSERT_NE(container, nullptr);
    POINT inside = at(250, 180);
    ASSERT_TRUE(input.clickAt(inside).clickAt(inside, 3).run());
    HWND style = nullptr;
    HWND popup = editorWith("PB_Container_Double", &style);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(input.clickAt(centre(style)).run());
    for (int i = 0; i < 100 && SendMessageA(style, BM_GETCHECK, 0, 0) != BST_CHECKED; ++i)
        Sleep(50);
    ASSERT_EQ(SendMessageA(style, BM_GETCHECK, 0, 0), BST_CHECKED);
    ScreenToClient(container, &inside); // inside its new border
    HWND creation = opensMenu(input.clickAt(centre(buttonIn(popup, "New Gadget"))));
    ASSERT_NE(creation, nullptr);
    ASSERT_TRUE(input.key("Down").key("Return").run());
    ASSERT_TRUE(probe::waitUntilGone(popup, kStartMs));

    // RETURN on the marked button opens the values editor, whose text is
    // typed over; "Close" applies it. The RETURN that chose the creation
    // menu's entry above was the menu's: it opened none for the container.
    HWND close = nullptr;
    ASSERT_TRUE(input.clickAt(at(50, 20)).key("Return").run());
    HWND values = editorWith("Close", &close);
    ASSERT_NE(values, nullptr);
    ASSERT_NE(probe::findChild(values, "Static", "Item Index 0"), nullptr);
    ASSERT_TRUE(input.type("Go").clickAt(centre(close)).run());
    ASSERT_TRUE(probe::waitUntilGone(values, kStartMs));

    // The object manager's "Edit": the tooltip editor takes a typed text.
    ASSERT_TRUE(input.clickAt(centre(buttonIn(manager, "Edit"))).run());
    typeInTooltipEditor(input, "Hint");

    // "Select New Font", in the object manager and then in the font editor:
    // the font requester is filled in and confirmed with a click.
    ASSERT_TRUE(input.clickAt(centre(buttonIn(manager, "Select New Font"))).run());
    HWND fonts = editorWith("Close", &close);
    ASSERT_NE(fonts, nullptr);
    ASSERT_TRUE(input.clickAt(centre(buttonIn(fonts, "Select New Font"))).run());
    HWND dialog = probe::waitForWindow(pid, "Font", "#32770", kStartMs);
    ASSERT_NE(dialog, nullptr);
    std::string face;
    chooseFont(input, dialog, &face);
    ASSERT_TRUE(input.clickAt(centre(close)).run());
    ASSERT_TRUE(probe::waitUntilGone(fonts, kStartMs));

    auto saved = saveAndRead();
    ASSERT_TRUE(saved);
    const Item& a = saved->items[0];
    EXPECT_EQ(a.wtext, "Go");
    EXPECT_EQ(a.tooltip, 1);
    EXPECT_EQ(a.tooltipText, "Hint");
    EXPECT_EQ(a.font, 0);
    ASSERT_EQ(saved->fonts.size(), 1u);
    EXPECT_EQ(saved->fonts[0].gFontName, face);
    EXPECT_EQ(saved->fonts[0].gFontsize, 14);
    ASSERT_EQ(saved->items.size(), 4u);
    EXPECT_EQ(saved->items[1].typ, ContainerGadget);
    EXPECT_EQ(saved->items[1].flags, 8u); // PB_Container_Double
    const Item& made = saved->items[2];
    EXPECT_EQ(made.typ, ButtonGadget);
    EXPECT_EQ(made.x, inside.x); // where the right button was, in the container
    EXPECT_EQ(made.y, inside.y);
    EXPECT_EQ(saved->items[3].typ, 0);
}

// Accessibility and automation tools click a button by a message, with no
// input event after it: the modal windows end on that message alone.
TEST_F(DesignerInput, ModalWindowsEndOnAClickSentFromAnotherProgram) {
    open(withItems({button(0, 10, 10, "A")}, 1));
    const DWORD pid = p.id();
    struct Case {
        const char* how;
        bool sent; // BM_CLICK sent to OK, else WM_COMMAND IDOK posted to the window
        const char* grid;
    } cases[] = {{"BM_CLICK sent", true, "20"}, {"IDOK posted", false, "30"}};
    for (const Case& c : cases) {
        PostMessageA(canvas, WM_COMMAND, 35, 0); // "User size"
        HWND ask = probe::waitForWindow(pid, "Set Grid Step", "", kStartMs);
        ASSERT_NE(ask, nullptr) << c.how;
        SendMessageA(probe::findChild(ask, "Edit", ""), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(c.grid));
        DWORD_PTR result = 0;
        if (c.sent)
            SendMessageTimeoutA(buttonIn(ask, "OK"), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                &result);
        else
            PostMessageA(ask, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(probe::waitUntilGone(ask, 2000)) << c.how;
        auto saved = saveAndRead();
        ASSERT_TRUE(saved) << c.how;
        EXPECT_EQ(std::to_string(saved->gridStep), c.grid) << c.how;
    }
    // The values editor's "Close" likewise.
    probe::XInput input;
    HWND close = nullptr;
    ASSERT_TRUE(input.clickAt(at(50, 20)).key("Return").run());
    HWND values = editorWith("Close", &close);
    ASSERT_NE(values, nullptr);
    HWND text = probe::findChild(values, "RichEdit20A", "");
    if (!text) text = probe::findChild(values, "Edit", "");
    ASSERT_NE(text, nullptr);
    SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Sent"));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(close, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    EXPECT_TRUE(probe::waitUntilGone(values, 2000));
    auto saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->items[0].wtext, "Sent");
}

// Undo and redo with the keys and with menu 0's entries: a button made by
// two letters goes and comes back, the title's "*" following the file.
TEST_F(DesignerInput, UndoAndRedoByKeysAndMenu) {
    open(withItems({button(0, 10, 10, "A")}, 1));
    probe::XInput input;
    auto title = [&](bool modified) { return modified ? kModifiedTitle : kMenusTitle; };
    auto buttons = [&] {
        int n = 0;
        for (HWND w = FindWindowExA(canvas, nullptr, "Button", nullptr); w;
             w = FindWindowExA(canvas, w, "Button", nullptr))
            n += IsWindowVisible(w) ? 1 : 0;
        return n;
    };
    // The canvas holds a button of its own (the keyboard focus's).
    const int own = buttons() - 1;
    auto expectButtons = [&](int n) {
        for (int i = 0; i < 100 && buttons() != n + own; ++i)
            Sleep(50);
        EXPECT_EQ(buttons() - own, n);
    };
    // "B" then "U" at the cursor: ButtonGadget.
    ASSERT_TRUE(
        input.clickAt(at(200, 150)).pause(300).key("b").pause(500).key("u").pause(300).run());
    ASSERT_NE(waitForCanvas(p, title(true)), nullptr);
    expectButtons(2);
    struct Step {
        const char* how;
        bool byMenu;
        int entriesAbove; // in menu 0
        const char* keys;
        int buttons;
        bool modified;
    } steps[] = {
        {"CTRL+Z", false, 0, "ctrl+z", 1, false},
        {"CTRL+Y", false, 0, "ctrl+y", 2, true},
        {"CTRL+SHIFT+Z after undo", false, 0, "ctrl+z", 1, false},
        {"", false, 0, "ctrl+shift+z", 2, true},
        {"menu Undo", true, 1, nullptr, 1, false},
        {"menu Redo", true, 2, nullptr, 2, true},
    };
    for (const Step& s : steps) {
        if (s.byMenu) {
            HWND menu = opensMenu(input.clickAt(at(300, 250), 3));
            ASSERT_NE(menu, nullptr) << s.how;
            ASSERT_TRUE(input.clickAt(probe::menuEntry(menu, s.entriesAbove, 1)).run());
            ASSERT_TRUE(probe::waitForNoMenu(p.id(), kStartMs));
        } else {
            ASSERT_TRUE(input.moveTo(at(300, 250)).key(s.keys).run());
        }
        EXPECT_NE(waitForCanvas(p, title(s.modified)), nullptr) << s.how;
        expectButtons(s.buttons);
    }
    auto saved = saveAndRead();
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->items.size(), 2u);
    EXPECT_EQ(saved->items[1].typ, ButtonGadget);
    EXPECT_EQ(saved->nextNumber, 2);
}

} // namespace

namespace {

// A container holding a button, copied by keys in one designer and pasted
// in a second one, once by menu 0's "Paste" and once by CTRL+V: the second
// designer's file holds both copies with every field but number and place.
TEST_F(DesignerInput, CopyInOneDesignerPasteInAnother) {
    Item box = gadget(ContainerGadget, 0, 200, 150, 150, 100);
    box.auto_ = 3;
    Item inner = button(1, 10, 10, "Inner");
    inner.tooltip = 1;
    inner.tooltipText = "tip";
    open(withItems({box, inner, makeCloseRecord()}, 2));
    probe::XInput input;
    // A click on the container's empty part marks it.
    ASSERT_TRUE(input.clickAt(at(330, 230)).pause(300).key("ctrl+c").run());
    const UINT format = RegisterClipboardFormatA("Zarnet design items");
    for (int i = 0; i < 60 && !IsClipboardFormatAvailable(format); ++i) Sleep(50);
    ASSERT_TRUE(IsClipboardFormatAvailable(format));

    const std::string second = dir + "second.zrf";
    ASSERT_TRUE(writeFileAtomic(second, writeDesign(withItems({button(0, 10, 10, "Own")}, 1))));
    probe::Process p2 = start(probe::quoted(second));
    HWND canvas2 = waitForCanvas(p2, "second.zrf   client 420 x 300");
    ASSERT_NE(canvas2, nullptr);
    ASSERT_NE(probe::waitForWindow(p2.id(), " Object Manager", "", kStartMs), nullptr);
    const auto known = probe::menuWindows(p2.id());
    ASSERT_TRUE(input.clickAt(screenAt(canvas2, 20, 60), 3).run());
    HWND menu = probe::waitForNewMenu(p2.id(), known, kStartMs);
    ASSERT_NE(menu, nullptr);
    // "Paste" follows "New Gadget", "Undo" and "Redo".
    ASSERT_TRUE(input.clickAt(probe::menuEntry(menu, 3, 1)).run());
    ASSERT_TRUE(probe::waitForNoMenu(p2.id(), kStartMs));
    ASSERT_NE(waitForCanvas(p2, "*second.zrf   client 420 x 300"), nullptr);
    // The pasted container is marked: a click on empty canvas first, so
    // the second paste goes to top level at the cursor.
    ASSERT_TRUE(input.clickAt(screenAt(canvas2, 400, 20))
                    .pause(300)
                    .moveTo(screenAt(canvas2, 220, 60))
                    .key("ctrl+v")
                    .run());
    const std::optional<Design> saved = saveAndRead(canvas2, second);
    probe::closeWindow(canvas2);
    p2.waitExitOrKill(kExitMs);
    DeleteFileA(second.c_str());
    ASSERT_TRUE(saved);
    const Design source = withItems({box, inner, makeCloseRecord()}, 2);
    ASSERT_EQ(saved->items.size(), 1 + 2 * source.items.size());
    const std::pair<int, int> places[] = {{20, 60}, {220, 60}};
    for (size_t copy = 0; copy < 2; ++copy)
        for (size_t i = 0; i < source.items.size(); ++i) {
            const Item& got = saved->items[1 + copy * source.items.size() + i];
            RecordFields expect = source.items[i];
            expect.number = got.number;
            if (i == 0) std::tie(expect.x, expect.y) = places[copy];
            EXPECT_EQ(static_cast<const RecordFields&>(got), expect) << "copy " << copy << " record " << i;
        }
}

} // namespace

namespace {

std::vector<int> numbersOf(const Design& d) {
    std::vector<int> numbers;
    for (const Item& it : d.items)
        numbers.push_back(it.number);
    return numbers;
}

// The group menu's "Align" submenu, menu 0's tab order entries and the
// keyboard check, each chosen with the mouse; the badges' clicks set the
// order; the saved file shows each effect.
TEST_F(DesignerInput, AlignTabOrderAndKeyboardCheckByMenus) {
    ASSERT_TRUE(probe::menuLayoutKnown());
    // In the list: C, B, A; on the window A, B, C from the top left.
    open(
        withItems({button(0, 210, 70, "&C"), button(1, 110, 40, "B"), button(2, 10, 10, "&c")}, 3));
    probe::XInput input;
    // B marked, A joins: B is the reference.
    ASSERT_TRUE(groupOf(input, at(150, 50), at(50, 20)));
    HWND group = opensMenu(input.clickAt(at(150, 50), 3));
    ASSERT_NE(group, nullptr);
    // "Align" follows the three combine entries and two separators.
    HWND align = opensMenu(input.clickAt(probe::menuEntry(group, 3, 2)));
    ASSERT_NE(align, nullptr);
    ASSERT_TRUE(input.clickAt(probe::menuEntry(align, 2, 0)).run()); // "Top edges"
    ASSERT_TRUE(probe::waitForNoMenu(p.id(), kStartMs));
    auto saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->items[2].y, 40);
    EXPECT_EQ(saved->items[0].y, 70) << "outside the group";

    // Menu 0: New Gadget, -, Undo, Redo, Paste, -, Show Tab Order, Sort, Check.
    auto mainMenuEntry = [&](int entriesAbove) {
        HWND menu = opensMenu(input.clickAt(at(380, 250), 3));
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(input.clickAt(probe::menuEntry(menu, entriesAbove, 2)).run());
        ASSERT_TRUE(probe::waitForNoMenu(p.id(), kStartMs));
    };
    ASSERT_TRUE(input.clickAt(at(380, 250)).pause(300).run()); // the group ends
    mainMenuEntry(5);                                          // "Sort Tab Order by Position"
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(numbersOf(*saved), (std::vector<int>{2, 1, 0}));

    mainMenuEntry(4); // "Show Tab Order": C then B go first
    ASSERT_TRUE(
        input.pause(300).clickAt(at(250, 80)).pause(300).clickAt(at(150, 50)).pause(300).run());
    mainMenuEntry(4);
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(numbersOf(*saved), (std::vector<int>{0, 1, 2}));

    mainMenuEntry(6); // "Check Keyboard Access": C and c share their key
    HWND learner = probe::waitForWindow(p.id(), " Learner", "", kStartMs);
    ASSERT_NE(learner, nullptr);
    HWND tips = probe::findChild(learner, "Edit", "");
    ASSERT_NE(tips, nullptr);
    char text[512] = {};
    for (int i = 0; i < 50 && std::string(text).find("saved.zrf: gadget") == std::string::npos;
         ++i) {
        Sleep(100);
        SendMessageA(tips, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    }
    EXPECT_NE(std::string(text).find("saved.zrf: gadget 2 \"ButtonGadget\""), std::string::npos)
        << text;
}

// Two columns, an option and a field to a row: sorting by position keeps
// the options one group, and a duplicated option joins its own group.
TEST_F(DesignerInput, OptionGroupsStayAsTheUserMadeThem) {
    ASSERT_TRUE(probe::menuLayoutKnown());
    open(withItems({gadget(OptionGadget, 0, 10, 10, 100, 20, "One"),
                    gadget(OptionGadget, 1, 10, 40, 100, 20, "Two"),
                    gadget(StringGadget, 2, 150, 10, 100, 20),
                    gadget(StringGadget, 3, 150, 40, 100, 20)},
                   4));
    probe::XInput input;
    HWND menu = opensMenu(input.clickAt(at(380, 250), 3));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(input.clickAt(probe::menuEntry(menu, 5, 2)).run()); // "Sort Tab Order by Position"
    ASSERT_TRUE(probe::waitForNoMenu(p.id(), kStartMs));
    // The sort leaves the list as it was (a split group would read 0 2 1 3);
    // the copy of "One" comes right after "Two".
    ASSERT_TRUE(input.pause(300).clickAt(at(60, 20)).pause(300).key("ctrl+d").pause(300).run());
    const auto saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(numbersOf(*saved), (std::vector<int>{0, 1, 4, 2, 3}));
}

// The group menu's properties and front and back from both pop-ups and the
// keys, each by real input; the saved file shows each effect, and an undo
// of a move gives back the file as it was.
TEST_F(DesignerInput, GroupPropertiesAndFrontAndBack) {
    ASSERT_TRUE(probe::menuLayoutKnown());
    Design start =
        withItems({button(0, 10, 10, "A"), button(1, 110, 40, "B"), button(2, 210, 70, "C")}, 3);
    start.fonts.push_back({1, 0, 12, "Arial", 0});
    for (Item& it : start.items) it.font = 0;
    open(start);
    probe::XInput input;
    ASSERT_TRUE(groupOf(input, at(50, 20), at(150, 50)));
    // Combine (2), Align, then the properties; front and back after them.
    enum { Font = 4, DefaultFont = 5, Tooltip = 6, Anchors = 7, Hidden = 8, Disabled = 9, Fixed = 10, ToFront = 11 };
    auto groupEntry = [&](int entry) {
        HWND group = opensMenu(input.clickAt(at(150, 50), 3));
        EXPECT_NE(group, nullptr);
        return group ? probe::menuEntry(group, entry, entry < ToFront ? 3 : 4) : POINT{};
    };
    auto chosen = [&](POINT entry) {
        ASSERT_TRUE(input.clickAt(entry).run());
        ASSERT_TRUE(probe::waitForNoMenu(p.id(), kStartMs));
    };
    chosen(groupEntry(DefaultFont));
    auto saved = saveAndRead();
    ASSERT_TRUE(saved);
    for (int k : {0, 1, 2}) EXPECT_EQ(saved->items[k].font, k < 2 ? -1 : 0) << k;
    // "Tooltip..." and "Font...": the editors the object manager opens, for
    // both members.
    chosen(groupEntry(Tooltip));
    typeInTooltipEditor(input, "Hint");
    chosen(groupEntry(Font));
    HWND close = nullptr;
    HWND fonts = editorWith("Close", &close);
    ASSERT_NE(fonts, nullptr);
    ASSERT_TRUE(input.clickAt(centre(buttonIn(fonts, "Select New Font"))).run());
    HWND dialog = probe::waitForWindow(p.id(), "Font", "#32770", kStartMs);
    ASSERT_NE(dialog, nullptr);
    std::string face;
    chooseFont(input, dialog, &face);
    ASSERT_TRUE(input.clickAt(centre(close)).run());
    ASSERT_TRUE(probe::waitUntilGone(fonts, kStartMs));
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    // The editor's settings, not a text, go to every member.
    EXPECT_NE(saved->items[0].tooltip, 0);
    EXPECT_EQ(saved->items[1].tooltip, saved->items[0].tooltip);
    EXPECT_EQ(saved->items[2].tooltip, 0);
    EXPECT_GE(saved->items[0].font, 0);
    EXPECT_EQ(saved->items[1].font, saved->items[0].font);
    EXPECT_EQ(saved->items[2].font, 0);
    EXPECT_EQ(saved->fonts[static_cast<size_t>(saved->items[0].font)].gFontName, face);
    chosen(groupEntry(Disabled));
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    for (int k : {0, 1, 2})
        EXPECT_EQ((saved->items[k].status & kStatusDisabled) != 0, k < 2) << k;
    chosen(groupEntry(Fixed));
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->items[1].status, kStatusDisabled | kStatusFixed);
    HWND anchors = opensMenu(input.clickAt(groupEntry(Anchors)));
    ASSERT_NE(anchors, nullptr);
    chosen(probe::menuEntry(anchors, 6, 0)); // W: width follows the right border
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->items[0].auto_, 64);
    EXPECT_EQ(saved->items[2].auto_, 0);

    chosen(groupEntry(ToFront)); // A and B go over C
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(numbersOf(*saved), (std::vector<int>{2, 0, 1}));
    const auto front = bytesOf(file);
    // The group stays marked: SHIFT+CONTROL+[ sends it all the way back.
    ASSERT_TRUE(input.key("ctrl+shift+bracketleft").pause(300).run());
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(numbersOf(*saved), (std::vector<int>{0, 1, 2}));
    ASSERT_TRUE(input.key("ctrl+z").pause(300).run());
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(bytesOf(file), front) << "undo gives back the file before the move";

    // One item: C, now first, goes over A with CONTROL+]; from the main
    // pop-up, what the right click unmarked goes back under both.
    ASSERT_TRUE(input.clickAt(at(380, 250)).pause(300).clickAt(at(250, 80)).pause(300)
                    .key("ctrl+bracketright").pause(300).run());
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(numbersOf(*saved), (std::vector<int>{0, 2, 1}));
    HWND menu = opensMenu(input.clickAt(at(380, 250), 3));
    ASSERT_NE(menu, nullptr);
    chosen(probe::menuEntry(menu, 8, 2)); // "Send to Back"
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(numbersOf(*saved), (std::vector<int>{2, 0, 1}));

    // Hidden ends the group, as the object manager's Hide does.
    ASSERT_TRUE(groupOf(input, at(50, 20), at(150, 50)));
    chosen(groupEntry(Hidden));
    saved = saveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->items[1].status & kStatusHidden, kStatusHidden);
    EXPECT_EQ(saved->items[0].status & kStatusHidden, 0);
}

} // namespace
