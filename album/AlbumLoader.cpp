#include "album/AlbumLoader.h"

#include <memory>

#include "album/AlbumRows.h"
#include "album/CaptionFile.h"
#include "album/PhotoEntry.h"
#include "album/PhotoFileName.h"
#include "diag/EventLog.h"
#include "platform/FileSystem.h"
#include "platform/UserFeedback.h"

bool isAlbumPhotoName(const std::string& baseName, const std::string& fileHeader) {
    return baseName.find("_thumb") == std::string::npos && baseName.find(fileHeader) != std::string::npos;
}

std::vector<std::string> findAlbumPhotos(const std::string& albumPath, const std::string& fileHeader,
                                         bool logging) {
    std::vector<std::string> names;
    for (const auto& entry : findEntries(albumPath + "\\*.jpg")) {
        if (entry.isFolder || !hasJpgExtension(entry.name))
            continue;
        std::string baseName = baseNameOf(entry.name);
        if (!isAlbumPhotoName(baseName, fileHeader))
            continue;
        if (logging)
            eventLog.writeLabeled("LOADING:", baseName + ".jpg");
        names.push_back(std::move(baseName));
    }
    return names;
}

std::string loadAlbumRows(const std::string& albumPath, const std::string& fileHeader, bool logging,
                          AlbumRows& rows, UserFeedback& feedback) {
    std::vector<std::string> names = findAlbumPhotos(albumPath, fileHeader, logging);

    feedback.setStatusText(LoadingStatusText);
    feedback.setProgressRange(0, int(names.size()));
    feedback.setProgressStep(1);
    // Rows go in unsorted and are sorted once at the end.
    for (auto& baseName : names) {
        std::optional<KnownFile> captionFile;
        std::string caption = readCaptionFile(albumPath + "\\" + baseName + ".txt", captionFile);
        std::string number = photoNumberOf(baseName);
        rows.append(std::move(number), RowKept, std::make_unique<PhotoEntry>(std::move(baseName), std::move(caption)));
        rows.setCaptionFile(rows.count() - 1, std::move(captionFile));
        feedback.stepProgress();
    }

    if (rows.count() > ScrapbookCaptionLimit) {
        feedback.messageBox(AlbumSizeWarningTitle, AlbumSizeWarningText, msgbox::IconExclamation | msgbox::Ok);
        if (logging)
            eventLog.writeLabeled("WARNING:", "Photo album size greater than 200 entries!");
    }
    rows.sortByBaseName();

    feedback.setStatusText("");
    feedback.setProgressPosition(0);
    return rows.empty() ? std::string() : rows.text(rows.count() - 1);
}
