#include "designer/arrange/keyboard_check.h"

#include "arrange_designs.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zarnet::designer {
namespace {

// The findings in short: "name:unnamed", "name:nowhere", "name:dup(other)",
// "name:nofocus(next)", space-separated in report order.
std::string summary(const Design& d) {
    std::string out;
    auto quoted = [](const std::string& what) {
        const size_t a = what.find('"'), b = what.find('"', a + 1);
        return what.substr(a + 1, b - a - 1);
    };
    for (const KeyboardFinding& f : checkKeyboardAccess(d)) {
        EXPECT_EQ(d.items[f.item].name, f.name);
        EXPECT_EQ(d.items[f.item].number, f.number);
        std::string kind = "?" + f.what;
        if (f.what.find("is also used by") != std::string::npos)
            kind = "dup(" + quoted(f.what) + ")";
        else if (f.what.starts_with("no TextGadget"))
            kind = "unnamed";
        else if (f.what.find("leads nowhere") != std::string::npos)
            kind = "nowhere";
        else if (f.what.find("cannot take the focus") != std::string::npos)
            kind = "nofocus(" + quoted(f.what) + ")";
        else if (f.what.starts_with("is one group of options with"))
            kind = "far(" + quoted(f.what) + ")";
        out += (out.empty() ? "" : " ") + f.name + ":" + kind;
    }
    return out;
}

struct KeyCase {
    const char* design;
    const char* findings;
};

TEST(KeyboardCheck, FindsEveryProblemAndNothingElse) {
    const std::vector<KeyCase> cases = {
        // Inputs and their labels.
        {"T:l=Name S:s", ""},
        {"S:s", "s:unnamed"},
        {"B:b=OK S:s", "s:unnamed"},
        {"T:a=A T:b=B S:s", ""},
        {"C:c E:e N:n L:l I:i R:r D:d A:a K:k",
         "c:unnamed e:unnamed n:unnamed l:unnamed i:unnamed r:unnamed d:unnamed a:unnamed "
         "k:unnamed"},
        {"B:b X:x O:o H:h G:g Q:q", ""},
        {"T:l=Name G:g S:s", "s:unnamed"},
        // Where a label's access key leads.
        {"T:l=&Name S:s", ""},
        {"T:l=&Name G:g", "l:nofocus(g)"},
        {"T:l=&Name", "l:nowhere"},
        {"T:l=Name", ""},
        {"T:a=&First T:b=Second", "a:nofocus(b)"},
        {"T:l=&Go H:h", "l:nofocus(h)"},
        {"T:l=&Tabs P:p | B:b .", ""},
        {"T:l=&Pic Z:box G:g .", "l:nofocus(g)"},
        {"T:l=&x B:b!h G:g", "l:nofocus(g)"},
        {"B:a=&N T:l=&Name", "l:dup(a) l:nowhere"},
        // Access keys shared by gadgets shown together.
        {"B:a=&Open B:b=&open", "b:dup(a)"},
        {"B:a=&&Open B:b=&Open", ""},
        {"B:a=Save&& B:b=&&x X:c=Go&", ""},
        {"B:a=Fish&&&Chips B:b=&Cancel", "b:dup(a)"},
        {"B:a=&X B:b=&x X:c=&X", "b:dup(a) c:dup(a)"},
        {"F:f=&Group B:b=&Go", "b:dup(f)"},
        {"P:p | B:a=&Go | B:b=&Go .", ""},
        {"B:a=&Go P:p | B:b=&Go .", "b:dup(a)"},
        {"P:p | B:a=&Go B:b=&Go .", "b:dup(a)"},
        {"P:p | P:q | B:a=&K | B:b=&K . | B:c=&K . B:d=&K", "d:dup(a)"},
        {"B:a=&Go B:b=&Go!h", ""},
        // The order through containers, panels and splitters.
        {"T:l=Name Z:box S:s .", ""},
        {"Z:box T:l=&Name . S:s", ""},
        {"T:l=Name Y:area S:s .", ""},
        {"T:l=Name P:p | S:s .", "s:unnamed"},
        {"P:p | T:l=Name S:s .", ""},
        {"P:p | T:l=Name . S:s", "s:unnamed"},
        {"P:p | T:l=&Name . B:b", ""},
        {"P:p | T:l=&Name . G:g", "l:nofocus(g)"},
        {"P:p | T:l=&Name | B:b . G:g", "l:nofocus(g)"},
        {"T:l=&Name F:f S:s", ""},
        {"T:l=Name S:s E:e W:w/s/e", "e:unnamed"},
        {"S:s T:l=Name E:e W:w/s/e", "e:unnamed"},
        {"T:l=&Name S:s B:b W:w/s/b", ""},
        // What is hidden or disabled takes no part.
        {"S:s!h", ""},
        {"T:l=Name!d S:s", "s:unnamed"},
        {"Z:box!h S:s .", ""},
        {"P:p!d | S:s .", ""},
        {"S:s E:e W:w/s/e!h", ""},
        // Options one after another are one group: far apart, they are
        // most likely two questions.
        {"O:a@0,0 O:b@0,25 O:c@0,50", ""},
        {"O:a@0,0 O:b@0,200", "b:far(a)"},
        {"O:a@0,0 O:b@400,0", "b:far(a)"},
        {"O:a@0,0 B:c O:b@0,200", ""},
        {"Z:box O:a@0,0 . O:b@0,200", ""},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(summary(test::design(c.design)), c.findings) << c.design;
}

TEST(KeyboardCheck, ReportLines) {
    const Design d = test::design("B:ok=&OK B:cancel=&ok S:field");
    const auto findings = checkKeyboardAccess(d);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(formatFinding("form.zrf", findings[0]),
              "form.zrf: gadget 1 \"cancel\": access key Alt+O is also used by gadget 0 \"ok\"");
    EXPECT_EQ(formatFinding("form.zrf", findings[1]),
              "form.zrf: gadget 2 \"field\": no TextGadget directly before it in tab order names "
              "it (gadget 1 \"cancel\" comes before it)");
}

TEST(KeyboardCheck, AccessKeys) {
    const std::vector<std::pair<const char*, std::optional<char>>> cases = {
        {"&File", 'f'},       {"Save &As", 'a'},    {"A&&B", std::nullopt},
        {"&&&x", 'x'},        {"x&", std::nullopt}, {"", std::nullopt},
        {"&&", std::nullopt}, {"&1", '1'},          {"&a&b", 'a'},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(accessKey(caption), key) << caption;
}

} // namespace
} // namespace zarnet::designer
