// The designer Zarnet.exe: its three windows (the canvas holding the design,
// the object manager and the learner window), the polling main loop, the
// menus, the grid and the document commands. One Designer object holds the
// state of a run; the program makes one, tests make one per case.
#pragma once

#include "designer/arrange/tab_order.h"
#include "designer/canvas/creation.h"
#include "designer/canvas/selection.h"
#include "designer/clipboard/clip.h"
#include "designer/history/history.h"
#include "designer/recovery/recovery_plan.h"
#include "designer/shell/design_lists.h"
#include "document/catalogue.h"
#include "designer/shell/shell_logic.h"
#include "document/model.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace zarnet::designer {

// Window and menu numbers of the designer's own toolkit objects.
inline constexpr int kCanvasWindow = 0;
inline constexpr int kObjectManagerWindow = 1;
inline constexpr int kLearnerWindow = 2;
inline constexpr int kMainMenu = 0;
inline constexpr int kCreationMenu = 1;
inline constexpr int kGroupMenu = 2;

// Menu item identifiers; 1..28 are gadget types.
// clang-format off
enum MenuId : int {
    MenuToggleXp = 30, MenuLoad = 31, MenuSave = 32, MenuSaveAs = 33, MenuGrid = 34,
    MenuUserGrid = 35, MenuShowGrid = 36, MenuGrid5 = 37, MenuGrid10 = 38,
    MenuObjectManager = 39, MenuExit = 42, MenuNew = 50, MenuHorizontalSplitter = 60,
    MenuVerticalSplitter = 61, MenuContainer = 62, MenuPreview = 100, MenuLearner = 101,
    MenuFullSource = 102, MenuConstants = 103, MenuIncludeSource = 104,
    // Outside the ranges above; 310 onwards the group menu's "Align" submenu.
    MenuUndo = 300, MenuRedo = 301, MenuPaste = 302, MenuShowTabOrder = 303,
    MenuSortTabOrder = 304, MenuCheckKeyboard = 305, MenuAlignFirst = 310,
    // Front and back (menu 0 and the group menu), the group's properties.
    MenuBringToFront = 340, MenuSendToBack = 341, MenuBringForward = 342,
    MenuSendBackward = 343, MenuGroupFont = 344, MenuGroupFontOff = 345,
    MenuGroupTooltip = 346, MenuGroupHidden = 347, MenuGroupDisabled = 348,
    MenuGroupFixed = 349, MenuGroupAnchorFirst = 350, // to 357: the eight anchors
};
// clang-format on
// The four front and back entries, added to the menu being built.
void addStackingEntries();
// System menu commands of the canvas.
enum SysId : int { SysToggleXp = 130, SysLoad = 131, SysSave = 132, SysSaveAs = 133, SysNew = 200 };

// Field panel numbers in the object manager.
enum Field : int {
    FieldName = 1, FieldNumber = 3, FieldFixed = 4, FieldDisable = 5, FieldHide = 6,
    FieldGrid5 = 7, FieldTooltip = 8, FieldEdit = 9, FieldExtend = 10, FieldFont = 11,
    FieldSelectFont = 12, FieldColors = 13, FieldSelectColors = 14, FieldX = 24, FieldY = 25,
    FieldWidth = 26, FieldHeight = 27, FieldPanel = 28, FieldGrid10 = 29, FieldUserGrid = 31,
};

// The object manager's anchor buttons and the bits of `auto` they stand for.
struct AnchorButton {
    int field, bit;
};
inline constexpr AnchorButton kAnchorButtons[] = {{16, 1},  {17, 2},  {18, 4},   {19, 8},
                                                  {32, 16}, {33, 32}, {34, 64}, {35, 128}};

struct StartOptions {
    // Up to four parameters: design file, window handle to wait for,
    // design name, modified flag. Quotes around each are removed.
    std::vector<std::string> parameters;
    // Where preferences.zrp and the other files beside the program live;
    // empty means the running program's own folder.
    std::string programFolder;
    // The program a restart starts; empty means the running program.
    std::string programFile;
    // The user's own folder for preferences and backups when the program's
    // folder cannot be written; empty means %APPDATA%\Zarnet.
    std::string userDataFolder;
    // An idle designer sleeps until a message comes or a recovery copy is
    // due (the program); otherwise it looks again every few milliseconds
    // (tests that step it pass by pass).
    bool waitForMessages = false;
};

// The designer's command line split into its parameters (the program
// name left out), each with its surrounding quotes removed.
std::vector<std::string> commandLineParameters(const char* commandLine);

