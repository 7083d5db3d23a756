#pragma once
#include <optional>
#include <string>
#include <vector>

class FileOperations;

// The plan of an update, written into the work folder before the first photo moves and removed
// when the update is over: for each photo the base name it had and the base name it is to get.
// If the update stops or is cut short, opening the album again finds the photos it left in the
// work folder and the journal tells how to finish the renumbering.
struct UpdateJournal {
    enum class Phase {
        MovingOut,   // photos go from the album folder into the work folder; none has come back
        MovingBack,  // every photo that could go out is out; photos come back under new numbers
    };
    struct Move {
        std::string oldBaseName;
        std::string newBaseName;
    };
    Phase phase = Phase::MovingOut;
    std::vector<Move> moves;

    // The move of the photo that had this base name, or null.
    const Move* moveFrom(const std::string& oldBaseName) const;
};

// workFolder + "\" + fileHeader + "journal.vlm": one journal per family, as families share the
// album folder and its work folder.
std::string journalPathOf(const std::string& workFolder, const std::string& fileHeader);

// Writes the journal as a whole: a new file, or a new version swapped in for the old one. 0 on
// success, else the failed operation's result.
int writeUpdateJournal(FileOperations& ops, const std::string& path, const UpdateJournal& journal);

// The journal of the family with this file header at path; nothing when there is none, or when it
// cannot be read as one of that family's: every old name a photo name of the family, every new
// name the family's header and a number, none of them a path that leads out of its folder.
std::optional<UpdateJournal> readUpdateJournal(const std::string& path, const std::string& fileHeader);
