#include "app/CommandAvailability.h"

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"

namespace {

struct Expected {
    int command;
    const char* name;
    bool enabled;
};

void expectStates(const CommandContext& context, std::initializer_list<Expected> table) {
    for (const Expected& expected : table) {
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(commandEnabled(expected.command, context), expected.enabled);
    }
}

CommandContext rowsWithSelection(int rows, int selected, bool browser = false) {
    return CommandContext{rows, selected, browser};
}

}  // namespace

TEST(CommandAvailability, WithoutAlbumOnlyTheAlwaysCommandsAreEnabled) {
    expectStates(CommandContext{},
                 {{ID_FILE_OPEN_ALBUM, "Open Album", true},
                  {ID_FILE_UPDATE_ALBUM, "Update Album", false},
                  {ID_FILE_VIEW_HTML, "View HTML Pages", false},
                  {ID_APP_EXIT, "Exit", true},
                  {ID_MOVE_TOP, "Top of List", false},
                  {ID_MOVE_UP, "Up One", false},
                  {ID_MOVE_DOWN, "Down One", false},
                  {ID_MOVE_BOTTOM, "Bottom of List", false},
                  {ID_TOOLS_IMPORT_PHOTOS, "Import Photos", false},
                  {ID_TOOLS_TOGGLE_DELETE, "Toggle Delete Flag", false},
                  {ID_TOOLS_OPEN_FOLDER, "Open Neighborhood Folder", true},
                  {ID_TOOLS_OPTIONS, "Options", true},
                  {ID_HELP_CONTENTS, "Help Contents", true},
                  {ID_HELP_INDEX, "Help Contents by F1", true},
                  {ID_APP_ABOUT, "About", true}});
}

TEST(CommandAvailability, MovesFollowThePlaceOfTheSelectedRow) {
    struct Case {
        const char* name;
        CommandContext context;
        bool upwards;    // Top of List, Up One
        bool downwards;  // Down One, Bottom of List
        bool toggle;
    };
    const Case cases[] = {
        {"rows, none selected", rowsWithSelection(5, -1), false, false, false},
        {"first of five", rowsWithSelection(5, 0), false, true, true},
        {"middle of five", rowsWithSelection(5, 2), true, true, true},
        {"last of five", rowsWithSelection(5, 4), true, false, true},
        {"the only row", rowsWithSelection(1, 0), false, false, true},
        {"selection beyond the rows", rowsWithSelection(2, 2), false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(commandEnabled(ID_MOVE_TOP, c.context), c.upwards);
        EXPECT_EQ(commandEnabled(ID_MOVE_UP, c.context), c.upwards);
        EXPECT_EQ(commandEnabled(ID_MOVE_DOWN, c.context), c.downwards);
        EXPECT_EQ(commandEnabled(ID_MOVE_BOTTOM, c.context), c.downwards);
        EXPECT_EQ(commandEnabled(ID_TOOLS_TOGGLE_DELETE, c.context), c.toggle);
    }
}

TEST(CommandAvailability, AlbumCommandsNeedRowsAndViewHtmlNeedsNoOpenBrowser) {
    expectStates(rowsWithSelection(1, -1), {{ID_FILE_UPDATE_ALBUM, "Update Album", true},
                                            {ID_TOOLS_IMPORT_PHOTOS, "Import Photos", true},
                                            {ID_FILE_VIEW_HTML, "View HTML Pages", true}});
    expectStates(rowsWithSelection(3, 1, true), {{ID_FILE_UPDATE_ALBUM, "Update Album", true},
                                                 {ID_FILE_VIEW_HTML, "View HTML Pages with a browser open", false}});
}

TEST(CommandAvailability, UnknownCommandsAreDisabled) {
    EXPECT_FALSE(commandEnabled(0, CommandContext{}));
    EXPECT_FALSE(commandEnabled(ID_INDICATOR_PHOTOS, rowsWithSelection(3, 1)));
}

// The states F12 now leads to: a browser window the program holds disables View HTML Pages and
// nothing else; a page handed to the default browser leaves nothing held.
TEST(CommandAvailability, ViewHtmlPagesWaitsForTheHeldBrowserWindowToClose) {
    struct Case {
        const char* name;
        CommandContext context;
        bool viewHtml;
    };
    const Case cases[] = {
        {"album open, nothing held (or the page went to the default browser)", rowsWithSelection(8, 0), true},
        {"browser window held", rowsWithSelection(8, 0, true), false},
        {"browser window held, no row selected", rowsWithSelection(8, -1, true), false},
        {"browser window held, every photo deleted by an update", rowsWithSelection(0, -1, true), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(commandEnabled(ID_FILE_VIEW_HTML, c.context), c.viewHtml);
        const bool hasRows = c.context.rowCount >= 1;
        EXPECT_EQ(commandEnabled(ID_FILE_UPDATE_ALBUM, c.context), hasRows);
        EXPECT_EQ(commandEnabled(ID_TOOLS_IMPORT_PHOTOS, c.context), hasRows);
        EXPECT_TRUE(commandEnabled(ID_FILE_OPEN_ALBUM, c.context));
        EXPECT_EQ(commandEnabled(ID_TOOLS_TOGGLE_DELETE, c.context), c.context.selectedRow >= 0 && hasRows);
    }
}
