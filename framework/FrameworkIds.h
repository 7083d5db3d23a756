#pragma once
#include <windows.h>

// Identifiers and private messages of the framework, with the numbers the Windows application
// framework our resources were laid out for uses, so that the resource script can name them.
namespace fw {

// The frame's child windows.
inline constexpr int ToolBarId = 0xE800;
inline constexpr int StatusBarId = 0xE801;
inline constexpr int FirstPaneId = 0xE900;

// Strings every program has: its title (which also names its settings key) and the idle text of
// the status bar.
inline constexpr int AppTitleString = 57344;
inline constexpr int IdleMessageString = 57345;

// Exit, which every frame handles by closing itself.
inline constexpr int AppExitCommand = 57665;

// Custom resource type of toolbar layouts: WORD version (1), button width, button height, count,
// then one command identifier per button, 0 for a separator.
inline constexpr WORD ToolBarResourceType = 241;

// Sets the frame's message pane: wParam is a string resource (the text before its line break is
// shown), or 0 with lParam pointing at the text itself.
inline constexpr UINT SetMessageString = 0x0362;

}  // namespace fw
