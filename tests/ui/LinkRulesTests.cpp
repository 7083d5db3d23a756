#include "ui/LinkRules.h"

#include <gtest/gtest.h>

namespace {
const hyperlink::Colors AboutBoxColors{0xFF0000, 0x808040, 0xFF0000, 0x0000FF};
const hyperlink::Colors DistinctColors{1, 2, 3, 4};
}  // namespace

TEST(LinkTextColor, FollowsStateAndStyleInOrderOfPrecedence) {
    const unsigned aboutStyle = hyperlink::DefaultStyle | hyperlink::HoverColor | hyperlink::NoActiveColor;
    struct Case {
        const char* name;
        hyperlink::State state;
        unsigned style;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"plain", {}, hyperlink::DefaultStyle, 1},
        {"visited", {false, false, true}, hyperlink::DefaultStyle, 3},
        {"active beats visited", {true, false, true}, hyperlink::DefaultStyle, 2},
        {"hover without the hover style", {false, true, false}, hyperlink::DefaultStyle, 1},
        {"hover beats active", {true, true, true}, hyperlink::DefaultStyle | hyperlink::HoverColor, 4},
        {"no active colour falls to visited", {true, false, true}, hyperlink::DefaultStyle | hyperlink::NoActiveColor, 3},
        {"no active colour falls to link", {true, false, false}, aboutStyle, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hyperlink::textColor(c.state, c.style, DistinctColors), c.expected);
    }
}

// With the About box's colours a visited link looks like a fresh one and only hovering shows red.
TEST(LinkTextColor, AboutBoxLinksTurnRedOnlyWhileHovered) {
    const unsigned aboutStyle = hyperlink::DefaultStyle | hyperlink::HoverColor | hyperlink::NoActiveColor;
    EXPECT_EQ(hyperlink::textColor({true, false, true}, aboutStyle, AboutBoxColors), 0xFF0000u);
    EXPECT_EQ(hyperlink::textColor({false, true, true}, aboutStyle, AboutBoxColors), 0x0000FFu);
}

TEST(LinkFallbackCommandLine, CutsThePlaceholderAndAppendsTheTarget) {
    struct Case {
        const char* registered;
        const char* expected;
    };
    const Case cases[] = {
        // A space before the quoted placeholder stays, so two spaces precede the target.
        {"\"C:\\Browser\\browser.exe\" -nohome \"%1\"", "\"C:\\Browser\\browser.exe\" -nohome  https://h.example"},
        {"C:\\browser.exe %1 -new", "C:\\browser.exe  https://h.example"},
        {"C:\\browser.exe", "C:\\browser.exe https://h.example"},
        {"", " https://h.example"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registered);
        EXPECT_EQ(hyperlink::fallbackCommandLine(c.registered, "https://h.example"), c.expected);
    }
}

TEST(LinkOpenFailureReason, NamesKnownCodesAndNumbersOthers) {
    EXPECT_EQ(hyperlink::openFailureReason(2), "The specified file was not found.");
    EXPECT_EQ(hyperlink::openFailureReason(26), "A sharing violation occurred. ");
    EXPECT_EQ(hyperlink::openFailureReason(31), "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(hyperlink::openFailureReason(4), "Unknown Error (4) occurred.");
    EXPECT_EQ(hyperlink::openFailureReason(-7), "Unknown Error (-7) occurred.");
}
