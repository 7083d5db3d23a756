#include "update/UpdateAlbum.h"

#include "diag/EventLog.h"
#include "diag/SystemErrorText.h"
#include "platform/FileSystem.h"
#include "update/PhotoFiles.h"
#include "update/AlbumPasses.h"
#include "update/CaptionWriter.h"
#include "update/UpdateJournal.h"
#include "update/UpdatePlan.h"
#include "update/WorkFolderRecovery.h"

namespace {
const char* const LeftoverWorkFolderText =
    "A directory named \"VLM_TEMP\" was found in this album's PhotoAlbum\ndirectory. This probably indicates that "
    "Velmora did not\nsuccessfully clean up the last time it was run. If you choose to\ncontinue, any files in this "
    "temporary folder may be overwritten. This\nwill not affect your photo album changes in any way.\n\nDo you want "
    "to continue applying the changes?";
const char* const StoppedTitle = "Update Stopped";
const char* const LeftoversText =
    "Photos of this album are still in the temporary work folder\n\"VLM_TEMP\" and could not be brought back into the "
    "album, so the\nupdate was stopped before any file was changed.\n\nClose any program that may be using these "
    "files, then try again.";
const char* const JournalAtStartText =
    "The update could not write its journal into the work folder\n\"VLM_TEMP\", so no photo has been moved. The "
    "system says:\n\n";
const char* const JournalMidwayText =
    "The update could not write its journal into the work folder\n\"VLM_TEMP\", so the photos were left there. "
    "Update the album again,\nor open it again, to bring them back. The system says:\n\n";

void logLabeled(const UpdateContext& context, const std::string& label, const std::string& text) {
    if (context.settings.enableLogging)
        eventLog.writeLabeled(label, text);
}

void startPhase(UserFeedback& feedback, int high, const std::string& status) {
    feedback.setProgressPosition(0);
    feedback.setProgressRange(0, high);
    feedback.setStatusText(status);
}

RecoveryContext recoveryContextOf(UpdateContext& context) {
    return RecoveryContext{context.album, context.ops, context.feedback, context.settings.enableLogging != 0};
}

// Photos a stopped or cut-short update left in the work folder come back first: a row whose
// number they share must not write its caption over theirs, nor move into their names.
bool bringBackLeftovers(UpdateContext& context) {
    RecoveryContext recovery = recoveryContextOf(context);
    RecoveryOutcome outcome = recoverInterruptedUpdate(recovery);
    applyRecoveredPhotos(context.rows, outcome);
    if (outcome.stranded > 0) {
        logLabeled(context, "ERROR:", "Photos of this album are still in the work folder VLM_TEMP");
        context.feedback.messageBox(StoppedTitle, LeftoversText, msgbox::Ok | msgbox::IconError);
        return false;
    }
    for (int i = 0; i < context.rows.count(); ++i)
        if (context.rows.row(i).inWorkFolder())
            context.rows.setPlace(i, {PhotoFolder::Album, context.rows.entry(i)->baseName()});
    return true;
}

bool planHolds(UpdateContext& context) {
    std::vector<std::string> problems = checkUpdatePlan(context.rows, context.album);
    if (problems.empty())
        return true;
    for (const std::string& problem : problems)
        logLabeled(context, "ERROR:", problem);
    context.feedback.messageBox(StoppedTitle, updatePlanMessage(problems, context.album.albumPath),
                                msgbox::Ok | msgbox::IconError);
    return false;
}

bool createWorkFolder(UpdateContext& context) {
    if (int error = context.ops.createFolder(workFolderOf(context.album))) {
        std::string errorText = systemErrorText(std::uint32_t(error), "");
        context.feedback.messageBox("Folder Creation Error", errorText, msgbox::Ok | msgbox::IconError);
        logLabeled(context, "ERROR:", "Failed to create work folder!");
        logLabeled(context, "ERROR:", errorText);
        return false;
    }
    return true;
}

// A work folder left behind by an earlier run is reused only when the user agrees; one this run
// made for the journal of its recycling is its own.
bool prepareWorkFolder(UpdateContext& context, bool existedBefore) {
    if (existedBefore) {
        logLabeled(context, "WARNING:", "Folder named VLM_TEMP already exists!");
        return context.feedback.messageBox("Program Warning", LeftoverWorkFolderText,
                                           msgbox::YesNo | msgbox::IconWarning) == msgbox::IdYes;
    }
    return context.ops.exists(workFolderOf(context.album)) || createWorkFolder(context);
}

std::string journalPath(const UpdateContext& context) {
    return journalPathOf(workFolderOf(context.album), context.album.fileHeader);
}

// Write ahead: a step of the update starts only once the journal on disk names where each photo's
// files go.
bool recordJournal(UpdateContext& context, const TrackedPhotos& photos, const char* failureText) {
    std::string path = journalPath(context);
    int result = writeUpdateJournal(context.ops, path, photos);
    if (result == 0)
        return true;
    logLabeled(context, "ERROR:", "Could not write the update journal " + path + " --- Result (" +
                                      std::to_string(result) + ")");
    context.feedback.messageBox(StoppedTitle, failureText + systemErrorText(std::uint32_t(result), ""),
                                msgbox::Ok | msgbox::IconError);
    return false;
}

void removeJournal(UpdateContext& context) {
    std::string path = journalPath(context);
    for (const std::string& file : {path, path + DraftSuffix})
        if (context.ops.exists(file))
            context.ops.remove(file, true);
}

// The flagged photos go to the Recycle Bin as a step of their own, which the recovery finishes
// when the program is cut short in the middle of it.
TrackedPhotos recyclingStep(const PassContext& passes) {
    TrackedPhotos photos = trackedRows(passes);
    for (int i = 0; i < passes.rows.count(); ++i) {
        TrackedPhoto& photo = photos[std::size_t(i)];
        if (passes.rows.row(i).flagged()) {
            photo.flagged = true;
            photo.step = TrackedPhoto::Step::Recycled;
        }
        photo.finalBaseName.clear();  // the numbers are given once the recycling is over
    }
    return photos;
}

TrackedPhotos movingOutStep(const PassContext& passes) {
    TrackedPhotos photos = trackedRows(passes);
    for (TrackedPhoto& photo : photos)
        photo.moveTo({PhotoFolder::Work, photo.at.baseName});
    return photos;
}

// Nothing of the family is in the work folder yet: the journal of the recycling goes, and so does
// the folder when this run made it for that journal.
void endBeforeMoving(UpdateContext& context, bool workFolderExisted) {
    removeJournal(context);
    if (!workFolderExisted)
        context.ops.removeFolder(workFolderOf(context.album));
}

// A run that stopped amid its moves leaves the journal saying where each photo stands.
void recordWhereEachPhotoStands(UpdateContext& context, const PassContext& passes) {
    writeUpdateJournal(context.ops, journalPath(context), trackedRows(passes));
}

// Rows whose photos could not come back under their new numbers are put back under free numbers,
// so that no photo is left in the work folder when the run ends.
void putBackLeftRows(UpdateContext& context, const PassContext& passes) {
    for (int i = 0; i < context.rows.count(); ++i) {
        if (context.rows.row(i).inWorkFolder() && !passes.splitPhotos.count(i)) {
            RecoveryContext recovery = recoveryContextOf(context);
            applyRecoveredPhotos(context.rows, putBackWaitingPhotos(recovery, trackedRows(passes)));
            return;
        }
    }
}

bool everyPhotoOutOfTheWorkFolder(const PassContext& passes) {
    for (int i = 0; i < passes.rows.count(); ++i)
        if (passes.rows.row(i).inWorkFolder())
            return false;
    return passes.splitPhotos.empty();
}

// The journal goes only once every photo is out of the work folder and whole.
void removeWorkFolder(UpdateContext& context, const PassContext& passes) {
    if (everyPhotoOutOfTheWorkFolder(passes))
        removeJournal(context);
    else
        recordWhereEachPhotoStands(context, passes);
    if (context.ops.removeFolder(workFolderOf(context.album)) == 0)
        return;
    context.feedback.messageBox("Folder Removal Error",
                                "An error was encountered while attempting to remove the\ntemporary work folder "
                                "\"VLM_TEMP\".",
                                msgbox::Ok | msgbox::IconError);
    logLabeled(context, "ERROR:", "Could not remove temporary work folder VLM_TEMP");
}

int flaggedRows(const AlbumRows& rows) {
    int count = 0;
    for (int i = 0; i < rows.count(); ++i)
        count += rows.row(i).flagged();
    return count;
}

UpdateOutcome runUpdate(UpdateContext& context, PassContext& passes) {
    const AlbumInfo& album = context.album;
    std::string albumPrefix = albumPrefixOf(album), workFolder = workFolderOf(album);
    logLabeled(context, "UPDATING:", "Full path = " + albumPrefix);
    logLabeled(context, "UPDATING:", "Work path = " + workPrefixOf(album));
    if (context.commitCaptionEdit)
        context.commitCaptionEdit();

    if (!bringBackLeftovers(context))
        return UpdateOutcome::StoppedLeftovers;
    if (!planHolds(context))
        return UpdateOutcome::StoppedPlan;

    bool workFolderExisted = context.ops.exists(workFolder);
    if (flaggedRows(context.rows) > 0) {
        if (!workFolderExisted && !createWorkFolder(context))
            return UpdateOutcome::StoppedWorkFolder;
        if (!recordJournal(context, recyclingStep(passes), JournalAtStartText)) {
            endBeforeMoving(context, workFolderExisted);
            return UpdateOutcome::StoppedJournal;
        }
    }
    if (!recycleFlaggedFiles(passes, album.albumPath)) {
        endBeforeMoving(context, workFolderExisted);
        return UpdateOutcome::StoppedRecycling;
    }

    int rowCount = context.rows.count();
    startPhase(context.feedback, rowCount, "Applying Changes: Updating file captions...");
    if (!writeCaptionFiles(passes, album.albumPath)) {
        endBeforeMoving(context, workFolderExisted);
        return UpdateOutcome::StoppedCaptions;
    }

    if (!prepareWorkFolder(context, workFolderExisted)) {
        if (context.ops.exists(workFolder))
            endBeforeMoving(context, workFolderExisted);
        return UpdateOutcome::StoppedWorkFolder;
    }
    passes.identities.clear();
    for (int i = 0; i < rowCount; ++i)
        passes.identities.push_back(context.rows.entry(i)->baseName());
    if (!recordJournal(context, movingOutStep(passes), JournalAtStartText)) {
        endBeforeMoving(context, workFolderExisted);
        return UpdateOutcome::StoppedJournal;
    }
    startPhase(context.feedback, 2 * rowCount, "Applying Changes: Reordering album files...");
    if (!moveFilesToWorkFolder(passes, album.albumPath)) {
        recordWhereEachPhotoStands(context, passes);
        return UpdateOutcome::StoppedMovingOut;
    }
    bool journalFailed = false;
    passes.recordStep = [&context, &journalFailed](const TrackedPhotos& step) {
        journalFailed = !recordJournal(context, step, JournalMidwayText);
        return !journalFailed;
    };
    if (!moveFilesBackToAlbum(passes, album.albumPath)) {
        if (!journalFailed)
            recordWhereEachPhotoStands(context, passes);
        return journalFailed ? UpdateOutcome::StoppedJournal : UpdateOutcome::StoppedMovingBack;
    }
    putBackLeftRows(context, passes);
    removeWorkFolder(context, passes);

    if (context.settings.enableHtml && context.generateHtml)
        context.generateHtml(albumPrefix);
    context.feedback.setProgressPosition(0);
    context.feedback.setStatusText("");
    return UpdateOutcome::Completed;
}

bool everythingApplied(const AlbumRows& rows) {
    for (int i = 0; i < rows.count(); ++i)
        if (rows.row(i).flagged() || rows.row(i).inWorkFolder() || rows.text(i) != photoNumberText(i))
            return false;
    return true;
}
}  // namespace

