#include "framework/App.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

TEST(IdleMessages, OnlyRealActivityStartsANewIdlePass) {
    struct Case {
        UINT message;
        const char* name;
        bool startsIdle;
    };
    const Case cases[] = {
        {WM_MOUSEMOVE, "mouse move", false}, {WM_NCMOUSEMOVE, "mouse move over the frame", false},
        {WM_PAINT, "paint", false},          {0x0118, "caret blink timer", false},
        {WM_KEYDOWN, "key", true},           {WM_LBUTTONDOWN, "click", true},
        {WM_COMMAND, "command", true},       {WM_TIMER, "program timer", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MSG message{};
        message.message = c.message;
        EXPECT_EQ(fw::isIdleMessage(message), c.startsIdle);
    }
}

TEST(CommandPrompts, StatusTextComesBeforeTheLineBreakAndTheToolTipAfterIt) {
    struct Case {
        const char* prompt;
        const char* status;
        const char* tip;
    };
    const Case cases[] = {
        {"Open a family photo album.\nOpen Album... (Ctrl+O)", "Open a family photo album.", "Open Album... (Ctrl+O)"},
        {"Display the index to the program's documentation.", "Display the index to the program's documentation.",
         ""},
        {"", "", ""},
        {"\nTip only", "", "Tip only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        EXPECT_EQ(fw::promptPart(c.prompt, 0), c.status);
        EXPECT_EQ(fw::promptPart(c.prompt, 1), c.tip);
    }
}
