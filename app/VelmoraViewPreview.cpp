#include "app/VelmoraView.h"

#include "framework/Text.h"
#include "framework/WaitCursor.h"
#include "ui/PreviewPainter.h"
#include "update/UpdateAlbum.h"

// The preview and the caption box follow the selected row of the album list.

void CVelmoraView::commitPendingCaption() {
    if (!captionBox || !SendMessageA(captionBox, EM_GETMODIFY, 0, 0))
        return;
    captionText = fw::windowText(captionBox);
    int selected = selectedRow();
    if (selected < 0)
        return;
    rows.entry(selected)->setCaption(captionText);
    // Stored once: later selection changes (a move passing other photos through the selected row)
    // find nothing left to store.
    SendMessageA(captionBox, EM_SETMODIFY, FALSE, 0);
}

void CVelmoraView::onAlbumSelectionChanged() {
    if (dragging || reordering)
        return;
    enableCaptionBoxForSelection();
    int selected = selectedRow();
    if (selected < 0 || rows.entry(selected) == previewedPhoto)
        return;
    refreshPreviewAndCaption();
}

// Decodes the selected row's photo and shows it with its caption. A photo that can't be decoded
// (or whose pixels the painter can't show) leaves the preview blank and can't be dragged, but its
// caption is still shown and edited in the caption box: an empty box would invite the player to
// type a new caption over the old one without knowing it. The label and the previewed number are
// set here too, so that Open Album, which calls this directly, never leaves the previous album's
// file named above the preview.
void CVelmoraView::refreshPreviewAndCaption() {
    fw::CWaitCursor wait;
    previewFailed = 0;
    int selected = selectedRow();
    if (selected < 0) {
        captionText.clear();
        previewLabel.clear();
        previewedPhoto = nullptr;
        previewImage.clear();
    } else {
        const PhotoEntry& entry = *rows.entry(selected);
        captionText = entry.caption();
        previewedPhoto = &entry;
        previewLabel = "Current Preview Image: " + entry.baseName() + ".jpg";
        if (!previewImage.load(photoPathOfRow(selected)) ||
            !isPaintablePreview(previewImage)) {
            previewImage.clear();
            previewFailed = 1;
        }
    }
    updateData(false);
    enableCaptionBoxForSelection();
    if (previewFrame) {
        RECT frame{};
        GetWindowRect(previewFrame, &frame);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&frame), 2);
        InvalidateRect(hwnd, &frame, FALSE);
    }
    UpdateWindow(hwnd);
}

std::string CVelmoraView::photoPathOfRow(int index) const {
    std::string folder = rows.row(index).inWorkFolder() ? workFolderOf(album) : album.albumPath;
    return folder + "\\" + rows.entry(index)->baseName() + ".jpg";
}

// The caption box edits the selected row's caption: with no row selected (no album, an empty one,
// or a click beside the rows) there is nothing it could edit, and typing would only mark the album
// changed for text that goes nowhere.
void CVelmoraView::enableCaptionBoxForSelection() {
    if (!captionBox)
        return;
    bool enable = selectedRow() >= 0;
    if ((IsWindowEnabled(captionBox) != FALSE) != enable)
        EnableWindow(captionBox, enable);
}

void CVelmoraView::onPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    if (previewFrame)
        paintPreviewInFrame(dc, previewFrame, previewImage);
    EndPaint(hwnd, &paint);
}
