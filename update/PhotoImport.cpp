#include "update/PhotoImport.h"

#include "album/CaptionFile.h"
#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "update/PassPrompt.h"

namespace {
void logMessage(const ImportContext& context, const std::string& text) {
    if (context.settings.enableLogging)
        eventLog.writeMessage(text);
}

std::string importFailure(const std::string& source) {
    return "An error was encountered while trying to import the files\r\nassociated with the following album "
           "entry:\r\n\r\n" +
           source + "\r\n\r\nWould you like to continue?";
}
}  // namespace

long long photoNumberValue(const std::string& text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The copies are made on disk at once; the new rows then take part in the next update like any
// other. The album counts as changed from the start, whatever the copies do.
bool importPhotos(ImportContext& context, const std::vector<std::string>& selection) {
    ScopedWaitCursor waitCursor(context.feedback);
    context.feedback.setStatusText("Importing selected photos...");
    context.feedback.setProgressRange(0, int(selection.size()));
    context.feedback.setProgressStep(1);
    if (context.setAlbumChanged)
        context.setAlbumChanged(true);

    const AlbumInfo& album = context.album;
    std::string targetPrefix = album.albumPath + "\\" + album.fileHeader;
    if (context.settings.enableLogging) {
        eventLog.writeMessage("========== IMPORTING NEW PHOTOS ==========");
        eventLog.writeLabeled("IMPORT:", "Photo Album: " + targetPrefix);
        eventLog.writeLabeled("IMPORT:", "Number of photos being imported: " + std::to_string(selection.size()));
    }

    long long number = photoNumberValue(album.lastPhotoNumber) + 1;
    PassPrompt prompt(context.feedback);
    for (const auto& relative : selection) {
        std::string source = album.gamePath + "\\" + relative;
        std::string numberText = photoNumberText(number);
        std::string target = targetPrefix + numberText;
        // Whatever happens to this photo, its number is used up.
        context.album.lastPhotoNumber = numberText;
        ++number;

        int imageResult = context.ops.copy(source + ".jpg", target + ".jpg");
        int captionResult = context.ops.copy(source + ".txt", target + ".txt");
        logMessage(context, "Importing " + source + ".jpg into album --- Result (" + std::to_string(imageResult) + ")");
        logMessage(context,
                   "Importing " + source + ".txt into album --- Result (" + std::to_string(captionResult) + ")");
        int thumbnailResult = 0;
        if (context.ops.exists(source + "_thumb.jpg")) {
            thumbnailResult = context.ops.copy(source + "_thumb.jpg", target + "_thumb.jpg");
            logMessage(context, "Importing " + source + "_thumb.jpg into album --- Result (" +
                                    std::to_string(thumbnailResult) + ")");
        }
        if ((imageResult || captionResult || thumbnailResult) && !prompt.goOn(importFailure(source)))
            return false;

        std::string caption = readCaptionFile(target + ".txt");
        context.rows.append(numberText, RowKept, std::make_unique<PhotoEntry>(album.fileHeader + numberText, caption));
        context.feedback.stepProgress();
    }
    context.feedback.setStatusText("");
    context.feedback.setProgressPosition(0);
    return true;
}