// A design as the bytes of its file, or why it may not be written.
struct DesignBytes {
    std::vector<uint8_t> bytes;
    std::string fault; // why not, as a phrase; empty when the bytes read back
};

struct Designer {
    // Paths fixed at start-up; the folder ends with a backslash.
    std::string programFile, programFolder, preferencesFile, viewerProgram, tempImageFile;
    // The user's own data folder (ends with a backslash), made when first
    // written to.
    std::string userDataFolder;
    std::string userDataFile(const char* name) const; // the folder made first

    HFONT fixedFont = nullptr;
    int markImage = 0;

    Preferences prefs{};
    bool firstRun = false;          // no preferences file was found
    bool layoutEstablished = false; // start-up is over: loads keep the canvas in place
    bool xpStyle = false;
    bool ended = false;             // Exit ran (or a restart took over)

    Design design;

    // Canvas.
    HWND canvas = nullptr;
    HDC canvasDC = nullptr;
    HMENU systemMenu = nullptr;
    int focusControl = 0;
    int disabledControl = 0;
    bool sizeReport = false; // the canvas is being sized by the user

    // Object manager and learner window.
    HWND objectManager = nullptr;
    HWND learner = nullptr;
    int tree = 0;
    int tipField = 0;
    std::array<int32_t, kFieldPanelMaxItem + 1> fields{};
    HIMAGELIST typeIcons = nullptr;
    std::array<int, 31> iconImages{};

    // Grid.
    int gridSize = 10;
    int gridImage = 0;
    HBRUSH gridBrush = nullptr;
    HBRUSH defaultBrush = nullptr;
    bool defaultBrushRecorded = false;

    // Loop state.
    int event = 0;
    int eventWindow = -1;
    bool popupOpen = false;
    Selection sel; // the marked item or group
    POINT clickPosition{};
    POINT menuPosition{}; // where the right click that opened a menu was
    // The numbers of what was marked when a right click unmarked it to show
    // the main pop-up: what its front and back entries move.
    std::vector<int> menuStackItems;
    int lastCreatedType = 0;
    std::array<TypeDefaults, kTypeCount + 1> typeDefaults{};
    uint32_t colourFront = 0, colourBack = 0xFFFFFF;

    // Left-button gestures on the canvas.
    enum class Gesture { Idle, Moving, Sizing };
    Gesture gesture = Gesture::Idle;
    int sizingMark = 0;
    Point grab;          // cursor minus the selection's top-left at the press
    POINT pressAt{};     // the press, in client coordinates of the selection's holder
    Rect pressRect;      // the selection rectangle at the press
    bool headerPress = false; // a press on a list icon's header or a panel's tab row
    bool gestureChanged = false;
    POINT lastCursor{};       // the cursor at the last drag step
    int scrollingArea = -1;   // the scroll area a drag keeps the cursor in
    RECT scrollClip{};        // the cursor's confinement there, on screen
    uint32_t lastScrollAt = 0;
    // Idle passes: nothing to sample while no input arrived since a pass
    // that found every key and button up.
    uint32_t lastInputAt = 0;
    bool keySeenDown = true;

    // Start-up steps in their order; false when the canvas could not open.
    bool start(const StartOptions& options);
    // One pass of the main loop; false once the designer has ended.
    bool pass();
    // Closes the three windows and frees what the run made, so that the
    // process (a test) may start another designer.
    void shutdown();

    // Title refresh: "*", the design's file part, and the client size.
    void refreshTitle();
    // Shows learner tip n when learner mode is on.
    void showTip(int n);
    // A key's current state: queried once with the result thrown away, then
    // again, so only a press that is happening now counts.
    bool keyDown(int virtualKey);
    // A key's state as the platform reports it (one query).
    bool sampled(int virtualKey);
    // A mouse button down now, or tapped (pressed and let go) since the
    // pass began: a tap between two passes counts as a click.
    bool buttonPressed(int button);
    bool leftTapped = false, rightTapped = false; // taps seen this pass
    // Waits until the key is up, reading events meanwhile.
    void waitForRelease(int virtualKey);
    // Processes pending window events until none is left.

    // Document commands.
    bool askToSave();          // false when the user cancelled
    void newDesign();          // after the question
    void clearDesign();        // New's clearing steps
    void load();               // asks, picks a file, loads it
    std::string save();        // the file name saved under, empty when none
    std::string saveAs();
    bool saveTo(const std::string& fileName);
    // The model refreshed from the canvas and written to bytes, checked by
    // reading them back.
    DesignBytes designBytes();
    void exit();
    bool loadFile(const std::string& fileName, bool atStartUp);
    void openDesign(const std::string& fileName); // after the question
    void writePreferences();

