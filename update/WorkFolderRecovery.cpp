#include "update/WorkFolderRecovery.h"

#include <functional>
#include <optional>
#include <set>

#include "album/AlbumLoader.h"
#include "album/AlbumRows.h"
#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "platform/FileSystem.h"
#include "update/AlbumPasses.h"
#include "update/CaptionWriter.h"
#include "update/PassPrompt.h"
#include "update/PhotoFiles.h"
#include "update/PhotoNumbers.h"
#include "update/UpdateAlbum.h"
#include "update/UpdateJournal.h"

namespace {
std::string resultText(int result) { return " --- Result (" + std::to_string(result) + ")"; }

// The lines stay short: a message box breaks a long one wherever it likes.
std::string photosStillThere(int count) {
    std::string howMany = count == 1 ? "one" : std::to_string(count);
    return "An earlier update of this album did not\nfinish, and " + howMany + " of its photos " +
           (count == 1 ? "is" : "are") + " still in the\ntemporary work folder \"VLM_TEMP\".";
}

std::string finishQuestion(int count) {
    return photosStillThere(count) +
           "\n\nDo you want to finish that update now?\n\nYes: the photos get the numbers that\nupdate gave "
           "them.\nNo: the photos go back into the album\nafter its last photo.\n\nNo photo is lost either way.";
}

std::string putBackNotice(int count) {
    return photosStillThere(count) + "\n\nThey go back into the album now, after\nits last photo.";
}

std::string strandedDetails(const std::string& baseName) {
    return "An error was encountered while trying to move the files\r\nassociated with the following album "
           "entry:\r\n\r\n" +
           baseName +
           "\r\n\r\nThe photo stays in the work folder VLM_TEMP, and the program offers\r\nto bring it back the next "
           "time the album is opened. Would you like\r\nto continue?";
}

class Recovery {
public:
    explicit Recovery(RecoveryContext& context)
        : context(context), albumPath(context.album.albumPath), workFolder(workFolderOf(context.album)),
          header(context.album.fileHeader), journalPath(journalPathOf(workFolder, header)),
          prompt(context.feedback) {
        // Most of the time there is no work folder, and nothing to list.
        if (!folderExists(workFolder))
            return;
        workFolderFound = true;
        albumNames = FolderNames(albumPath);
        workNames = FolderNames(workFolder);
        journal = readUpdateJournal(journalPath, header);
        stranded = strandedPhotos();
        initiallyOut.insert(stranded.begin(), stranded.end());
    }

    RecoveryOutcome offer();
    RecoveryOutcome putBackWithoutAsking();

private:
    std::vector<std::string> strandedPhotos() const;
    void log(const std::string& text) const;
    void logLabeled(const std::string& label, const std::string& text) const;
    void finish();
    void putBack(const std::vector<std::string>& bases);
    std::string rejoinTarget(const std::string& base) const;
    bool bringBack(const std::string& base, const std::string& target);
    bool sendOut(const std::string& base);
    bool movePhoto(const FolderNames& names, const std::string& from, const std::string& to,
                   const std::function<std::string(const std::string&, const char*)>& describe);
    void record(const std::string& oldBase, const std::string& newBase, bool nowOut);
    RecoveryOutcome outcome();

