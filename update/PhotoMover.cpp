#include "update/PhotoMover.h"

#include "diag/EventLog.h"
#include "platform/ShellFileOps.h"

std::string resultText(int result) { return " --- Result (" + std::to_string(result) + ")"; }

PhotoMoveResults::File PhotoMover::moveFile(const PhotoPlace& from, const PhotoPlace& to, const char* suffix,
                                            FileMove how) {
    PhotoMoveResults::File file;
    if (how == FileMove::Skipped)
        return file;
    file.tried = true;
    file.result = ops.move(pathOf(from, suffix), pathOf(to, suffix));
    // Moving straight away costs one look at the disk where asking first whether it is there costs two.
    if (how == FileMove::IfThere && file.result == ResultFileNotFound) {
        file.result = 0;
        file.tried = false;
    }
    file.moved = file.tried && file.result == 0;
    if (file.moved && names)
        names->moved(from, to, suffix);
    return file;
}

PhotoMoveResults PhotoMover::move(const PhotoPlace& from, const PhotoPlace& to, FileMove image, FileMove caption,
                                  FileMove thumbnail) {
    PhotoMoveResults results;
    const FileMove hows[] = {image, caption, thumbnail};
    for (std::size_t k = 0; k < PhotoFileSuffixes.size(); ++k)
        results.files[k] = moveFile(from, to, PhotoFileSuffixes[k], hows[k]);
    return results;
}

PhotoMoveResults PhotoMover::moveListed(const PhotoPlace& from, const PhotoPlace& to) {
    auto how = [&](const char* suffix) { return names->holds(from, suffix) ? FileMove::Expected : FileMove::Skipped; };
    return move(from, to, how(ImageSuffix), how(CaptionSuffix), how(ThumbnailSuffix));
}

PhotoWhole PhotoMover::keepWhole(const PhotoPlace& from, const PhotoPlace& to, const PhotoMoveResults& results) {
    bool stayedBehind = false;
    for (std::size_t k = 0; k < PhotoFileSuffixes.size(); ++k)
        stayedBehind = stayedBehind || (results.files[k].result != 0 && ops.exists(pathOf(from, PhotoFileSuffixes[k])));
    if (!stayedBehind)
        return PhotoWhole::AtDestination;
    bool split = false;
    for (std::size_t k = 0; k < PhotoFileSuffixes.size(); ++k) {
        if (!results.files[k].moved)
            continue;
        const char* suffix = PhotoFileSuffixes[k];
        int result = ops.move(pathOf(to, suffix), pathOf(from, suffix));
        if (result == 0 && names)
            names->moved(to, from, suffix);
        split = split || result != 0;
        if (logging)
            eventLog.writeMessage("Restoring " + pathOf(from, suffix) + resultText(result));
    }
    return split ? PhotoWhole::Split : PhotoWhole::AtSource;
}

PhotoMoveResults PhotoMover::recycleListed(const PhotoPlace& place) {
    PhotoMoveResults results;
    for (std::size_t k = 0; k < PhotoFileSuffixes.size(); ++k) {
        const char* suffix = PhotoFileSuffixes[k];
        if (!names->holds(place, suffix))
            continue;
        PhotoMoveResults::File& file = results.files[k];
        file.tried = true;
        file.result = ops.remove(pathOf(place, suffix), false);
        file.moved = file.result == 0;
        if (file.moved)
            names->removed(place, suffix);
    }
    return results;
}
