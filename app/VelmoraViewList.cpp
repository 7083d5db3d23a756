#include "app/VelmoraView.h"

#include <commctrl.h>

#include "res/resource.h"

// One centred column as wide as the list less a vertical scroll bar, whole-row selection, and the
// two row images: 0 flagged for deletion, 1 kept.
void CVelmoraView::setUpAlbumList() {
    RECT client{};
    GetClientRect(albumList, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_CENTER;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    char heading[] = "Photos";
    column.pszText = heading;
    SendMessageA(albumList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageA(albumList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    if (rowImages.create(16, 16, ILC_COLOR4 | ILC_MASK, 2, 2)) {
        rowImages.addIcon(IDI_ROW_FLAGGED, 16);
        rowImages.addIcon(IDI_ROW_KEPT, 16);
        // The list is created with LVS_SHAREIMAGELISTS: the view keeps owning the images.
        SendMessageA(albumList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowImages.get()));
    }
}

int CVelmoraView::selectedRow() const {
    if (!albumList)
        return -1;
    return int(SendMessageA(albumList, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void CVelmoraView::showRow(int index, bool inserting) {
    LVITEMA listItem{};
    listItem.mask = LVIF_TEXT | LVIF_IMAGE;
    listItem.iItem = index;
    listItem.pszText = const_cast<char*>(rows.text(index).c_str());
    listItem.iImage = rows.image(index);
    SendMessageA(albumList, inserting ? LVM_INSERTITEMA : LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&listItem));
}

void CVelmoraView::rowsReset() {
    if (!albumList)
        return;
    SendMessageA(albumList, LVM_DELETEALLITEMS, 0, 0);
    for (int index = 0; index < rows.count(); ++index)
        showRow(index, true);
    enableCaptionBoxForSelection();
}

void CVelmoraView::rowInserted(int index) {
    if (albumList)
        showRow(index, true);
}

void CVelmoraView::rowRemoved(int index) {
    if (albumList)
        SendMessageA(albumList, LVM_DELETEITEM, WPARAM(index), 0);
}

void CVelmoraView::rowChanged(int index) {
    if (albumList)
        showRow(index, false);
}

void CVelmoraView::selectRow(int index) {
    int previous = selectedRow();
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (previous >= 0 && previous != index)
        SendMessageA(albumList, LVM_SETITEMSTATE, WPARAM(previous), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(albumList, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
    SendMessageA(albumList, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
}

// Index -1 sets or clears the drop highlight of every row.
void CVelmoraView::setDropHighlight(int index, bool on) {
    if (!albumList || rows.empty())
        return;
    LVITEMA state{};
    state.stateMask = LVIS_DROPHILITED;
    state.state = on ? LVIS_DROPHILITED : 0;
    SendMessageA(albumList, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
    if (index < 0)
        SendMessageA(albumList, LVM_REDRAWITEMS, 0, rows.count() - 1);
    else
        SendMessageA(albumList, LVM_REDRAWITEMS, WPARAM(index), index);
}