    RecoveryContext& context;
    std::string albumPath, workFolder, header, journalPath;
    FolderNames albumNames;
    FolderNames workNames;
    std::optional<UpdateJournal> journal;
    std::vector<std::string> stranded;
    std::set<std::string> initiallyOut;
    std::vector<RecoveredPhoto> changed;
    PassPrompt prompt;
    bool workFolderFound = false;
    bool stopped = false;
};

void Recovery::log(const std::string& text) const {
    if (context.logging)
        eventLog.writeMessage(text);
}

void Recovery::logLabeled(const std::string& label, const std::string& text) const {
    if (context.logging)
        eventLog.writeLabeled(label, text);
}

// The family's photos with a file in the work folder: those of the journal in its order, then
// the others by name.
std::vector<std::string> Recovery::strandedPhotos() const {
    std::set<std::string> bases;
    for (const std::string& name : workNames.all()) {
        std::string base = photoBaseOfFile(name);
        if (!base.empty() && isAlbumPhotoName(base, header))
            bases.insert(base);
    }
    std::vector<std::string> ordered;
    if (journal)
        for (const auto& move : journal->moves)
            if (bases.erase(move.oldBaseName))
                ordered.push_back(move.oldBaseName);
    ordered.insert(ordered.end(), bases.begin(), bases.end());
    return ordered;
}

// Each photo is recorded once: when it came back, or when it is given up on.
void Recovery::record(const std::string& oldBase, const std::string& newBase, bool nowOut) {
    changed.push_back({oldBase, initiallyOut.count(oldBase) > 0, newBase, nowOut});
}

// Moves the photo's files that are in the work folder into the album folder under target. True
// when the photo is whole there; otherwise what moved has gone back.
bool Recovery::bringBack(const std::string& base, const std::string& target) {
    std::string to = albumPath + "\\" + target;
    bool whole = movePhoto(workNames, workFolder + "\\" + base, to, [&to](const std::string& from, const char* suffix) {
        return "Moving " + from + suffix + " back to album as " + to + suffix;
    });
    if (whole)
        record(base, target, false);
    return whole;
}

// Takes a photo that is still in the album folder under its old name out into the work folder,
// as the interrupted update would have done. True when it is whole in the work folder.
bool Recovery::sendOut(const std::string& base) {
    return movePhoto(albumNames, albumPath + "\\" + base, workFolder + "\\" + base,
                     [](const std::string& from, const char* suffix) { return "Moving " + from + suffix + " to work folder"; });
}

// Moves the photo's files that names lists from one base path to another, each logged as described.
// True when the photo is whole at `to`; otherwise what moved has gone back.
bool Recovery::movePhoto(const FolderNames& names, const std::string& from, const std::string& to,
                         const std::function<std::string(const std::string&, const char*)>& describe) {
    std::string base = from.substr(from.find_last_of('\\') + 1);
    PhotoMoveResults results;
    int* resultOf[] = {&results.image, &results.caption, &results.thumbnail};
    bool* movedOf[] = {&results.imageMoved, &results.captionMoved, &results.thumbnailMoved};
    for (std::size_t k = 0; k < PhotoFileSuffixes.size(); ++k) {
        const char* suffix = PhotoFileSuffixes[k];
        if (!names.contains(base + suffix))
            continue;
        *resultOf[k] = context.ops.move(from + suffix, to + suffix);
        *movedOf[k] = *resultOf[k] == 0;
        log(describe(from, suffix) + resultText(*resultOf[k]));
    }
    bool whole = !results.failed() || keepPhotoWhole(context.ops, context.logging, from, to, results);
    albumNames = FolderNames(albumPath);
    workNames = FolderNames(workFolder);
    return whole;
}

// Where a photo goes back to keep it together with its files that are in the album folder
// already; "" when none are. Before any photo came back, those files bear its old name; once the
// photos came back, its new one.
std::string Recovery::rejoinTarget(const std::string& base) const {
    if (!journal)
        return std::string();
    if (journal->phase == UpdateJournal::Phase::MovingOut)
        return albumNames.holdsPhoto(base) ? base : std::string();
    const UpdateJournal::Move* move = journal->moveFrom(base);
    return move && albumNames.holdsPhoto(move->newBaseName) ? move->newBaseName : std::string();
}

// Finishing goes as the update went: first every photo of the plan out of the album folder, then
// each back under its new name. One that cannot reach its new name is put back instead.
void Recovery::finish() {
    if (journal->phase == UpdateJournal::Phase::MovingOut) {
        for (const auto& move : journal->moves) {
            bool inAlbum = albumNames.holdsPhoto(move.oldBaseName);
            bool inWork = workNames.holdsPhoto(move.oldBaseName);
            if (!inAlbum || (move.oldBaseName == move.newBaseName && !inWork))
                continue;  // out already, or whole where it belongs
            if (!sendOut(move.oldBaseName) && inWork)
                bringBack(move.oldBaseName, move.oldBaseName);  // could not follow: rejoin it
        }
    }
    std::vector<std::string> left;
    for (const auto& move : journal->moves)
        if (workNames.holdsPhoto(move.oldBaseName) && !bringBack(move.oldBaseName, move.newBaseName))
            left.push_back(move.oldBaseName);
    for (const std::string& base : strandedPhotos())
        if (!journal->moveFrom(base))
            left.push_back(base);
    putBack(left);
}

void Recovery::putBack(const std::vector<std::string>& bases) {
    for (const std::string& base : bases) {
        if (!workNames.holdsPhoto(base))
            continue;
        if (stopped) {
            record(base, base, true);
            continue;
        }
        std::string target = rejoinTarget(base);
        if (!target.empty() && bringBack(base, target))
            continue;
        long long number = firstFreePhotoNumber(
            highestPhotoNumber(albumNames, header) + 1, [this](const std::string& b) { return albumNames.holdsPhoto(b); },
            header);
        if (bringBack(base, header + photoNumberText(number)))
            continue;
        record(base, base, true);
        stopped = !prompt.goOn(strandedDetails(base));
    }
}

RecoveryOutcome Recovery::outcome() {
    RecoveryOutcome result;
    result.found = !stranded.empty();
    for (const auto& photo : changed)
        if (photo.newBaseName != photo.oldBaseName || photo.inWorkFolder != photo.wasInWorkFolder)
            result.photos.push_back(photo);
    result.stranded = int(strandedPhotos().size());
    return result;
}

RecoveryOutcome Recovery::offer() {
    if (!workFolderFound)
        return outcome();
    if (stranded.empty()) {
        removeFinishedWorkFolder(context);
        return outcome();
    }
    int count = int(stranded.size());
    log("========== RECOVERING INTERRUPTED UPDATE ==========");
    logLabeled("WARNING:", std::to_string(count) + " photos of this album were left in the work folder VLM_TEMP");
    bool finishing = false;
    if (journal && !journal->moves.empty()) {
        finishing = context.feedback.messageBox("Interrupted Update", finishQuestion(count),
                                                msgbox::YesNo | msgbox::IconWarning) == msgbox::IdYes;
    } else {
        context.feedback.messageBox("Interrupted Update", putBackNotice(count), msgbox::Ok | msgbox::IconInformation);
    }
    logLabeled("UPDATING:", finishing ? "Finishing the interrupted update" : "Putting the photos back into the album");
    if (finishing)
        finish();
    else
        putBack(stranded);
    removeFinishedWorkFolder(context);
    return outcome();
}

RecoveryOutcome Recovery::putBackWithoutAsking() {
    putBack(stranded);
    return outcome();
}
}  // namespace

