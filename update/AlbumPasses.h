#pragma once
#include <functional>
#include <map>
#include <string>

#include "album/AlbumRows.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"
#include "update/TrackedPhoto.h"

// What the three passes over the album rows work with. Log lines are written only when logging
// is on.
struct PassContext {
    PassContext(AlbumRows& rows, FileOperations& ops, UserFeedback& feedback, bool logging,
                std::string fileHeader = std::string())
        : rows(rows), ops(ops), feedback(feedback), logging(logging), fileHeader(std::move(fileHeader)) {}

    AlbumRows& rows;
    FileOperations& ops;
    UserFeedback& feedback;
    bool logging;
    // The family's file header: the renumbering gives the rows fileHeader + the number of their place.
    std::string fileHeader;
    // Captions that could not be written and that the user chose to go on without.
    int unwrittenCaptions = 0;
    // Writes the update's journal before a step of the renumbering moves anything; false when it
    // could not, and the step must not start. Without it, no journal is kept.
    std::function<bool(const TrackedPhotos&)> recordStep;
    // The base names the rows' photos had when the renumbering began, row by row: their identities.
    std::vector<std::string> identities;
    // Photos whose files are at two places, by row: a file could neither follow the others nor
    // those that moved go back. The journal keeps their step until the recovery joins them.
    std::map<int, TrackedPhoto> splitPhotos;
};

// Each pass returns 1 when it went through every row and 0 when the user stopped it at a failed
// row (No or No to All), or when the journal could not be written. Yes to All stops the prompts for
// the rest of that one pass only.
//
// A row's files are found through its entry's base name, in the album folder (albumPath) or, for
// a row whose files a stopped update left there, in the work folder. A photo's files stay
// together: when one of them cannot follow the others, those that moved go back, so the photo is
// whole where it was, and the row says where that is.

// Sends the image, caption and thumbnail of every flagged row to the Recycle Bin and removes the
// rows. A flagged photo with a file left in the album folder keeps its row, still flagged, so that
// it is neither hidden nor forgotten. Without a flagged row it does nothing at all.
int recycleFlaggedFiles(PassContext& context, const std::string& albumPath);

// Moves every row's files from the album folder into the work folder; the rows stay in place.
int moveFilesToWorkFolder(PassContext& context, const std::string& albumPath);

// Moves every row's files back into the album folder under the number of its place in the list
// (0000, 0001, ...) and gives the row and its entry that number. Photos that stayed in the album
// folder are renamed there once their new names are free; every group of moves whose names meet no
// other photo's is recorded in the journal before it starts.
int moveFilesBackToAlbum(PassContext& context, const std::string& albumPath);

// The rows as the journal records them at rest: each photo where its row says, to get the number
// of its place in the list, or, for a split photo, with its step still under way.
TrackedPhotos trackedRows(const PassContext& context);
