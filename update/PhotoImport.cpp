#include "update/PhotoImport.h"

#include "album/CaptionFile.h"
#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "update/PassPrompt.h"
#include "update/PhotoFiles.h"
#include "update/PhotoNumbers.h"

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

// Whether a base name is in use: by a file of the album folder, or by a row of the album.
bool baseNameTaken(ImportContext& context, const std::string& baseName) {
    std::string base = context.album.albumPath + "\\" + baseName;
    for (const char* suffix : PhotoFileSuffixes)
        if (context.ops.exists(base + suffix))
            return true;
    for (int i = 0; i < context.rows.count(); ++i)
        if (foldedName(context.rows.entry(i)->baseName()) == foldedName(baseName))
            return true;
    return false;
}
}  // namespace

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
    auto taken = [&context](const std::string& baseName) { return baseNameTaken(context, baseName); };
    PassPrompt prompt(context.feedback);
    for (const auto& relative : selection) {
        std::string source = album.gamePath + "\\" + relative;
        number = firstFreePhotoNumber(number, taken, album.fileHeader);
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
