#include "update/UpdateAlbum.h"

#include "diag/EventLog.h"
#include "diag/SystemErrorText.h"
#include "platform/FileSystem.h"
#include "update/AlbumPasses.h"
#include "update/CaptionWriter.h"

namespace {
const char* const LeftoverWorkFolderText =
    "A directory named \"VLM_TEMP\" was found in this album's PhotoAlbum\ndirectory. This probably indicates that "
    "Velmora did not\nsuccessfully clean up the last time it was run. If you choose to\ncontinue, any files in this "
    "temporary folder may be overwritten. This\nwill not affect your photo album changes in any way.\n\nDo you want "
    "to continue applying the changes?";

void logLabeled(const UpdateContext& context, const std::string& label, const std::string& text) {
    if (context.settings.enableLogging)
        eventLog.writeLabeled(label, text);
}

void startPhase(UserFeedback& feedback, int high, const std::string& status) {
    feedback.setProgressPosition(0);
    feedback.setProgressRange(0, high);
    feedback.setStatusText(status);
}

// A work folder left behind by an earlier run is reused only when the user agrees.
bool prepareWorkFolder(UpdateContext& context) {
    std::string workFolder = workFolderOf(context.album);
    if (context.ops.exists(workFolder)) {
        logLabeled(context, "WARNING:", "Folder named VLM_TEMP already exists!");
        return context.feedback.messageBox("Program Warning", LeftoverWorkFolderText,
                                           msgbox::YesNo | msgbox::IconWarning) == msgbox::IdYes;
    }
    if (std::uint32_t error = createFolder(workFolder)) {
        std::string errorText = systemErrorText(error, "");
        context.feedback.messageBox("Folder Creation Error", errorText, msgbox::Ok | msgbox::IconError);
        logLabeled(context, "ERROR:", "Failed to create work folder!");
        logLabeled(context, "ERROR:", errorText);
        return false;
    }
    return true;
}

void removeWorkFolder(UpdateContext& context) {
    if (removeFolder(workFolderOf(context.album)) == 0)
        return;
    context.feedback.messageBox("Folder Removal Error",
                                "An error was encountered while attempting to remove the\ntemporary work folder "
                                "\"VLM_TEMP\".",
                                msgbox::Ok | msgbox::IconError);
    logLabeled(context, "ERROR:", "Could not remove temporary work folder VLM_TEMP");
}

UpdateOutcome runUpdate(UpdateContext& context, PassContext& passes) {
    std::string albumPrefix = albumPrefixOf(context.album), workPrefix = workPrefixOf(context.album);
    logLabeled(context, "UPDATING:", "Full path = " + albumPrefix);
    logLabeled(context, "UPDATING:", "Work path = " + workPrefix);
    if (context.commitCaptionEdit)
        context.commitCaptionEdit();

    if (!recycleFlaggedFiles(passes, albumPrefix))
        return UpdateOutcome::StoppedRecycling;

    int rowCount = context.rows.count();
    startPhase(context.feedback, rowCount, "Applying Changes: Updating file captions...");
    if (!writeCaptionFiles(passes, albumPrefix))
        return UpdateOutcome::StoppedCaptions;

    if (!prepareWorkFolder(context))
        return UpdateOutcome::StoppedWorkFolder;
    startPhase(context.feedback, 2 * rowCount, "Applying Changes: Reordering album files...");
    if (!moveFilesToWorkFolder(passes, albumPrefix, workPrefix))
        return UpdateOutcome::StoppedMovingOut;
    if (!moveFilesBackToAlbum(passes, context.album.fileHeader, albumPrefix, workPrefix))
        return UpdateOutcome::StoppedMovingBack;
    removeWorkFolder(context);

    if (context.settings.enableHtml && context.generateHtml)
        context.generateHtml(albumPrefix);
    context.feedback.setProgressPosition(0);
    context.feedback.setStatusText("");
    return UpdateOutcome::Completed;
}
}  // namespace

std::string albumPrefixOf(const AlbumInfo& album) { return album.albumPath + "\\" + album.fileHeader; }

std::string workFolderOf(const AlbumInfo& album) { return album.albumPath + "\\VLM_TEMP"; }

std::string workPrefixOf(const AlbumInfo& album) { return workFolderOf(album) + "\\" + album.fileHeader; }

// A stop leaves the progress bar and the status text as they stand, so the user sees where the
// run ended. From the confirmation on the album counts as unchanged, whatever the outcome.
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
    PassContext passes{context.rows, context.ops, context.feedback, context.settings.enableLogging != 0};
    return runUpdate(context, passes);
}
