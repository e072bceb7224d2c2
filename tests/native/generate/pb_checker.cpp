#include "pb_checker.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace zarnet::test {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The commands our generated text may call besides its own procedures.
const std::set<std::string>& knownCommands() {
    static const std::set<std::string> names = [] {
        const char* pb[] = {
            // gadgets
            "ButtonGadget", "ButtonImageGadget", "CheckBoxGadget", "ComboBoxGadget", "EditorGadget",
            "ExplorerComboGadget", "ExplorerListGadget", "ExplorerTreeGadget", "Frame3DGadget",
            "HyperLinkGadget", "ImageGadget", "ListIconGadget", "ListViewGadget", "OptionGadget",
            "PanelGadget", "ProgressBarGadget", "ScrollAreaGadget", "ScrollBarGadget", "SpinGadget",
            "StringGadget", "TextGadget", "TrackBarGadget", "TreeGadget", "WebGadget",
            "CalendarGadget", "DateGadget", "IPAddressGadget", "ContainerGadget", "SplitterGadget",
            "CloseGadgetList", "AddGadgetItem", "SetGadgetAttribute", "SetGadgetState",
            "HideGadget", "DisableGadget", "SetGadgetFont", "GadgetToolTip", "GadgetID",
            "GadgetWidth", "GadgetHeight", "ResizeGadget", "CreateGadgetList", "EventGadgetID",
            // windows and events
            "OpenWindow", "HideWindow", "UseWindow", "WindowID", "WindowWidth", "WindowHeight",
            "WindowEvent", "WaitWindowEvent", "SetWindowCallback",
            // fonts, images, drawing
            "LoadFont", "UseFont", "CatchImage", "CopyImage", "ResizeImage", "FreeImage",
            "UseImage", "ImageID", "ImageWidth", "ImageHeight", "CreateImage", "StartDrawing",
            "ImageOutput", "StopDrawing", "Box", "DrawImage", "RGB", "UseJPEGImageDecoder",
            "UsePNGImageDecoder",
            // memory, strings, lists, calls
            "PeekB", "PeekW", "PeekL", "PeekS", "PokeL", "Len", "CountList", "ResetList",
            "NextElement", "LastElement", "AddElement", "DeleteElement", "ClearList",
            "ChangeCurrentElement", "CallFunctionFast", "ZarnetMaxItem"};
        const char* win32[] = {"CreateCompatibleDC",
                               "CreateCompatibleBitmap",
                               "CreateBitmap",
                               "SelectObject",
                               "GetMapMode",
                               "SetMapMode",
                               "SetStretchBltMode",
                               "StretchBlt",
                               "BitBlt",
                               "GetPixel",
                               "SetBkColor",
                               "GetSysColor",
                               "DeleteObject",
                               "DeleteDC",
                               "CreateWindowEx",
                               "SendMessage",
                               "GetModuleHandle"};
        std::set<std::string> s;
        for (const char* n : pb)
            s.insert(lower(n));
        for (const char* n : win32)
            s.insert(lower(n) + "_");
        s.erase("zarnetmaxitem"); // ours: it must be defined, not assumed
        return s;
    }();
    return names;
}

const std::set<std::string>& keywords() {
    static const std::set<std::string> k = {"procedure",
                                            "endprocedure",
                                            "procedurereturn",
                                            "if",
                                            "elseif",
                                            "else",
                                            "endif",
                                            "select",
                                            "case",
                                            "default",
                                            "endselect",
                                            "structure",
                                            "endstructure",
                                            "repeat",
                                            "until",
                                            "forever",
                                            "while",
                                            "wend",
                                            "for",
                                            "to",
                                            "step",
                                            "next",
                                            "break",
                                            "datasection",
                                            "enddatasection",
                                            "data",
                                            "restore",
                                            "read",
                                            "global",
                                            "dim",
                                            "newlist",
                                            "and",
                                            "or",
                                            "not",
                                            "includefile",
                                            "includebinary"};
    return k;
}