std::string albumPrefixOf(const AlbumInfo& album) { return album.albumPath + "\\" + album.fileHeader; }

std::string workFolderOf(const AlbumInfo& album) { return workFolderPath(album.albumPath); }

std::string workPrefixOf(const AlbumInfo& album) { return workFolderOf(album) + "\\" + album.fileHeader; }

// A stop leaves the progress bar and the status text as they stand, so the user sees where the
// run ended.
UpdateOutcome updateAlbum(UpdateContext& context) {
    if (context.feedback.messageBox("Update " + context.album.familyName + " Family Album",
                                     "Are you ready to update this photo album?",
                                     msgbox::YesNo | msgbox::IconQuestion) != msgbox::IdYes)
        return UpdateOutcome::Declined;
    if (context.settings.enableLogging)
        eventLog.writeMessage("========== UPDATING PHOTO ALBUM ==========");
    if (context.setAlbumChanged)
        context.setAlbumChanged(false);
    ScopedWaitCursor waitCursor(context.feedback);
    PassContext passes{context.rows, context.ops, context.feedback, context.settings.enableLogging != 0,
                       context.album.fileHeader};
    UpdateOutcome outcome = runUpdate(context, passes);
    bool applied = outcome == UpdateOutcome::Completed && passes.unwrittenCaptions == 0 &&
                   passes.splitPhotos.empty() && everythingApplied(context.rows);
    if (!applied && context.setAlbumChanged)
        context.setAlbumChanged(true);
    return outcome;
}
