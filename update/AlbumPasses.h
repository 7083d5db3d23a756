#pragma once
#include <string>

#include "album/AlbumRows.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"

// What the three passes over the album rows work with. Log lines are written only when logging
// is on.
struct PassContext {
    AlbumRows& rows;
    FileOperations& ops;
    UserFeedback& feedback;
    bool logging;
    // Captions that could not be written and that the user chose to go on without.
    int unwrittenCaptions = 0;
};

// Each pass returns 1 when it went through every row and 0 when the user stopped it at a failed
// row (No or No to All). Yes to All stops the prompts for the rest of that one pass only.
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
int moveFilesToWorkFolder(PassContext& context, const std::string& albumPath, const std::string& workFolder);

// Moves every row's files back into the album folder under the number of its place in the list
// (0000, 0001, ...) and gives the row and its entry that number. Rows whose files could not go
// out are renumbered first, so that the names they hold are free before the others come back.
int moveFilesBackToAlbum(PassContext& context, const std::string& fileHeader, const std::string& albumPath,
                         const std::string& workFolder);

// The results of moving one photo's files from one base path to another.
struct PhotoMoveResults {
    int image = 0, caption = 0, thumbnail = 0;
    bool imageMoved = false, captionMoved = false, thumbnailMoved = false;
    bool hasThumbnail = false;
    bool failed() const { return image || caption || thumbnail; }
};

// After a photo's files were moved from `from` to `to` (base paths, without suffix): when a file
// that still exists stayed behind while others moved, the ones that moved go back (logged as
// "Restoring"), so that the photo is whole at `from` again. True when the photo is whole at `to`.
bool keepPhotoWhole(FileOperations& ops, bool logging, const std::string& from, const std::string& to,
                    const PhotoMoveResults& results);