// The Windows constants our generated text may use; PureBasic's own all
// start with "PB_".
bool builtinConstant(const std::string& name) {
    static const std::set<std::string> windows = {
        "bm_setimage", "coloroncolor", "color_btnface", "cw_usedefault", "image_bitmap",
        "notsrccopy",  "srcand",       "srccopy",       "srcpaint",      "wm_setfont",
        "wm_size",     "wm_paint",     "ws_ex_topmost", "ws_popup"};
    return name.starts_with("pb_") || windows.count(name);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool identStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool identChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

struct Token {
    char sigil; // the character right before the name: # ? \ . @ * or 0
    std::string name;
    bool call; // directly followed by "("
};

// Splits a line into statements (":" outside strings) without its comment.
std::vector<std::string> statements(std::string_view line) {
    std::vector<std::string> out(1);
    bool inString = false;
    for (char c : line) {
        if (c == '"') inString = !inString;
        if (!inString && c == ';') break;
        if (!inString && c == ':') {
            out.emplace_back();
            continue;
        }
        out.back() += c;
    }
    return out;
}

std::vector<Token> tokens(std::string_view s) {
    std::vector<Token> out;
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '"') {
            const size_t end = s.find('"', i + 1);
            i = end == std::string_view::npos ? s.size() : end + 1;
        } else if (c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            for (++i; i < s.size() && identChar(s[i]); ++i) {
            }
        } else if (identStart(c)) {
            size_t j = i;
            while (j < s.size() && identChar(s[j]))
                ++j;
            const char sigil =
                i > 0 && std::string_view("#?\\.@*").find(s[i - 1]) != std::string_view::npos
                    ? s[i - 1]
                    : 0;
            out.push_back({sigil, std::string(s.substr(i, j - i)), j < s.size() && s[j] == '('});
            i = j;
        } else {
            ++i;
        }
    }
    return out;
}

bool isLoop(const std::string& k) {
    return k == "for" || k == "while" || k == "repeat";
}

class Checker {
  public:
    void line(size_t number, std::string_view text) {
        lineNo_ = number;
        const auto parts = statements(text);
        for (size_t i = 0; i < parts.size(); ++i) {
            const std::string_view raw = trimmed(parts[i]);
            if (raw.starts_with('#')) {
                defineConstant(raw);
                continue;
            }
            const auto toks = tokens(parts[i]);
            const bool label = i + 1 < parts.size() && toks.size() == 1 && !toks[0].call &&
                               toks[0].sigil == 0 && !keywords().count(lower(toks[0].name));
            if (label) {
                labels_.insert(lower(toks[0].name));
                spell(toks[0].name);
                continue;
            }
            statement(toks);
        }
    }

    std::vector<PbProblem> finish() {
        for (const auto& open : stack_)
            problem(open.line, "\"" + open.keyword + "\" is never closed");
        for (const auto& [name, where] : labelUses_)
            if (!labels_.count(name)) problem(where, "label ?" + name + " is not defined");
        return std::move(problems_);
    }

  private:
    struct Open {
        std::string keyword;
        size_t line;
        bool sawElse = false;
    };

    void problem(size_t line, std::string what) { problems_.push_back({line, std::move(what)}); }

    void spell(const std::string& name) {
        auto [it, fresh] = spellings_.emplace(lower(name), name);
        if (!fresh && it->second != name)
            problem(lineNo_, "\"" + name + "\" is also spelled \"" + it->second + "\"");
    }

    // "#Name = value": one name as PureBasic reads it (ASCII letters, digits
    // and "_", not starting with a digit), defined once whatever its case.
    void defineConstant(std::string_view s) {
        size_t end = 1;
        while (end < s.size() && identChar(s[end]))
            ++end;
        const std::string name(s.substr(1, end - 1));
        const std::string_view rest = trimmed(s.substr(end));
        if (name.empty() || !identStart(name[0]) || !rest.starts_with('=')) {
            std::string what(s); // built in place: GCC 12 warns falsely on "..." + string
            what.insert(what.begin(), '"');
            what += "\" is no constant definition";
            problem(lineNo_, std::move(what));
            return;
        }
        auto [it, fresh] = constants_.emplace(lower(name), name);
        if (!fresh) problem(lineNo_, "constant #" + name + " is already defined as #" + it->second);
        statement(tokens(rest.substr(1)));
    }

    bool inside(std::string_view keyword) const {
        return std::any_of(stack_.begin(), stack_.end(),
                           [&](const Open& o) { return o.keyword == keyword; });
    }

    void open(const std::string& k) { stack_.push_back({k, lineNo_}); }

