#pragma once

// What the enable rules of the main window's commands look at.
struct CommandContext {
    int rowCount = 0;
    int selectedRow = -1;          // -1 when no row is selected
    bool browserAttached = false;  // a browser window opened by View HTML Pages is still open
};

// Whether a command of the main window is enabled. The menu, the toolbar and the accelerators all
// ask this; a command the program doesn't know is disabled.
bool commandEnabled(int command, const CommandContext& context);