// A caption is written beside its file and then swapped in; a draft left over belongs to an
// update that never finished, and its caption was never applied.
void removeCaptionDrafts(RecoveryContext& context) {
    const std::string& albumPath = context.album.albumPath;
    std::string ending = foldedName(std::string(CaptionSuffix) + DraftSuffix);
    for (const FolderEntry& entry : findEntries(albumPath + "\\*" + DraftSuffix)) {
        std::string folded = foldedName(entry.name);
        if (entry.isFolder || entry.name.find(context.album.fileHeader) == std::string::npos ||
            folded.size() <= ending.size() || folded.compare(folded.size() - ending.size(), ending.size(), ending) != 0)
            continue;
        int result = context.ops.remove(albumPath + "\\" + entry.name, true);
        if (context.logging)
            eventLog.writeMessage("Removing unfinished caption file " + albumPath + "\\" + entry.name +
                                  resultText(result));
    }
}

// Every row is matched before any is renamed: a photo's new name may be another one's old name.
void applyRecoveredPhotos(AlbumRows& rows, const RecoveryOutcome& outcome) {
    std::vector<std::pair<int, const RecoveredPhoto*>> matches;
    for (const RecoveredPhoto& photo : outcome.photos)
        for (int i = 0; i < rows.count(); ++i)
            if (rows.entry(i)->baseName() == photo.oldBaseName && rows.row(i).inWorkFolder == photo.wasInWorkFolder) {
                matches.emplace_back(i, &photo);
                break;
            }
    for (const auto& [i, photo] : matches) {
        rows.entry(i)->setBaseName(photo->newBaseName);
        rows.setText(i, photoNumberOf(photo->newBaseName));
        rows.setInWorkFolder(i, photo->inWorkFolder);
    }
}

RecoveryOutcome recoverInterruptedUpdate(RecoveryContext& context) { return Recovery(context).offer(); }

RecoveryOutcome putBackStrandedPhotos(RecoveryContext& context) { return Recovery(context).putBackWithoutAsking(); }

bool removeFinishedJournal(RecoveryContext& context) {
    std::string workFolder = workFolderOf(context.album);
    if (!folderExists(workFolder))
        return true;
    FolderNames names(workFolder);
    for (const std::string& name : names.all()) {
        std::string base = photoBaseOfFile(name);
        if (!base.empty() && isAlbumPhotoName(base, context.album.fileHeader))
            return false;
    }
    std::string journalPath = journalPathOf(workFolder, context.album.fileHeader);
    for (const std::string& path : {journalPath, journalPath + DraftSuffix})
        if (names.contains(path.substr(workFolder.size() + 1)))
            context.ops.remove(path, true);
    return true;
}

// Other families' leftovers may keep the folder; that is their albums' business.
void removeFinishedWorkFolder(RecoveryContext& context) {
    if (removeFinishedJournal(context))
        removeFolder(workFolderOf(context.album));
}
