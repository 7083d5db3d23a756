#include "update/AlbumPasses.h"

#include <vector>

#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "update/PassPrompt.h"
#include "update/PhotoFiles.h"

namespace {
const char* const FailedRowIntro = "associated with the following album entry:\r\n\r\n";

void logMessage(bool logging, const std::string& text) {
    if (logging)
        eventLog.writeMessage(text);
}

std::string resultText(int result) { return " --- Result (" + std::to_string(result) + ")"; }

std::string recycleFailure(const std::string& rowText) {
    return std::string("An error was encountered while trying to recycle the files\r\n") + FailedRowIntro + rowText +
           "\r\n\r\n" +
           "This error may occur with other files that are flagged for\r\nremoval. Would you like to attempt to "
           "continue recycling?";
}

std::string moveOutFailure(const std::string& rowText) {
    return std::string("An error was encountered while trying to move the files\r\n") + FailedRowIntro + rowText +
           "\r\n\r\n" +
           "This error may occur with other files that are flagged for\r\nremoval. Would you like to attempt to "
           "continue moving?";
}

std::string moveBackFailure(const std::string& rowText) {
    return std::string("An error was encountered while trying to move the files\r\n") + FailedRowIntro + rowText +
           "\r\n\r\n" +
           "At this point, there may be problems in the changes that\r\nwere made to the current photo album. The "
           "program help\r\nfile has more information on this error. Would you like\r\nto continue?";
}

int flaggedCount(const AlbumRows& rows) {
    int count = 0;
    for (int i = 0; i < rows.count(); ++i)
        count += rows.row(i).flagged();
    return count;
}

std::string filesOf(const std::string& folder, const PhotoEntry& entry) { return folder + "\\" + entry.baseName(); }

// A flagged photo that could not be recycled completely takes part in the moves with the files it
// has left; the others are in the Recycle Bin, not missing.
int moveUnlessRecycled(PassContext& context, bool flagged, const std::string& from, const std::string& to,
                       bool& moved) {
    if (flagged && !context.ops.exists(from))
        return 0;
    int result = context.ops.move(from, to);
    moved = result == 0;
    return result;
}

// A photo's thumbnail is optional. Moving it straight away costs one look at the disk where asking
// first whether it is there would cost two; a thumbnail that is not there is not moved (2, file not
// found) and leaves no trace. True when there was a thumbnail; result is the move's result.
bool moveThumbnailIfAny(FileOperations& ops, const std::string& from, const std::string& to, int& result) {
    result = ops.move(from + ThumbnailSuffix, to + ThumbnailSuffix);
    if (result == ResultFileNotFound) {
        result = 0;
        return false;
    }
    return true;
}

// Moves a photo's image, caption and, when it has one, thumbnail from one base path to another.
PhotoMoveResults movePhotoFiles(PassContext& context, bool flagged, const std::string& from, const std::string& to) {
    PhotoMoveResults results;
    results.image = moveUnlessRecycled(context, flagged, from + ".jpg", to + ".jpg", results.imageMoved);
    results.caption = moveUnlessRecycled(context, flagged, from + ".txt", to + ".txt", results.captionMoved);
    results.hasThumbnail = moveThumbnailIfAny(context.ops, from, to, results.thumbnail);
    results.thumbnailMoved = results.hasThumbnail && results.thumbnail == 0;
    return results;
}

bool anyFileLeft(FileOperations& ops, const std::string& base) {
    for (const char* suffix : PhotoFileSuffixes)
        if (ops.exists(base + suffix))
            return true;
    return false;
}
}  // namespace

bool keepPhotoWhole(FileOperations& ops, bool logging, const std::string& from, const std::string& to,
                    const PhotoMoveResults& results) {
    struct File {
        const char* suffix;
        int result;
        bool moved;
    } files[] = {{ImageSuffix, results.image, results.imageMoved},
                 {CaptionSuffix, results.caption, results.captionMoved},
                 {ThumbnailSuffix, results.thumbnail, results.thumbnailMoved}};
    bool stayedBehind = false;
    for (const File& file : files)
        stayedBehind = stayedBehind || (file.result != 0 && ops.exists(from + file.suffix));
    if (!stayedBehind)
        return true;
    for (const File& file : files) {
        if (!file.moved)
            continue;
        int result = ops.move(to + file.suffix, from + file.suffix);
        logMessage(logging, "Restoring " + from + file.suffix + resultText(result));
    }
    return false;
}

