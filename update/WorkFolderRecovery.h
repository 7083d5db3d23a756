#pragma once
#include <string>
#include <vector>

#include "album/AlbumInfo.h"
#include "album/PhotoPlace.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"
#include "update/TrackedPhoto.h"

// What bringing a family's photos back from the work folder works on.
struct RecoveryContext {
    const AlbumInfo& album;
    FileOperations& ops;
    UserFeedback& feedback;
    bool logging;
};

// A photo that stands elsewhere after the recovery than where the journal said it stood.
struct RecoveredPhoto {
    PhotoPlace before;
    PhotoPlace after;
};

struct RecoveryOutcome {
    bool found = false;  // an interrupted update of the family was found
    std::vector<RecoveredPhoto> photos;
    int stranded = 0;  // photos still in the work folder, or with files in two places
};

// Opening an album and starting an update call this first. When the work folder holds the journal
// or photos of the album's family, an update of it was stopped or cut short. The recovery depends
// only on what is on disk, the journal and the two folders, and can itself be cut short and run
// again: every move it makes is in the journal before it starts.
// - Photos being recycled go on to the Recycle Bin.
// - When photos wait in the work folder, the user chooses (with a journal) between finishing the
//   update, so that the photos get the names it planned, and putting them back into the album under
//   free numbers after its last photo; without a journal they are put back.
// - A photo whose files the cut left in two places is made whole: when finishing, at the place it
//   was going to; when putting back, beside its files in the album folder.
// - Without photos in the work folder, nothing is asked: photos are made whole in the album folder.
// Every move is logged; one that fails is put to the user, and its photo stays whole where it was.
// The journal goes last, once every photo is whole out of the work folder.
RecoveryOutcome recoverInterruptedUpdate(RecoveryContext& context);

// At the end of an update, for the photos that could not come back under their new numbers: puts
// those of photos that wait in the work folder back under free numbers after the album's last
// photo, without asking. The journal then records where every photo stands.
RecoveryOutcome putBackWaitingPhotos(RecoveryContext& context, const TrackedPhotos& photos);

// Opening an album also removes the drafts of caption files that an update cut short between
// writing a new caption and putting it in place left in the album folder; those captions were
// never applied, and the old caption files are whole.
void removeCaptionDrafts(RecoveryContext& context);

// Gives the rows of recovered photos their new places: a row is the photo's when it stood where
// the row says. Every row is matched before any is changed, as one photo's new name may be another
// one's old name.
class AlbumRows;
void applyRecoveredPhotos(AlbumRows& rows, const RecoveryOutcome& outcome);
