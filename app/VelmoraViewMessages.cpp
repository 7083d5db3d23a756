#include "app/VelmoraView.h"

#include <windowsx.h>

// The album list's notifications and the view's own messages: painting the preview and the mouse
// while a row is dragged.

bool CVelmoraView::onNotify(NMHDR& header, LRESULT& result) {
    if (!albumList || header.hwndFrom != albumList)
        return false;
    switch (header.code) {
    case LVN_ITEMCHANGING:
        // The row selected now is the photo the caption box shows; the change is always allowed.
        commitPendingCaption();
        result = FALSE;
        return true;
    case LVN_ITEMCHANGED:
        onAlbumSelectionChanged();
        return true;
    case LVN_KEYDOWN:
        if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            OnToggleDeleteFlag();
        result = 0;
        return true;
    case LVN_BEGINDRAG:
        beginRowDrag(reinterpret_cast<NMLISTVIEW&>(header));
        return true;
    default:
        return false;
    }
}

INT_PTR CVelmoraView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT pointer{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        onPaint();
        return TRUE;
    case WM_MOUSEMOVE:
        if (dragging)
            continueRowDrag(pointer);
        break;
    case WM_LBUTTONUP:
        if (dragging)
            dropDraggedRow(pointer);
        break;
    case WM_CAPTURECHANGED:
        if (dragging && reinterpret_cast<HWND>(lParam) != hwnd)
            endRowDrag();
        break;
    }
    return fw::CFormView::handleMessage(message, wParam, lParam);
}
