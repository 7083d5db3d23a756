#pragma once
#include <optional>
#include <string>

#include "update/TrackedPhoto.h"

class FileOperations;

// The journal of an update: every photo the update works on, where its files stand, where the step
// under way takes them and the name the update gives it in the end. It is written into the work
// folder before any file of a step moves, so that whatever the moment the program is cut short at,
// each photo's files are where the journal on disk says, at the place it stands or at the place it
// is going to, and the recovery can finish or undo the step. It is removed last, once every photo
// it names is whole at its final place.
//
// The file is CR LF text: a title line, then one line per photo of tab-separated fields (file names
// cannot hold a tab on Windows): identity, final name ("recycle" for a flagged photo, "none" for one
// without a planned name), the folder ("album" or
// "work") and base name of where it stands, then "stays", "recycle", or "moves" and the folder and
// base name it moves to.

// workFolder + "\" + fileHeader + "journal.vlm": one journal per family, as families share the
// album folder and its work folder.
std::string journalPathOf(const std::string& workFolder, const std::string& fileHeader);

std::string journalText(const TrackedPhotos& photos);

// Writes the journal as a whole: at every moment the path holds the old journal or the new one.
// 0 on success, else the failed operation's result.
int writeUpdateJournal(FileOperations& ops, const std::string& path, const TrackedPhotos& photos);

// The journal of the family with this file header at path; nothing when there is none, or when it
// cannot be read as one of that family's: every identity a photo name of the family, every other
// name the identity or the family's header and a number, none of them a path that leads out of its
// folder, and no file name claimed by two photos. The journal of earlier versions (its photos' old
// and new names and a phase) is read as the step of that phase.
std::optional<TrackedPhotos> readUpdateJournal(const std::string& path, const std::string& fileHeader);