    // Menu 0's recent designs and templates, filled each time it shows;
    // the paths behind their entries as last shown.
    HMENU recentMenu = nullptr, templateMenu = nullptr;
    std::vector<std::string> recentShown, templatesShown;
    void designListEntries(); // while menu 0 is built
    void fillDesignLists();
    bool designListCommand(int id); // false: not one of theirs
    std::string recentListFile() const;
    std::vector<std::string> readRecentList() const;
    void writeRecentList(const std::vector<std::string>& list);
    void noteRecentDesign(const std::string& fileName); // opened or saved
    void openRecent(size_t entry);
    void newFromTemplate(size_t entry);
    void saveAsTemplate();

    // Menus and commands.
    void buildMenus();
    void rebuildSystemMenu();
    void menuCommand(int id);
    void systemCommand(int id);
    void toggleCheck(int id, int& preference);

    // Grid.
    void rebuildGridBrush();
    void applyGrid();
    void setGridFromMenu(int size);
    void askGridSize();
    void setGridFromObjectManager(int size, bool refocusField);
    void setGridFromButton(int size);
    void setGridFromField();
    void syncGridButtons();
    void toggleShowGrid();

    // Handing the design to another process.
    std::string backupFile; // where the last backup went
    std::string designerManifest() const;
    std::string viewerManifest() const;
    // Writes the backup file and reads it back; false with the reason when
    // it could not be written so that it reads back.
    bool writeBackup(std::string& why);
    std::vector<std::string> backupCandidates() const; // where backups may go
    bool isOwnBackup(const std::string& path) const;
    void preview();
    bool restart(); // false: this designer goes on
    void toggleXpStyle();
    bool restartWith(bool toggleManifest);

    // Source generation.
    std::string prefix; // the constants' prefix, offered again next time
    TooltipDefaults tooltipDefaults;
    std::string savedForGeneration();
    std::string askPrefix();
    void generateProgram();
    void generateInclude();
    void copyConstants();

    // Object manager.
    void openObjectManager();
    void openLearner();
    void decodeTypeIcons();
    void rebuildTree();
    void layoutObjectManager();
    void layoutLearner();
    void objectManagerBranch();
    int itemOfTreeEntry(HTREEITEM entry) const;
    // Marks the item of the selected tree entry when the selection changed
    // (or `always`); a tab's entry shows its tab and marks the panel.
    void followTreeSelection(bool always);
    void toggleHiddenFromTree(HTREEITEM entry);
    void setHidden(Item& it, bool hidden); // gadget, status bit and tree text
    void rewriteTreeText(const Item& it);
    void fieldEvent(int field);
    void renameMarked();
    void applyTypedRect(int field);
    void toggleStatus(int field);
    HTREEITEM lastTreeSelection = nullptr;
    // Reordering by dragging a tree entry onto another.
    HTREEITEM treeDragged = nullptr;
    HIMAGELIST treeDragImage = nullptr;
    void beginTreeDrag(HTREEITEM entry);
    void treeDragMove();
    void keepKeysInTree(); // the object manager in front, the tree focused
    void endTreeDrag();
    bool dropTreeEntry(int dragged, int target); // item indexes; false when refused
    void clearFields();
    // The find box above the tree: its text filters the tree's entries.
    static constexpr int kFindFieldHeight = 20;
    int findField = 0;
    std::string treeFilter; // as typed; empty shows every entry
    void openFindField();
    void filterTree(const std::string& text);
    // The tree brought to `keep` (an entry per kept item) by taking out and
    // putting in only the entries that differ.
    void showTreeEntries(const std::vector<bool>& keep);
    bool findKeys();      // CTRL+F: the focus to the find box
    bool findFieldKeys(); // ESC and RETURN in the find box, ESC in a filtered tree
    void markFirstMatch();
    void refilterAfterEdits(); // after edits that made entries match, or no longer

    // Creating items on the canvas.
    void createFromMenu(int typ);
    POINT clickPositionNow(); // the cursor in canvas client coordinates
    // Creates typ at the cursor, inside the marked panel, scroll area or
    // container when one is marked; `space` rounds to the grid.
    bool createAtCursor(int typ, bool space);
    bool createAt(int typ, POINT screen, bool space);
    // The marked panel (on its shown tab), scroll area or container that
    // creation and paste go into; container -1 when none is marked.
    PasteTarget markedContainer();
    // The window a container's gadgets lie in (the canvas for -1).
    HWND listWindow(int container, int tab);
    bool twoLetterCreation();
    void seedTypeDefaults();
    void rememberTypeDefaults(size_t item);

