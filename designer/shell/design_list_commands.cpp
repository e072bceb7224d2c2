// Menu 0's "Recent", "New from Template" and "Save as Template...": the
// recent list's file beside the preferences, the templates beside the
// program and in the user's own folder, and the commands that open them.
#include "designer/shell/designer.h"

#include "document/design_file.h"
#include "document/file_system.h"
#include "document/path_text.h"
#include "toolkit/toolkit.h"

namespace zarnet::designer {

namespace {

constexpr char kTemplatesFolder[] = "templates\\";

bool isFile(const std::string& path) {
    return files::targetKindOf(path) == files::Kind::File;
}

// A file that cannot be looked at now (a share that does not answer) keeps
// its place in the list; only one known to be gone leaves it.
bool notGone(const std::string& path) {
    return files::targetKindOf(path) != files::Kind::Missing;
}

std::string fullPath(const std::string& path) {
    char buf[MAX_PATH * 4] = {};
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : path;
}

void emptyMenu(HMENU menu) {
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
}

// The last entry of the menu being built: a submenu just opened there.
HMENU lastSubMenu() {
    HMENU main = tk::MenuID(kMainMenu);
    return GetSubMenu(main, GetMenuItemCount(main) - 1);
}

} // namespace

void Designer::designListEntries() {
    tk::OpenSubMenu("Recent");
    recentMenu = lastSubMenu();
    tk::CloseSubMenu();
    tk::OpenSubMenu("New from Template");
    templateMenu = lastSubMenu();
    tk::CloseSubMenu();
    tk::MenuItem(MenuSaveTemplate, "Save as Template...");
}

void Designer::fillDesignLists() {
    if (recentMenu) {
        emptyMenu(recentMenu);
        recentShown = readRecentList();
        for (size_t i = 0; i < recentShown.size(); ++i) {
            const std::string key = i < 9 ? "&" + std::to_string(i + 1) : "1&0";
            AppendMenuA(recentMenu, MF_STRING | (isFile(recentShown[i]) ? 0 : MF_GRAYED),
                        MenuRecentFirst + i, (key + "  " + menuText(recentShown[i])).c_str());
        }
        if (recentShown.empty()) AppendMenuA(recentMenu, MF_STRING | MF_GRAYED, 0, "(none)");
    }
    if (templateMenu) {
        emptyMenu(templateMenu);
        const std::string folders[] = {programFolder + kTemplatesFolder,
                                       userDataFolder.empty() ? std::string()
                                                              : userDataFolder + kTemplatesFolder};
        const auto found = listTemplates(std::span(folders, folders[1].empty() ? 1 : 2));
        templatesShown.clear();
        for (const TemplateEntry& t : found) {
            // The user's own after the shipped ones, a line between.
            if (!templatesShown.empty() && t.folder != found[templatesShown.size() - 1].folder)
                AppendMenuA(templateMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(templateMenu, MF_STRING, MenuTemplateFirst + templatesShown.size(),
                        menuText(t.title).c_str());
            templatesShown.push_back(t.path);
        }
        if (found.empty()) AppendMenuA(templateMenu, MF_STRING | MF_GRAYED, 0, "(none)");
    }
}

bool Designer::designListCommand(int id) {
    const auto entry = [id](int first, size_t count) {
        return id >= first && static_cast<size_t>(id - first) < count;
    };
    if (id == MenuSaveTemplate)
        saveAsTemplate();
    else if (entry(MenuRecentFirst, recentShown.size()))
        openRecent(static_cast<size_t>(id - MenuRecentFirst));
    else if (entry(MenuTemplateFirst, templatesShown.size()))
        newFromTemplate(static_cast<size_t>(id - MenuTemplateFirst));
    else
        return false;
    return true;
}

std::string Designer::recentListFile() const {
    const std::string beside = std::string(files::folderOf(preferencesFile)) + kRecentListName;
    // An installed program that could not write beside itself keeps its
    // list in the user's own folder, as it does its preferences.
    if (!userDataFolder.empty() && files::kindOf(beside) == files::Kind::Missing) {
        const std::string own = userDataFolder + kRecentListName;
        if (files::kindOf(own) == files::Kind::File) return own;
    }
    return beside;
}

std::vector<std::string> Designer::readRecentList() const {
    const std::string file = recentListFile();
    const auto size = files::sizeOf(file);
    if (!size || *size > kRecentListLimit) return {};
    const auto bytes = readFileBytes(pathFromText(file));
    return bytes ? parseRecentList(*bytes) : std::vector<std::string>{};
}

void Designer::writeRecentList(const std::vector<std::string>& list) {
    const auto bytes = serialiseRecentList(list);
    if (writeFileAtomic(pathFromText(recentListFile()), bytes)) return;
    const std::string own = userDataFile(kRecentListName);
    if (!own.empty()) writeFileAtomic(pathFromText(own), bytes);
}

void Designer::noteRecentDesign(const std::string& fileName) {
    writeRecentList(withRecentDesign(readRecentList(), fullPath(fileName), notGone));
}

void Designer::openRecent(size_t entry) {
    const std::string file = recentShown[entry];
    if (!isFile(file)) {
        // Gone since the menu showed: the list forgets it, the design stays.
        writeRecentList(withRecentDesign(readRecentList(), {}, notGone));
        tk::MessageRequester("Error", "Can't open Zarnet!\r\r" + file + "\rno longer exists.");
        return;
    }
    if (!askToSave()) return;
    openDesign(file);
}

void Designer::newFromTemplate(size_t entry) {
    const std::string file = templatesShown[entry];
    if (!askToSave()) return;
    clearDesign();
    loadFile(file, false);
    // A copy: the template itself is never saved over.
    design.fileName = "New";
    design.modified = false;
    rebuildTree();
    resetHistory(true);
    refreshTitle();
}

void Designer::saveAsTemplate() {
    std::string suggested;
    if (design.fileName != "New") {
        suggested = std::string(filePart(design.fileName));
        if (suggested.size() > 4 && samePath(suggested.substr(suggested.size() - 4), ".zrf"))
            suggested.resize(suggested.size() - 4);
    }
    const std::string typed =
        tk::InputRequester("Save as Template", "Name of the new template:", suggested);
    if (typed.empty()) return;
    const auto name = templateFileName(typed);
    if (!name) {
        tk::MessageRequester("Error", "Can't save the template:\r\"" + typed +
                                          "\" cannot be the name of a file.");
        return;
    }
    std::string folder = programFolder + kTemplatesFolder;
    if (!userDataFolder.empty()) {
        userDataFile(""); // makes the user's folder
        folder = userDataFolder + kTemplatesFolder;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + *name;
    if (files::kindOf(file) != files::Kind::Missing &&
        tk::MessageRequester("Info",
                             "A template named \"" + name->substr(0, name->size() - 4) +
                                 "\" exists.\rReplace it?",
                             tk::PB_MessageRequester_YesNo) != IDYES)
        return;
    commitEdits(true);
    const DesignBytes d = designBytes();
    if (d.fault.empty() && writeFileAtomic(pathFromText(file), d.bytes)) return;
    tk::MessageRequester("Error",
                         "Can't save the template!\r\r" + file + "\r" +
                             (d.fault.empty() ? "cannot be written." : "because " + d.fault + "."));
    refreshTitle();
}

} // namespace zarnet::designer
