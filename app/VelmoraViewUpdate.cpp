#include "app/VelmoraView.h"

#include "platform/ShellFileOps.h"
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

void CVelmoraView::OnImportPhotos() {}
