#include "app/VelmoraView.h"

#include "platform/ShellFileOps.h"
#include "ui/ImportPhotosDialog.h"
#include "update/PhotoImport.h"

// Applying the album's changes, and importing photos of other families.

void CVelmoraView::OnUpdateAlbum() {}

// The chosen photos are copied into the album at once, under the numbers after the last photo,
// and get rows at the end of the list; the next update renumbers them with the rest.
void CVelmoraView::OnImportPhotos() {
    CImportPhotosDialog dialog;
    dialog.familyId = album.familyId;
    dialog.familyName = album.familyName;
    dialog.gamePath = album.gamePath;
    dialog.shownNeighborhood = album.neighborhoodNumber;
    dialog.albumNeighborhood = album.neighborhoodNumber;
    if (dialog.runModal() != IDOK)
        return;
    ShellFileOps ops;
    ImportContext context{rows, album, settings, *this, ops, [this](bool changed) { setAlbumChanged(changed ? 1 : 0); }};
    importPhotos(context, dialog.selectedPhotos);
}
