#include "app/VelmoraView.h"

#include "album/AlbumLoader.h"
#include "ui/OpenAlbumDlg.h"

// Opening an album: the Open Photo Album dialog, loading the album's files into the rows, and the
// preview of the selected row.

bool CVelmoraView::chooseAlbum(int& neighborhood, std::string& familyName, std::string& familyId,
                               std::string& familyLot) {
    COpenAlbumDlg dialog;
    dialog.gamePath = album.gamePath;
    dialog.neighborhoodNumber = neighborhood;
    if (dialog.runModal() != IDOK)
        return false;
    neighborhood = dialog.neighborhoodNumber;
    familyName = dialog.familyName;
    familyId = dialog.familyId;
    familyLot = dialog.familyLot;
    return true;
}

void CVelmoraView::loadAlbumContents() {
    album.lastPhotoNumber =
        loadAlbumRows(album.albumPath, album.fileHeader, settings.enableLogging != 0, rows, *this);
    // Selecting the first row shows its photo and caption through the selection refresh.
    if (!rows.empty())
        selectRow(0);
    updateData(false);
}