    void close(const std::string& k, std::initializer_list<std::string_view> openers) {
        if (stack_.empty() ||
            std::find(openers.begin(), openers.end(), stack_.back().keyword) == openers.end()) {
            problem(lineNo_,
                    "\"" + k + "\" closes " +
                        (stack_.empty() ? "nothing" : "\"" + stack_.back().keyword + "\""));
            return;
        }
        stack_.pop_back();
    }

    void keyword(const std::string& k) {
        if (k == "procedure" || k == "structure" || k == "datasection") {
            if (!stack_.empty() && k != "datasection")
                problem(lineNo_, "\"" + k + "\" inside \"" + stack_.back().keyword + "\"");
            open(k);
        } else if (k == "if" || k == "select" || k == "repeat" || k == "while" || k == "for") {
            open(k);
        } else if (k == "elseif" || k == "else") {
            if (stack_.empty() || stack_.back().keyword != "if")
                problem(lineNo_, "\"" + k + "\" outside \"If\"");
            else if (stack_.back().sawElse)
                problem(lineNo_, "\"" + k + "\" after \"Else\"");
            else
                stack_.back().sawElse = k == "else";
        } else if (k == "case" || k == "default") {
            if (stack_.empty() || stack_.back().keyword != "select")
                problem(lineNo_, "\"" + k + "\" outside \"Select\"");
        } else if (k == "endprocedure")
            close(k, {"procedure"});
        else if (k == "endif")
            close(k, {"if"});
        else if (k == "endselect")
            close(k, {"select"});
        else if (k == "endstructure")
            close(k, {"structure"});
        else if (k == "until" || k == "forever")
            close(k, {"repeat"});
        else if (k == "wend")
            close(k, {"while"});
        else if (k == "next")
            close(k, {"for"});
        else if (k == "enddatasection")
            close(k, {"datasection"});
        else if (k == "break") {
            bool loop = false;
            for (auto it = stack_.rbegin(); it != stack_.rend() && it->keyword != "procedure"; ++it)
                loop = loop || isLoop(it->keyword);
            if (!loop) problem(lineNo_, "\"Break\" outside a loop");
        } else if (k == "procedurereturn" && !inside("procedure")) {
            problem(lineNo_, "\"ProcedureReturn\" outside a procedure");
        }
    }

    void statement(const std::vector<Token>& toks) {
        if (toks.empty()) return;
        const std::string first = toks[0].sigil == 0 ? lower(toks[0].name) : std::string();
        if (keywords().count(first)) keyword(first);
        const bool declares = first == "dim" || first == "newlist" || first == "procedure";
        for (size_t i = 0; i < toks.size(); ++i) {
            const Token& t = toks[i];
            const std::string name = lower(t.name);
            if (t.sigil == '.' || keywords().count(name)) continue; // type suffix, keyword
            if (t.sigil != '#') spell(t.name);
            if (t.sigil == '#' && !constants_.count(name) && !builtinConstant(name))
                problem(lineNo_, "constant #" + t.name + " is not defined before");
            if (t.sigil == '?') labelUses_.emplace(name, lineNo_);
            if (declares && i == 1) {
                (first == "procedure" ? procedures_ : collections_).insert(name);
                continue;
            }
            if (!t.call || t.sigil == '#' || t.sigil == '\\' || t.sigil == '?') continue;
            if (collections_.count(name) || procedures_.count(name)) continue;
            if (knownCommands().count(name)) continue;
            problem(lineNo_, "\"" + t.name + "()\" is neither defined before nor a known command");
        }
    }

    size_t lineNo_ = 0;
    std::vector<Open> stack_;
    std::set<std::string> procedures_, collections_, labels_;
    std::map<std::string, size_t> labelUses_;
    std::map<std::string, std::string> spellings_, constants_;
    std::vector<PbProblem> problems_;
};

} // namespace

std::vector<PbProblem> checkPureBasic(std::string_view text) {
    Checker c;
    size_t number = 0;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        c.line(++number, text.substr(0, end));
        if (end == std::string_view::npos) break;
        size_t skip = end + 1;
        if (text[end] == '\r' && skip < text.size() && text[skip] == '\n') ++skip;
        text.remove_prefix(skip);
    }
    return c.finish();
}

std::string describe(const std::vector<PbProblem>& problems) {
    std::string out;
    for (const PbProblem& p : problems)
        out += "line " + std::to_string(p.line) + ": " + p.what + "\n";
    return out;
}

} // namespace zarnet::test