    // Selection.
    void markAndShow(size_t item, bool fromTree);
    void unmarkAll();
    void showFields();
    void selectTreeEntry(int item);
    void deleteSelection();

    // Property editors.
    struct EditorHost editorHost();
    std::vector<size_t> selectedItems() const; // the group's members or the marked item
    void retitleTreeEntry(size_t item);
    void openContextMenu();
    void openValuesEditor();
    void fontOrTooltipField(int field);

    // Structural changes: the live gadgets copied into the items, the canvas
    // freed, the list edited, canvas and tree built again. False when the
    // edit was refused (the design is then as it was).
    bool rebuildAround(const std::function<bool()>& edit, bool keepSplitterPositions = true);
    void rebuildCanvas(bool keepSplitterPositions = true);
    void combineToSplitter(bool vertical);
    void combineToContainer();
    bool removeContainerItem(size_t index);
    bool removeSplitterItem(size_t index);

    // Moving and sizing.
    Snapping snapping();
    void reportPosition();
    void reportSize(const Rect& r);
    void stepPause();
    bool arrowOrDelete(bool arrows, bool size);
    bool keyMove(int dx, int dy, bool size);
    void leftGestures();
    bool grabSelection(POINT screen, bool shift, bool right);
    bool grabMark(POINT screen, HWND holder); // sizing by the mark under the cursor
    void startDrag();
    void dragStep(bool left);
    void toggleIntoGroup(size_t item);
    // In group mode: dragging the group or a mark, CONTROL toggling, the
    // group menu. False when the press ended the group and goes on as usual.
    bool groupGestures();
    void rubberBand(POINT press);
    void buildGroupMenu(); // menu 2 with its entries enabled for the group
    void groupMenu();
    void autoScroll(POINT cursorScreen);
    void endDrag();

    // The edit history. Edits are committed as one step when the pass
    // that made them ends with no gesture running.
    History history;
    uint64_t committedRevision = 0;                 // the design's revision the history holds
    uint64_t canvasBuilds = 0, committedBuilds = 0; // rebuilds of the canvas by edits
    uint64_t pendingMergeKey = 0;                   // set by a cursor-key step or canvas sizing
    static constexpr uint64_t kCanvasSizeRun = 2;   // key runs are odd
    // Typing into one object-manager field is one step for as long as the
    // field keeps the focus (typing runs are even and above 2).
    bool waitForMessages = false; // see StartOptions
    uint32_t idleWaitMs() const;
    int typingField = -1;
    uint64_t typingVisits = 0;
    void noteTyping(int field, uint64_t revisionBefore);
    // A design larger than the screen gets a window the system cuts down:
    // the design keeps its own size until the user sizes the window.
    int askedWidth = 0, askedHeight = 0;   // the size the design asked for
    int fittedWidth = -1, fittedHeight = -1; // the window's size as the system made it
    void noteCanvasFit(int width, int height);
    void takeClientSize(Design& d) const;
    void resetHistory(bool saved);                  // a new history from the design as it is
    // A restart hands the history over in a file beside the backup.
    static constexpr const char* kHistorySuffix = ".history";
    std::string handedHistory; // the file a restart handed over, until read
    void adoptHandedHistory();
    // Clicks of the tab order, pastes in a row and guide lines belong to
    // the design as it was: a new, loaded, undone or redone one starts
    // without them.
    void forgetEditingState();
    // True when a step was recorded. With `liveChanges` the canvas is read
    // even without an edit: a splitter's separator or a list icon's column
    // dragged on the canvas changes the design without one.
    bool commitEdits(bool liveChanges = false);
    uint64_t keyRunKey(int dx, int dy, bool size) const;
    void undo();
    void redo();
    void applySnapshot(const Snapshot& from, const Snapshot& to, bool rebuilt);
    // CTRL+Z, CTRL+Y and CTRL+SHIFT+Z while CONTROL is down.
    bool undoKeys();
    // Waits while CONTROL is held, carrying out the command keys; true
    // when one was pressed.
    bool controlChord();

