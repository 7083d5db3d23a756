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
};

// Each pass returns 1 when it went through every row and 0 when the user stopped it at a failed
// row (No or No to All). Yes to All stops the prompts for the rest of that one pass only.
// albumPrefix is albumPath + "\" + fileHeader; workPrefix the same inside the work folder.

// Sends the image, caption and thumbnail of every flagged row to the Recycle Bin and removes the
// rows. Without a flagged row it does nothing at all.
int recycleFlaggedFiles(PassContext& context, const std::string& albumPrefix);

// Moves every row's files from the album folder into the work folder; the rows stay as they are.
int moveFilesToWorkFolder(PassContext& context, const std::string& albumPrefix, const std::string& workPrefix);

// Moves every row's files back into the album folder under the number of its place in the list
// (0000, 0001, ...) and gives the row and its entry that number.
int moveFilesBackToAlbum(PassContext& context, const std::string& fileHeader, const std::string& albumPrefix,
                         const std::string& workPrefix);
