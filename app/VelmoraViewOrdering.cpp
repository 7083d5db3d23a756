#include "app/VelmoraView.h"

#include "album/PhotoOrdering.h"

// The album list's move and delete-flag commands.

// A caption typed for the selected photo is stored before anything moves: the moves exchange row
// contents before the selection follows the photo, and a commit in between would give the text to
// whichever photo passed through the selected row. While reordering is set, the selection changes
// of the move don't reload the preview, which keeps showing the moved photo.
void CVelmoraView::moveSelectedRow(int (*move)(AlbumRows& rows, int selected)) {
    commitPendingCaption();
    setAlbumChanged(1);
    reordering = 1;
    int landed = move(rows, selectedRow());
    if (landed >= 0)
        selectRow(landed);
    reordering = 0;
}

void CVelmoraView::OnMoveTop() { moveSelectedRow(moveToTop); }

void CVelmoraView::OnMoveUp() { moveSelectedRow(moveUpOne); }

void CVelmoraView::OnMoveDown() { moveSelectedRow(moveDownOne); }

void CVelmoraView::OnMoveBottom() { moveSelectedRow(moveToBottom); }

void CVelmoraView::OnToggleDeleteFlag() {
    int selected = selectedRow();
    if (selected < 0)
        return;
    setAlbumChanged(1);
    toggleDeleteFlag(rows, selected);
}
