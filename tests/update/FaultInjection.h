#pragma once
#include <string>
#include <vector>

#include "tests/support/TestTrash.h"
#include "tests/update/TestAlbum.h"

// The album of the fault-injection tests: eight photos, three flagged, some without thumbnail or
// caption file, reordered and re-captioned by the user before the update.
std::vector<TestPhoto> faultTestPhotos();
// The list order after the user's edits (flagged rows marked "*"), and the kept photos in it.
std::vector<std::string> editedOrder();
std::vector<std::string> keptOrder();
void editForUpdate(TestAlbum& album);
std::string newCaptionOf(const TestAlbum& album, const std::string& number);

// The photo (its original number) a row stands for, told by its caption: the edits give every
// kept photo a caption that names it, and every flagged photo keeps its own.
std::string photoOfRow(const TestAlbum& album, int row);

// Nothing lost or hidden: every photo's image, caption and thumbnail exist exactly once, the ones
// that are not in the Trash together under one base name of the family in one folder (the album
// folder, or the work folder where the state allows), never under a " (n)" name; only flagged
// photos have files in the Trash; no other file of the album is anywhere. A kept photo's caption
// file may hold its new caption or its old one.
enum class WorkFolder {
    Empty,     // a run that ended, or an album opened again: no photo is in the work folder
    Allowed,   // a run that stopped amid its moves: whole photos may wait in the work folder
    MidPhoto,  // a process ended between two files of one photo: they may be in both folders
};
void expectEveryPhotoWhole(const TestAlbum& album, const TestTrash& trash, WorkFolder workFolder);

// Nothing swapped: every row's files, where the row says they are, are the bytes of the photo the
// row stands for (a caption file holds that photo's old or new caption).
void expectRowsHoldTheirPhotos(const TestAlbum& album);

// After a run that applied everything: the rows are the kept photos in list order numbered from
// 0000, each one's files under its new name with its new caption.
void expectUpdateApplied(const TestAlbum& album);

// Opening the album again: what an interrupted update left in the work folder comes back (the
// update finished, or the photos put back, as answered), then the album is loaded into its rows.
void openAgain(TestAlbum& album, bool finish);

// Whether a file of the album's family is in the work folder.
bool photosInWorkFolder(const TestAlbum& album);

// The photo whose image a loaded row's file holds.
std::string photoOfLoadedRow(const TestAlbum& album, int row);

// After a stop and opening again: every photo whole in the album folder (or, flagged, in the
// Trash), every kept photo listed, no work folder; a finished update gives the order the user made.
void expectAlbumWholeAfterOpening(const TestAlbum& album, const TestTrash& trash, bool finished);
