#pragma once
#include <windows.h>

#include <string>

// Mouse drags and what a list view shows of them, for the album list's drag-and-drop tests.
namespace gui {

// The left button at a point. Each event carries its own position: under Wine a pointer move sent
// just before can still be overtaken by an older one from the X server.
void mouseButtonDown(POINT screen);
void mouseButtonUp(POINT screen);
// Moves the pointer while the button is held. Unlike moveMouseTo it doesn't set the cursor
// position directly, which under Wine waits about a second while another program holds the mouse
// capture.
void moveHeldMouseTo(POINT screen);
// A click whose press and release both carry the position.
void clickExactly(POINT screen);
// Presses the left button at from and moves in steps (past the system's drag threshold) to to,
// keeping the button down.
void beginMouseDrag(POINT from, POINT to);
// A whole drag: beginMouseDrag, then the release at to.
void dragMouse(POINT from, POINT to);

// A list view row's state bits (LVIS_SELECTED, LVIS_DROPHILITED, ...) and its bounds on the screen.
UINT listItemState(HWND list, int item, UINT mask);
RECT listItemBounds(HANDLE process, HWND list, int item);

// The colour of a pixel on the screen.
COLORREF screenPixel(POINT screen);

}  // namespace gui
