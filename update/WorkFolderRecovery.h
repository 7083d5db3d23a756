#pragma once
#include <string>
#include <vector>

#include "album/AlbumInfo.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"

// What bringing a family's photos back from the work folder works on.
struct RecoveryContext {
    const AlbumInfo& album;
    FileOperations& ops;
    UserFeedback& feedback;
    bool logging;
};

// A photo whose files changed place or name while it was brought back.
struct RecoveredPhoto {
    std::string oldBaseName;
    bool wasInWorkFolder = false;
    std::string newBaseName;
    bool inWorkFolder = false;  // it could not be brought back
};

struct RecoveryOutcome {
    bool found = false;  // the work folder held photos of the family
    std::vector<RecoveredPhoto> photos;
    int stranded = 0;  // photos still in the work folder
};

// Opening an album and starting an update call this first. When the work folder holds photos of
// the album's family, an update of it was stopped or cut short: with its journal the user chooses
// between finishing that update (the photos get the numbers it planned) and putting the photos
// back into the album under free numbers after its last photo; without a journal they are put
// back. A photo split between the two folders goes back beside its other files. Every move is
// logged; a photo that cannot be brought back is put to the user and stays in the work folder.
// Also removes drafts of caption files that a cut-short update left in the album folder.
RecoveryOutcome recoverInterruptedUpdate(RecoveryContext& context);

// At the end of an update, for photos that could not come back under their new numbers: puts them
// back under free numbers after the last photo, without asking.
RecoveryOutcome putBackStrandedPhotos(RecoveryContext& context);

// Gives the rows of recovered photos their new names and places: a row is the photo's when its
// entry bears the photo's old base name and it was where the row says its files are.
class AlbumRows;
void applyRecoveredPhotos(AlbumRows& rows, const RecoveryOutcome& outcome);

// Once no photo of the family is left in the work folder, removes the family's journal and returns
// true; while one is, removes nothing and returns false.
bool removeFinishedJournal(RecoveryContext& context);

// removeFinishedJournal, then the work folder itself when it is empty.
void removeFinishedWorkFolder(RecoveryContext& context);
