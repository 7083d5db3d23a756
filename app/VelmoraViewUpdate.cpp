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
    updateAlbum(context);
}

void CVelmoraView::OnImportPhotos() {}
