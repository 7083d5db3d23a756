#include "update/AlbumPasses.h"

#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "update/PassPrompt.h"

namespace {
const char* const FailedRowIntro = "associated with the following album entry:\r\n\r\n";

void logMessage(const PassContext& context, const std::string& text) {
    if (context.logging)
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
}  // namespace

// Flagged photos go to the Recycle Bin before anything is renumbered, so they never take part in
// the renumbering. The walk keeps its index after removing a row: the next row has moved up.
int recycleFlaggedFiles(PassContext& context, const std::string& albumPrefix) {
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
        std::string base = albumPrefix + context.rows.text(i);
        int imageResult = context.ops.remove(base + ".jpg", false);
        int captionResult = context.ops.remove(base + ".txt", false);
        logMessage(context, "Recycling " + base + ".jpg" + resultText(imageResult));
        logMessage(context, "Recycling " + base + ".txt" + resultText(captionResult));
        int thumbnailResult = 0;
        if (context.ops.exists(base + "_thumb.jpg")) {
            thumbnailResult = context.ops.remove(base + "_thumb.jpg", false);
            logMessage(context, "Recycling " + base + "_thumb.jpg" + resultText(thumbnailResult));
        }
        if ((imageResult || captionResult || thumbnailResult) && !prompt.goOn(recycleFailure(context.rows.text(i))))
            return 0;
        context.rows.remove(i);
        context.feedback.stepProgress();
    }
    return 1;
}

int moveFilesToWorkFolder(PassContext& context, const std::string& albumPrefix, const std::string& workPrefix) {
    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count(); ++i) {
        const std::string& rowText = context.rows.text(i);
        std::string from = albumPrefix + rowText, to = workPrefix + rowText;
        int imageResult = context.ops.move(from + ".jpg", to + ".jpg");
        int captionResult = context.ops.move(from + ".txt", to + ".txt");
        logMessage(context, "Moving " + from + ".jpg to work folder" + resultText(imageResult));
        logMessage(context, "Moving " + from + ".txt to work folder" + resultText(captionResult));
        int thumbnailResult = 0;
        if (context.ops.exists(from + "_thumb.jpg")) {
            thumbnailResult = context.ops.move(from + "_thumb.jpg", to + "_thumb.jpg");
            logMessage(context, "Moving " + from + "_thumb.jpg to work folder" + resultText(thumbnailResult));
        }
        if ((imageResult || captionResult || thumbnailResult) && !prompt.goOn(moveOutFailure(rowText)))
            return 0;
        context.feedback.stepProgress();
    }
    return 1;
}

// Every row's files are out of the album folder before this pass starts, so no new number can
// meet a file that still waits for its own move.
int moveFilesBackToAlbum(PassContext& context, const std::string& fileHeader, const std::string& albumPrefix,
                         const std::string& workPrefix) {
    PassPrompt prompt(context.feedback);
    for (int i = 0; i < context.rows.count(); ++i) {
        std::string newNumber = photoNumberText(i);
        std::string from = workPrefix + context.rows.text(i), to = albumPrefix + newNumber;
        int imageResult = context.ops.move(from + ".jpg", to + ".jpg");
        int captionResult = context.ops.move(from + ".txt", to + ".txt");
        logMessage(context, "Renaming " + from + ".jpg to " + to + ".jpg");
        logMessage(context, "Renaming " + from + ".txt to " + to + ".txt");
        logMessage(context, "Moving " + to + ".jpg back to album" + resultText(imageResult));
        logMessage(context, "Moving " + to + ".txt back to album" + resultText(captionResult));
        int thumbnailResult = 0;
        if (context.ops.exists(from + "_thumb.jpg")) {
            thumbnailResult = context.ops.move(from + "_thumb.jpg", to + "_thumb.jpg");
            logMessage(context, "Renaming " + from + "_thumb.jpg to " + to + "_thumb.jpg");
            logMessage(context, "Moving " + to + "_thumb.jpg back to album" + resultText(thumbnailResult));
        }
        if ((imageResult || captionResult || thumbnailResult) && !prompt.goOn(moveBackFailure(context.rows.text(i))))
            return 0;
        context.rows.entry(i)->setBaseName(fileHeader + newNumber);
        context.rows.setText(i, newNumber);
        context.feedback.stepProgress();
    }
    return 1;
}
