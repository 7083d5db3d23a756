#include "update/AlbumPasses.h"

#include <set>
#include <vector>

#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "update/PassPrompt.h"
#include "update/PhotoFiles.h"
#include "update/PhotoMover.h"

namespace {
const char* const FailedRowIntro = "associated with the following album entry:\r\n\r\n";

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

bool anyFileLeft(FileOperations& ops, const std::string& base) {
    for (const char* suffix : PhotoFileSuffixes)
        if (ops.exists(base + suffix))
            return true;
    return false;
}

// A flagged photo that could not be recycled completely takes part in the moves with the files it
// has left; the others are in the Recycle Bin, not missing.
PhotoMoveResults movePhotoOfRow(PhotoMover& mover, bool flagged, const PhotoPlace& from, const PhotoPlace& to) {
    FileMove own = flagged ? FileMove::IfThere : FileMove::Expected;
    return mover.move(from, to, own, own, FileMove::IfThere);
}

// Where the row's photo stands after a move of its files from one place to another; a split photo
// keeps its step in the journal, and its row the place it came from.
void followMove(PassContext& context, int row, const PhotoPlace& from, const PhotoPlace& to, PhotoWhole whole) {
    if (whole == PhotoWhole::AtDestination) {
        context.rows.setPlace(row, to);
        return;
    }
    if (whole == PhotoWhole::Split) {
        TrackedPhoto photo = trackedRows(context)[std::size_t(row)];
        photo.at = from;
        photo.moveTo(to);
        context.splitPhotos[row] = photo;
        if (context.logging)
            eventLog.writeLabeled("ERROR:", "The files of " + from.baseName + " are now in two places");
    }
}

bool isWorkFolderRow(const AlbumRows& rows, int i) { return rows.row(i).inWorkFolder(); }

// The rows still to come back, or to be renamed where they stayed, whose new names are free now: no
// photo still in the album folder under another name holds them. Moving these together meets no
// other photo's files. Photos that stayed come first, as the names they free may be the new names
// of others.
std::vector<int> nextGroup(const PassContext& context, const std::vector<int>& pending) {
    std::set<std::string> heldInAlbum;
    for (int i = 0; i < context.rows.count(); ++i)
        if (!isWorkFolderRow(context.rows, i) || context.splitPhotos.count(i))
            heldInAlbum.insert(foldedName(context.rows.entry(i)->baseName()));
    for (const auto& [row, photo] : context.splitPhotos)
        for (const PhotoPlace& place : {photo.at, photo.to})
            if (place.folder == PhotoFolder::Album)
                heldInAlbum.insert(foldedName(place.baseName));
    std::vector<int> group;
    for (bool outside : {false, true})
        for (int i : pending)
            if (isWorkFolderRow(context.rows, i) == outside &&
                !heldInAlbum.count(foldedName(context.fileHeader + photoNumberText(i))))
                group.push_back(i);
    return group;
}
}  // namespace

TrackedPhotos trackedRows(const PassContext& context) {
    TrackedPhotos photos;
    for (int i = 0; i < context.rows.count(); ++i) {
        if (auto split = context.splitPhotos.find(i); split != context.splitPhotos.end()) {
            photos.push_back(split->second);
            continue;
        }
        TrackedPhoto photo;
        photo.at = context.rows.place(i);
        photo.identity = std::size_t(i) < context.identities.size() ? context.identities[std::size_t(i)] : photo.at.baseName;
        photo.finalBaseName = context.fileHeader + photoNumberText(i);
        photos.push_back(photo);
    }
    return photos;
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

int moveFilesToWorkFolder(PassContext& context, const std::string& albumPath) {
    PhotoMover mover(context.ops, albumPath, context.logging);
    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count(); ++i) {
        const PhotoEntry& entry = *context.rows.entry(i);
        PhotoPlace from = context.rows.place(i), to{PhotoFolder::Work, entry.baseName()};
        std::string fromPath = filesOf(albumPath, entry);
        PhotoMoveResults results = movePhotoOfRow(mover, context.rows.row(i).flagged(), from, to);
        if (context.logging) {
            std::vector<std::string> lines = {
                "Moving " + fromPath + ".jpg to work folder" + resultText(results.image().result),
                "Moving " + fromPath + ".txt to work folder" + resultText(results.caption().result)};
            if (results.thumbnail().tried)
                lines.push_back("Moving " + fromPath + "_thumb.jpg to work folder" +
                                resultText(results.thumbnail().result));
            eventLog.writeMessages(lines);
        }
        PhotoWhole whole = results.failed() ? mover.keepWhole(from, to, results) : PhotoWhole::AtDestination;
        followMove(context, i, from, to, whole);
        if (results.failed() && !prompt.goOn(moveOutFailure(context.rows.text(i))))
            return 0;
        context.feedback.stepProgress();
    }
    return 1;
}

