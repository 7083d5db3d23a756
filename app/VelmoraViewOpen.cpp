#include "app/VelmoraView.h"

#include "album/AlbumLoader.h"
#include "platform/ShellFileOps.h"
#include "update/WorkFolderRecovery.h"
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

// Photos of the family that a stopped or cut-short update left in the work folder are brought back
// before the album is read, so that the list shows every photo where it now is.
void CVelmoraView::loadAlbumContents() {
    ShellFileOps ops;
    RecoveryContext recovery{album, ops, *this, settings.enableLogging != 0};
    recoverInterruptedUpdate(recovery);
    album.lastPhotoNumber =
        loadAlbumRows(album.albumPath, album.fileHeader, settings.enableLogging != 0, rows, *this);
    // Selecting the first row shows its photo and caption through the selection refresh.
    if (!rows.empty())
        selectRow(0);
    updateData(false);
}
