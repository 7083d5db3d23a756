#pragma once
#include <string>
#include <vector>

#include "album/PhotoPlace.h"

// One photo of an update, as its journal records it: the one account of where the photo's files
// stand and where they are going, which the passes, the recovery and the journal share.
struct TrackedPhoto {
    enum class Step {
        Stays,     // its files stand whole at `at`
        Moves,     // its files are on their way from `at` to `to`: each of them is at one or the other
        Recycled,  // its files are on their way from `at` to the Recycle Bin
    };
    std::string identity;  // its base name when the update began
    // The name the update gives it in the album folder; "" when it has none (it is flagged for the
    // Recycle Bin, or the work folder held it without a journal): it then comes back after the
    // album's last photo.
    std::string finalBaseName;
    bool flagged = false;  // the update sends it to the Recycle Bin
    PhotoPlace at;
    Step step = Step::Stays;
    PhotoPlace to;  // for Moves

    bool atFinalPlace() const { return !finalBaseName.empty() && at == PhotoPlace{PhotoFolder::Album, finalBaseName}; }
    // The photo's files stand whole at place, and nothing is under way.
    void settleAt(const PhotoPlace& place) {
        at = place;
        step = Step::Stays;
        to = PhotoPlace{};
    }
    void moveTo(const PhotoPlace& place) {
        step = Step::Moves;
        to = place;
    }
};

using TrackedPhotos = std::vector<TrackedPhoto>;

// Whether no two places the photos name (where they stand, and where the step under way takes them)
// are the same file names, and no photo moves to where it stands: then every file found under one of
// these names belongs to exactly one photo. Identities only tell the photos apart in the log.
bool namesOnePhotoEach(const TrackedPhotos& photos);