// Every row's files are out of the album folder before this pass starts, but for those that could
// not go out: they are renamed where they stand once no other photo holds their new names, and the
// names they free may be the new names of others.
int moveFilesBackToAlbum(PassContext& context, const std::string& albumPath) {
    const std::string& fileHeader = context.fileHeader;
    PhotoMover mover(context.ops, albumPath, context.logging);
    PassPrompt prompt(context.feedback);
    std::vector<int> pending;
    for (int i = 0; i < context.rows.count(); ++i) {
        if (context.splitPhotos.count(i))
            continue;  // its files wait for the recovery
        if (!isWorkFolderRow(context.rows, i) && context.rows.entry(i)->baseName() == fileHeader + photoNumberText(i)) {
            context.rows.setText(i, photoNumberText(i));  // already where it belongs
            context.feedback.stepProgress();
            continue;
        }
        pending.push_back(i);
    }
    while (!pending.empty()) {
        std::vector<int> group = nextGroup(context, pending);
        if (group.empty())
            break;  // the rest wait for names that photos which could not move still hold
        if (context.recordStep) {
            TrackedPhotos step = trackedRows(context);
            for (int i : group)
                step[std::size_t(i)].moveTo({PhotoFolder::Album, fileHeader + photoNumberText(i)});
            if (!context.recordStep(step))
                return 0;
        }
        std::set<int> done(group.begin(), group.end());
        for (int i : group) {
            std::string rowText = context.rows.text(i);
            std::string newNumber = photoNumberText(i);
            PhotoPlace from = context.rows.place(i), to{PhotoFolder::Album, fileHeader + newNumber};
            std::string fromPath = basePathOf(from, albumPath), toPath = basePathOf(to, albumPath);
            PhotoMoveResults results = movePhotoOfRow(mover, context.rows.row(i).flagged(), from, to);
            if (context.logging) {
                std::vector<std::string> lines = {
                    "Renaming " + fromPath + ".jpg to " + toPath + ".jpg",
                    "Renaming " + fromPath + ".txt to " + toPath + ".txt",
                    "Moving " + toPath + ".jpg back to album" + resultText(results.image().result),
                    "Moving " + toPath + ".txt back to album" + resultText(results.caption().result)};
                if (results.thumbnail().tried) {
                    lines.push_back("Renaming " + fromPath + "_thumb.jpg to " + toPath + "_thumb.jpg");
                    lines.push_back("Moving " + toPath + "_thumb.jpg back to album" +
                                    resultText(results.thumbnail().result));
                }
                eventLog.writeMessages(lines);
            }
            // The row follows its files, whatever the user answers next.
            PhotoWhole whole = results.failed() ? mover.keepWhole(from, to, results) : PhotoWhole::AtDestination;
            followMove(context, i, from, to, whole);
            if (results.failed() && !prompt.goOn(moveBackFailure(rowText)))
                return 0;
            context.feedback.stepProgress();
        }
        std::vector<int> rest;
        for (int i : pending)
            if (!done.count(i))
                rest.push_back(i);
        pending.swap(rest);
    }
    // A photo that could not move still holds the new name of each of these; none of their files
    // is moved onto it.
    for (int i : pending) {
        if (context.logging)
            eventLog.writeLabeled("ERROR:", "Photo " + context.rows.text(i) + " cannot take the number " +
                                                photoNumberText(i) + ": another photo still stands under it");
        if (!prompt.goOn(moveBackFailure(context.rows.text(i))))
            return 0;
        context.feedback.stepProgress();
    }
    return 1;
}
