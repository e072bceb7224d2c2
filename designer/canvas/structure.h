// Structural edits of the item list: two gadgets combined into a splitter,
// a group moved into a new container, a container or splitter removed while
// what it held stays, and an item or a panel tab moved among its siblings.
// Pure list arithmetic: the canvas copies every item's geometry and text
// from its live gadget before calling these, and rebuilds itself from the
// list afterwards.
//
// Every edit either succeeds completely or leaves the design untouched
// (numbering included); an edit that would turn a sound list into one the
// design file or the runtime cannot take is refused.
#pragma once

#include "designer/canvas/geometry.h"
#include "designer/canvas/placement.h"
#include "document/model.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zarnet::designer {

// Where a record sits in the nesting: the index of the panel, scroll area or
// container enclosing it (-1 at top level) and, inside a panel, its tab. Tab
// and close records belong to the parent they open or close; a tab record's
// tab is its own index within its panel.
struct Scope {
    int parent = -1;
    int tab = 0;
    bool operator==(const Scope&) const = default;
};

// The scope of every record, read from the list order alone (stale `level`
// or `parent` fields cannot mislead it). nullopt for a malformed list: a
// close or tab record without its parent, a panel whose contents do not
// start with a tab record, a parent never closed.
std::optional<std::vector<Scope>> scopesOf(const std::vector<Item>& items);

// Takes an edited copy of the design: its nesting, splitter references and
// tab numbers derived again from the order (which heals any stale value
// rather than shifting it), the edit noted. Every edit is worked out on a
// copy that replaces the design only when it keeps a sound list sound, so a
// refused edit (false) costs nothing, not even a number.
bool adoptEdit(Design& d, Design&& next);

// Index of the first real item with this number, or -1.
int itemByNumber(const std::vector<Item>& items, int number);

// For each record: whether some splitter holds it (names its number).
std::vector<bool> splitterChildren(const std::vector<Item>& items);

// Points every splitter's `firstitem` and `seconditem` at the items its
// `para1` and `para2` name (-1 when missing); indices move with every edit.
void resolveSplitterChildren(std::vector<Item>& items);

// Numbers each panel's tab records 0, 1, 2 ... in list order.
void renumberTabs(std::vector<Item>& items);

// --- Splitters ---

// Where the splitter of members `a` and `b` goes: after the later of the
// two, after its close record when that one is a parent. nullopt for an
// index out of range or an unclosed parent.
std::optional<size_t> splitterInsertIndex(const std::vector<Item>& items, size_t a, size_t b);

// Which member comes first: for a vertical splitter the one further left,
// for a horizontal one the one further up (rectangles of `a` and `b`); on a
// tie the earlier in the list.
struct SplitterMembers {
    size_t first = 0, second = 0;
    bool operator==(const SplitterMembers&) const = default;
};
SplitterMembers splitterOrder(size_t a, const Rect& ra, size_t b, const Rect& rb, bool vertical);

// Inserts `splitter` (its flags read as the type defaults: only separator
// and fixed bits are kept, 1 added for vertical) holding `a` and `b` at the
// group rectangle, with a new number. Refused (nullopt) unless both are
// distinct real items of one parent and tab, neither a spin gadget nor
// already held by a splitter. Returns the splitter's index.
std::optional<size_t> combineIntoSplitter(Design& d, size_t a, const Rect& ra, size_t b,
                                          const Rect& rb, const Rect& group, bool vertical,
                                          Item splitter);

// Removes the splitter item and releases its number; its two gadgets stay
// where they are in the list with the positions they have now (they are
// kept from the next model refresh). Refused for anything but a splitter
// and for a splitter that another splitter holds.
bool removeSplitter(Design& d, size_t splitter);

// --- Containers ---

// Moves the members' whole runs, with both gadgets of every splitter among
// them (recursively), into `container` placed at the group rectangle where
// the last of them was. Members' positions become relative to the group;
// splitter gadgets and the contents of moved parents keep theirs. Moved
// items keep their numbers, the container takes a new one. Refused
// (nullopt) for an empty group, records, members of different parents or
// tabs, or a member held by a splitter. Returns the container's index.
std::optional<size_t> combineIntoContainer(Design& d, std::vector<size_t> members,
                                           const Rect& group, Item container);

// Removes a container (type 28 only) and its close record, keeping its
// contents in place one level up, its direct children at the same screen
// positions. Refused for a container that a splitter holds.
bool removeContainer(Design& d, size_t container);

// --- Moving in the object manager tree ---

// The run one tree entry stands for: an item with everything inside it, or
// a tab record with its children up to the next tab or close record of its
// panel. nullopt for a close record or a malformed run.
std::optional<Run> treeRun(const std::vector<Item>& items, size_t index);

// Moves the records of `run` to stand before index `before` (an index of
// the list as it is, not inside the run). Returns the run's new first index.
size_t moveRun(std::vector<Item>& items, Run run, size_t before);

// Drops the tree entry `dragged` onto `target`: the dragged run goes after
// the target's run (an item dropped onto a tab record of its own panel
// becomes the first child of that tab). Refused, list unchanged, when the
// drop would change nothing, for a splitter or splitter gadget, a target in
// another parent, a tab dropped onto anything but a tab of its own panel,
// close records and malformed runs. On success `movedTo` receives the
// dragged entry's new index.
bool reorder(Design& d, size_t dragged, size_t target, size_t* movedTo = nullptr);

} // namespace zarnet::designer