// Flagged photos go to the Recycle Bin before anything is renumbered, so they never take part in
// the renumbering. The walk keeps its index after removing a row: the next row has moved up.
int recycleFlaggedFiles(PassContext& context, const std::string& albumPath) {
    int flagged = flaggedCount(context.rows);
    if (flagged == 0)
        return 1;
    context.feedback.setProgressPosition(0);
    context.feedback.setProgressRange(0, flagged);
    context.feedback.setProgressStep(1);
    context.feedback.setStatusText("Applying Changes: Recycling flagged files...");

    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count();) {
        if (!context.rows.row(i).flagged()) {
            ++i;
            continue;
        }
        std::string rowText = context.rows.text(i);
        std::string base = filesOf(albumPath, *context.rows.entry(i));
        int imageResult = context.ops.remove(base + ".jpg", false);
        int captionResult = context.ops.remove(base + ".txt", false);
        bool thumbnail = context.ops.exists(base + "_thumb.jpg");
        int thumbnailResult = thumbnail ? context.ops.remove(base + "_thumb.jpg", false) : 0;
        if (context.logging) {
            std::vector<std::string> lines = {"Recycling " + base + ".jpg" + resultText(imageResult),
                                              "Recycling " + base + ".txt" + resultText(captionResult)};
            if (thumbnail)
                lines.push_back("Recycling " + base + "_thumb.jpg" + resultText(thumbnailResult));
            eventLog.writeMessages(lines);
        }
        bool failed = imageResult || captionResult || thumbnailResult;
        // The row goes when nothing of its photo is left in the album folder, also when the user
        // stops here; a photo with a file left keeps its row.
        bool rowStays = failed && anyFileLeft(context.ops, base);
        if (!rowStays)
            context.rows.remove(i);
        if (failed && !prompt.goOn(recycleFailure(rowText)))
            return 0;
        if (rowStays)
            ++i;
        context.feedback.stepProgress();
    }
    return 1;
}

int moveFilesToWorkFolder(PassContext& context, const std::string& albumPath, const std::string& workFolder) {
    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count(); ++i) {
        const PhotoEntry& entry = *context.rows.entry(i);
        bool flagged = context.rows.row(i).flagged();
        std::string from = filesOf(albumPath, entry), to = filesOf(workFolder, entry);
        PhotoMoveResults results = movePhotoFiles(context, flagged, from, to);
        if (context.logging) {
            std::vector<std::string> lines = {"Moving " + from + ".jpg to work folder" + resultText(results.image),
                                              "Moving " + from + ".txt to work folder" + resultText(results.caption)};
            if (results.hasThumbnail)
                lines.push_back("Moving " + from + "_thumb.jpg to work folder" + resultText(results.thumbnail));
            eventLog.writeMessages(lines);
        }
        if (results.failed()) {
            context.rows.setInWorkFolder(i, keepPhotoWhole(context.ops, context.logging, from, to, results));
            if (!prompt.goOn(moveOutFailure(context.rows.text(i))))
                return 0;
        } else {
            context.rows.setInWorkFolder(i, true);
        }
        context.feedback.stepProgress();
    }
    return 1;
}

// Every row's files are out of the album folder before this pass starts, so no new number can
// meet a file that still waits for its own move. Rows whose files could not go out come first:
// their new numbers are free, and the names they free may be the new numbers of others.
int moveFilesBackToAlbum(PassContext& context, const std::string& fileHeader, const std::string& albumPath,
                         const std::string& workFolder) {
    std::vector<int> order;  // the pass moves no row, so indices stay valid
    for (bool outside : {false, true})
        for (int i = 0; i < context.rows.count(); ++i)
            if (context.rows.row(i).inWorkFolder == outside)
                order.push_back(i);

    PassPrompt prompt(context.feedback);
    for (int i : order) {
        PhotoEntry* entry = context.rows.entry(i);
        std::string rowText = context.rows.text(i);
        std::string newNumber = photoNumberText(i);
        bool inWorkFolder = context.rows.row(i).inWorkFolder;
        bool flagged = context.rows.row(i).flagged();
        if (!inWorkFolder && entry->baseName() == fileHeader + newNumber) {
            context.rows.setText(i, newNumber);  // already where it belongs
            context.feedback.stepProgress();
            continue;
        }
        std::string from = filesOf(inWorkFolder ? workFolder : albumPath, *entry);
        std::string to = albumPath + "\\" + fileHeader + newNumber;
        PhotoMoveResults results = movePhotoFiles(context, flagged, from, to);
        if (context.logging) {
            std::vector<std::string> lines = {"Renaming " + from + ".jpg to " + to + ".jpg",
                                              "Renaming " + from + ".txt to " + to + ".txt",
                                              "Moving " + to + ".jpg back to album" + resultText(results.image),
                                              "Moving " + to + ".txt back to album" + resultText(results.caption)};
            if (results.hasThumbnail) {
                lines.push_back("Renaming " + from + "_thumb.jpg to " + to + "_thumb.jpg");
                lines.push_back("Moving " + to + "_thumb.jpg back to album" + resultText(results.thumbnail));
            }
            eventLog.writeMessages(lines);
        }
        // The row follows its files, whatever the user answers next.
        if (!results.failed() || keepPhotoWhole(context.ops, context.logging, from, to, results)) {
            entry->setBaseName(fileHeader + newNumber);
            context.rows.setText(i, newNumber);
            context.rows.setInWorkFolder(i, false);
        }
        if (results.failed()) {
            if (!prompt.goOn(moveBackFailure(rowText)))
                return 0;
        }
        context.feedback.stepProgress();
    }
    return 1;
}
