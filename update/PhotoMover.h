#pragma once
#include <string>

#include "album/PhotoPlace.h"
#include "update/PhotoFiles.h"

class FileOperations;

// How one of a photo's files takes part in a move.
enum class FileMove {
    Expected,  // moved; a missing file is a failure (2, file not found)
    IfThere,   // moved when it is there; a missing one is no failure
    Skipped,   // not moved
};

// What became of a photo's files in one move, image, caption and thumbnail in this order.
struct PhotoMoveResults {
    struct File {
        int result = 0;
        bool tried = false;  // an operation was run for it
        bool moved = false;
    };
    File files[3];
    File& image() { return files[0]; }
    File& caption() { return files[1]; }
    File& thumbnail() { return files[2]; }
    const File& image() const { return files[0]; }
    const File& caption() const { return files[1]; }
    const File& thumbnail() const { return files[2]; }
    bool failed() const { return files[0].result || files[1].result || files[2].result; }
};

// Where a photo stands after a move.
enum class PhotoWhole {
    AtDestination,  // every file of it is at the place it went to
    AtSource,       // a file could not follow, and those that had moved went back
    Split,          // a file could neither follow nor those that moved go back: it is at both places
};

// The one way a photo's files change place or go to the Recycle Bin, for the update's passes, the
// renames inside the album, the recovery and the put-back alike. A photo stays whole: when one of
// its files cannot follow the others, those that moved go back ("Restoring" in the log). With the
// album's folder names, they follow every move, and a move of the listed files needs no look at the
// disk.
class PhotoMover {
public:
    PhotoMover(FileOperations& ops, std::string albumPath, bool logging, AlbumFolderNames* names = nullptr)
        : ops(ops), albumPath(std::move(albumPath)), logging(logging), names(names) {}

    // Moves the photo's files as each one is told to. A file that is moved if there and is missing
    // ends with result 0, as not tried.
    PhotoMoveResults move(const PhotoPlace& from, const PhotoPlace& to, FileMove image, FileMove caption,
                          FileMove thumbnail);
    // Moves the files the folder names list at from (needs the names).
    PhotoMoveResults moveListed(const PhotoPlace& from, const PhotoPlace& to);
    // After a move with a failure: when a file that is still at from stayed behind, the files that
    // moved go back, so that the photo is whole at from again.
    PhotoWhole keepWhole(const PhotoPlace& from, const PhotoPlace& to, const PhotoMoveResults& results);
    // Sends the files the folder names list at place to the Recycle Bin (needs the names).
    PhotoMoveResults recycleListed(const PhotoPlace& place);

    std::string pathOf(const PhotoPlace& place, const char* suffix) const {
        return basePathOf(place, albumPath) + suffix;
    }

private:
    PhotoMoveResults::File moveFile(const PhotoPlace& from, const PhotoPlace& to, const char* suffix, FileMove how);

    FileOperations& ops;
    std::string albumPath;
    bool logging;
    AlbumFolderNames* names;
};

// " --- Result (n)", as every file operation's log line ends.
std::string resultText(int result);