    // Copy, cut, paste and duplicate. Pastes in a row at one place move one
    // grid step right and down each, so none lands on another.
    struct PasteRow {
        uint64_t revision = ~uint64_t{0}; // the design's revision after the last paste
        Point base;
        int container = -1, tab = 0;
        int count = 0;
        std::vector<size_t> marked; // what the paste marked
    };
    PasteRow pasteRow;
    bool copySelection(); // false when nothing was copied
    void cutSelection();
    // At `screen` when given (the cursor over the canvas), else at the
    // copied position; inside the marked panel, scroll area or container.
    void pasteClipboard(std::optional<POINT> screen);
    void duplicateSelection();
    int copiesJoinAt(const std::vector<size_t>& roots) const;
    bool placePaste(const Design& clip, PasteTarget target, Point topLeft);
    // CTRL+C, CTRL+X, CTRL+V and CTRL+D while CONTROL is down.
    bool clipboardKeys();
    // The undo, redo and clipboard keys.
    bool commandKeys();

    // Align, size and space the group; tab order; the keyboard-access check.
    void alignGroup(size_t entry); // an entry of the group menu's "Align" submenu
    bool tabOrderMode = false;     // badges show, clicks set the order
    std::vector<int> tabClicks;    // numbers clicked there, in order
    std::vector<HWND> tabBadges;
    uint64_t badgesShown = ~uint64_t{0}; // the design's revision they show
    void toggleTabOrder();
    void showTabBadges(); // again, for the design as it is now
    void freeTabBadges();
    void tabOrderClick(); // a left click while the badges show
    void sortTabOrder();
    // Moves the items among their siblings (stacking and tab order at once)
    // and keeps them marked.
    void restack(Restack how, std::vector<size_t> items);
    bool stackingKeys(); // CONTROL with ] or [ (SHIFT: all the way)
    // The group menu's property entries.
    void addGroupPropertyEntries();
    void groupPropertyCommand(int id);
    void showKeyboardCheck(); // its findings in the learner window
    // Snap guides while one item is dragged or sized.
    std::vector<Rect> snapTargets; // its siblings' rectangles, taken when the drag starts
    std::vector<HWND> guideLines;
    std::vector<std::pair<bool, int>> guidePlaces; // (vertical, where) of each line shown
    void takeSnapTargets();
    // The grid's rectangle with each axis near a sibling's edge or centre
    // snapped to it instead (from the unsnapped `raw`); the guides follow.
    Rect snapToGuides(const Rect& raw, const Rect& gridded, bool sizing);
    void showGuides(const std::vector<int>& across, const std::vector<int>& down);
    void freeGuides();

    // Recovery copies of unsaved work, in the user's own folder.
    recovery::CopyTimer recoveryTimer;
    bool handedOver = false;            // a restart handed its design (and copy) to this process
    std::string recoveryFolder() const; // empty: none is kept
    void keepRecoveryCopy();            // every pass: writes or removes the copy when due
    bool writeRecoveryCopy();
    bool writeRecoveryCopyNow(); // false when nothing was written
    void dropRecoveryCopy();     // a clean end leaves no copy behind
    // A restart: the copy becomes the new designer's (it has the design now).
    void handOverRecoveryCopy(HANDLE nextDesigner);
    // At start-up: offers the copies of designers that are gone, or, after
    // a restart, makes the copy the old designer handed over this one's.
    void startRecovery();
    bool restoreCopy(const recovery::RecoveryCopy& copy);

    // The canvas branch.
    // Called by the canvas branch, and with `fromTree` by the object
    // manager when DEL or RETURN is pressed on a tree entry. True when it acted.
    bool keyboardHandler(bool fromTree);
    void rightButton();
    void flipOption(int gadget);
    void showMainMenu();
    void canvasSizeReport();

  private:
    bool passBody(); // false for a quiet pass that only waited
    void openCanvas(int clientWidth, int clientHeight, bool errorWindow);
    HWND openToolWindow(int window, int firstPref, WindowRect fallback, const char* title);
    void canvasBranch(bool canvasCommand);
    void dispatch();
    bool readDesignFile(const std::string& fileName, bool atStartUp);
    // A design file's bytes (none: the file could not be read) as the design.
    bool readDesignBytes(const std::optional<std::vector<uint8_t>>& bytes,
                         const std::string& fileName, bool atStartUp);
};

// An entry of the object manager's tree, put in expanded after `after`
// (TVI_FIRST, TVI_LAST or a sibling) with its type icon 1..30.
HTREEITEM insertTreeEntry(HWND tree, HTREEITEM parent, const std::string& text, int icon,
                          HTREEITEM after = TVI_LAST);
inline constexpr int kTabIcon = 30;
inline int treeIcon(const Item& it) { return isGadgetType(it.typ) ? it.typ : 1; }

// The window procedure of the designer's windows; it serves the one
// designer that start() registered.
LRESULT designerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
Designer*& activeDesigner();

} // namespace zarnet::designer
