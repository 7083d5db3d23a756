#include "app/VelmoraView.h"

#include "album/PhotoOrdering.h"

// Dragging a row of the album list to a new place. The view holds the mouse capture from the
// list's begin-drag notification to the button release; the drag image follows the pointer over
// the whole screen.

namespace {
// Where the pointer holds the drag image.
constexpr int HotSpot = 10;
}  // namespace

void CVelmoraView::beginRowDrag(const NMLISTVIEW& notification) {
    if (previewFailed)
        return;
    // The typed caption belongs to the photo it was typed for, wherever that photo goes.
    commitPendingCaption();
    dragSourceIndex = notification.iItem;
    POINT origin{HotSpot, HotSpot};
    dragImage.attach(reinterpret_cast<HIMAGELIST>(
        SendMessageA(albumList, LVM_CREATEDRAGIMAGE, WPARAM(dragSourceIndex), reinterpret_cast<LPARAM>(&origin))));
    ImageList_BeginDrag(dragImage.get(), 0, HotSpot, HotSpot);
    // The notification's point is in the list's coordinates; the image is drawn on the desktop.
    POINT screen = notification.ptAction;
    ClientToScreen(albumList, &screen);
    ImageList_DragEnter(GetDesktopWindow(), screen.x, screen.y);

    dragging = 1;
    dropTargetIndex = -1;
    dragSourceList = albumList;
    lastWindowUnderPointer = albumList;
    SetCapture(hwnd);
}

void CVelmoraView::continueRowDrag(POINT client) {
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    ImageList_DragMove(screen.x, screen.y);
    ImageList_DragShowNolock(FALSE);

    HWND under = WindowFromPoint(screen);
    if (under != lastWindowUnderPointer && lastWindowUnderPointer == albumList) {
        clearDropHighlight(albumList);
        UpdateWindow(albumList);
    }
    lastWindowUnderPointer = under;

    if (under == albumList) {
        setDropHighlight(dropTargetIndex, false);
        LVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(albumList, &hit.pt);
        dropTargetIndex = int(SendMessageA(albumList, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));

        // Resting on the first or last visible row scrolls the list by one row.
        int top = int(SendMessageA(albumList, LVM_GETTOPINDEX, 0, 0));
        int last = top + int(SendMessageA(albumList, LVM_GETCOUNTPERPAGE, 0, 0)) - 1;
        if (dropTargetIndex == top && top != 0) {
            SendMessageA(albumList, LVM_ENSUREVISIBLE, WPARAM(top - 1), FALSE);
            UpdateWindow(albumList);
        } else if (dropTargetIndex == last && last != rows.count() - 1) {
            SendMessageA(albumList, LVM_ENSUREVISIBLE, WPARAM(last + 1), FALSE);
            UpdateWindow(albumList);
        }
        // Below the last row every row lights up: the photo would go to the end.
        setDropHighlight(dropTargetIndex, true);
        UpdateWindow(albumList);
    }
    ImageList_DragShowNolock(TRUE);
}

void CVelmoraView::dropDraggedRow(POINT client) {
    int target = dropTargetIndex;
    endRowDrag();
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    HWND under = WindowFromPoint(screen);
    if (under != albumList)
        return;
    dropList = under;
    if (dropList != dragSourceList) {
        setDropHighlight(-1, false);
        UpdateWindow(dropList);
        return;
    }
    int landed = dropRow(rows, dragSourceIndex, target);
    if (landed < 0)
        return;
    setAlbumChanged(1);
    selectRow(landed);
}

// Ends the drag without moving anything: the button came up, or another window took the mouse.
// The highlight goes too, so that no row stays lit after the drag.
void CVelmoraView::endRowDrag() {
    dragging = 0;
    // Releasing the capture reports the change back to this view; dragging is already 0 then.
    if (GetCapture() == hwnd)
        ReleaseCapture();
    ImageList_DragLeave(GetDesktopWindow());
    ImageList_EndDrag();
    dragImage.reset();
    clearDropHighlight(albumList);
    UpdateWindow(albumList);
}

void CVelmoraView::clearDropHighlight(HWND list) {
    if (list != albumList)
        return;
    setDropHighlight(dropTargetIndex, false);
    dropTargetIndex = -1;
}
