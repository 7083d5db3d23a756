#pragma once
#include <functional>
#include <string>
#include <vector>

#include "album/AlbumInfo.h"
#include "album/AlbumRows.h"
#include "album/Settings.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"

// What an import works on: the open album (its lastPhotoNumber is rewritten), its rows, the
// settings, the view as feedback, a ShellFileOps made for this one run and the frame's
// unapplied-changes flag.
struct ImportContext {
    AlbumRows& rows;
    AlbumInfo& album;
    const Settings& settings;
    UserFeedback& feedback;
    FileOperations& ops;
    std::function<void(bool)> setAlbumChanged;
};

// Copies the photos the Import Photos dialog selected into the album under the numbers after
// lastPhotoNumber and appends a row for each. A number that a file of the family or a row of the
// album already uses is passed over, so that a new photo never meets an old one. Each selected text is a path relative to the game's
// data folder without extension, e.g. "UserData2\PhotoAlbum\Zarez_17_0004". Returns false when the
// user stopped the run at a failed photo.
bool importPhotos(ImportContext& context, const std::vector<std::string>& selection);
