#include "app/VelmoraView.h"

#include "platform/ShellFileOps.h"
#include "ui/ImportPhotosDialog.h"
#include "update/PhotoImport.h"
#include "update/UpdateAlbum.h"
#include "web/ScrapbookGenerator.h"

// Applying the album's changes, and importing photos of other families.

// Update Album: the rows, the album and the settings of the view, the view to tell the user, and
// one ShellFileOps for the whole run, the page generation included.
void CVelmoraView::OnUpdateAlbum() {
    ShellFileOps fileOps;
    UpdateContext context{rows,
                          album,
                          settings,
                          *this,
                          fileOps,
                          [this] { commitPendingCaption(); },
                          [this](bool changed) { setAlbumChanged(changed ? 1 : 0); },
                          [this, &fileOps](const std::string& albumPrefix) {
                              GenerateHTML(albumPrefix, ScrapbookContext{rows, album, settings, *this, fileOps});
                          }};
    // The run removes and renumbers rows: the preview and the caption box are made to show the
    // selected row's photo as it is now, so that a number that has passed to another photo does
    // not keep showing, and taking captions for, the photo it named before.
    if (updateAlbum(context) != UpdateOutcome::Declined)
        refreshPreviewAndCaption();
}

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
