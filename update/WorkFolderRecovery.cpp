#include "update/WorkFolderRecovery.h"

#include <set>
#include <utility>

#include "album/AlbumLoader.h"
#include "album/AlbumRows.h"
#include "album/PhotoEntry.h"
#include "diag/EventLog.h"
#include "diag/SystemErrorText.h"
#include "platform/FileSystem.h"
#include "update/PassPrompt.h"
#include "update/PhotoFiles.h"
#include "update/PhotoMover.h"
#include "update/PhotoNumbers.h"
#include "update/UpdateJournal.h"

namespace {
const char* const Title = "Interrupted Update";
const char* const StatusText = "Recovering interrupted update...";

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

std::string journalFailure(const std::string& systemText) {
    return "The interrupted update's journal could not be written into the\nwork folder \"VLM_TEMP\", so its photos "
           "stay where they are. Open\nthe album again to try again. The system says:\n\n" +
           systemText;
}

const char* const DetailsIntro = "associated with the following album entry:\r\n\r\n";

std::string failureDetails(const std::string& what, const std::string& baseName, const std::string& outcome) {
    return "An error was encountered while trying to " + what + " the files\r\n" + DetailsIntro + baseName +
           "\r\n\r\n" + outcome + " Would you like\r\nto continue?";
}

std::string staysInWorkFolder(const std::string& baseName) {
    return failureDetails("move", baseName,
                          "The photo stays in the work folder VLM_TEMP, and the program offers\r\nto bring it back the "
                          "next time the album is opened.");
}

std::string staysInAlbum(const std::string& baseName) {
    return failureDetails("move", baseName, "The photo stays in the album folder under its present name.");
}

std::string leftInTwoPlaces(const std::string& baseName) {
    return failureDetails("move", baseName,
                          "Its files are now in two places, and the program tries to join\r\nthem again the next time "
                          "the album is opened.");
}

std::string notRecycled(const std::string& baseName) {
    return failureDetails("recycle", baseName, "Its files that could not be recycled stay in the album folder.");
}

class Recovery {
public:
    // The photos of the journal on disk, and those of the family's files in the work folder that it
    // does not name.
    explicit Recovery(RecoveryContext& context);
    // The photos of an update that is still running, as it records them.
    Recovery(RecoveryContext& context, const TrackedPhotos& photos);

    RecoveryOutcome offer();
    RecoveryOutcome putBackWithoutAsking();

private:
    bool holdsFiles(const PhotoPlace& place) const { return names.holdsPhoto(place); }
    bool isWaiting(const TrackedPhoto& photo) const;
    bool isSplit(const TrackedPhoto& photo) const;
    int waitingCount() const;
    bool anythingToDo() const;
    void addPhotosTheJournalDoesNotName();

    void log(const std::vector<std::string>& lines) const;
    void logLabeled(const std::string& label, const std::string& text) const;
    bool record(const TrackedPhotos& step);
    bool goOn(const std::string& details);
    void startPhase(std::size_t count) const;

    void finishRecycling();
    void finish();
    void putBack();
    void putBackWaiting();
    void moveWithinStep(std::size_t i, const PhotoPlace& from, const PhotoPlace& to);
    void finishUp();
    RecoveryOutcome outcome() const;

    RecoveryContext& context;
    std::string albumPath, workFolder, header, journalPath;
    AlbumFolderNames names;
    TrackedPhotos photos;
    std::vector<PhotoPlace> startPlaces;
    std::vector<bool> gone;  // recycled
    bool journalFound = false;
    bool workFolderFound = false;
    bool stopped = false;
    PhotoMover mover;
    PassPrompt prompt;
};

Recovery::Recovery(RecoveryContext& context)
    : context(context), albumPath(context.album.albumPath), workFolder(workFolderPath(albumPath)),
      header(context.album.fileHeader), journalPath(journalPathOf(workFolder, header)),
      mover(context.ops, albumPath, context.logging, &names), prompt(context.feedback) {
    // Most of the time there is no work folder, and nothing to list.
    if (!folderExists(workFolder))
        return;
    workFolderFound = true;
    names = AlbumFolderNames(albumPath);
    if (std::optional<TrackedPhotos> journal = readUpdateJournal(journalPath, header)) {
        photos = std::move(*journal);
        journalFound = true;
    }
    addPhotosTheJournalDoesNotName();
    for (const TrackedPhoto& photo : photos)
        startPlaces.push_back(photo.at);
    gone.assign(photos.size(), false);
}

Recovery::Recovery(RecoveryContext& context, const TrackedPhotos& given)
    : context(context), albumPath(context.album.albumPath), workFolder(workFolderPath(albumPath)),
      header(context.album.fileHeader), journalPath(journalPathOf(workFolder, header)),
      names(albumPath), photos(given), mover(context.ops, albumPath, context.logging, &names),
      prompt(context.feedback) {
    workFolderFound = true;
    journalFound = true;
    for (const TrackedPhoto& photo : photos)
        startPlaces.push_back(photo.at);
    gone.assign(photos.size(), false);
}

// A photo of the family in the work folder that the journal does not name (or that is there
// without a journal) goes back after the album's last photo.
void Recovery::addPhotosTheJournalDoesNotName() {
    std::set<std::string> named;
    for (const TrackedPhoto& photo : photos)
        for (const PhotoPlace* place : {&photo.at, &photo.to})
            if (place->folder == PhotoFolder::Work)
                named.insert(foldedName(place->baseName));
    std::set<std::string> found;  // sorted, so that they come back in name order
    for (const std::string& name : names.of(PhotoFolder::Work).all()) {
        std::string base = photoBaseOfFile(name);
        if (!base.empty() && isAlbumPhotoName(base, header) && !named.count(foldedName(base)))
            found.insert(base);
    }
    std::set<std::string> added;
    for (const std::string& base : found) {
        if (!added.insert(foldedName(base)).second)
            continue;
        TrackedPhoto photo;
        photo.identity = base;
        photo.at = {PhotoFolder::Work, base};
        photos.push_back(photo);
    }
}

bool Recovery::isWaiting(const TrackedPhoto& photo) const {
    return (photo.at.folder == PhotoFolder::Work && holdsFiles(photo.at)) ||
           (photo.step == TrackedPhoto::Step::Moves && photo.to.folder == PhotoFolder::Work && holdsFiles(photo.to));
}

bool Recovery::isSplit(const TrackedPhoto& photo) const {
    return photo.step == TrackedPhoto::Step::Moves && holdsFiles(photo.at) && holdsFiles(photo.to);
}

int Recovery::waitingCount() const {
    int count = 0;
    for (std::size_t i = 0; i < photos.size(); ++i)
        count += !gone[i] && isWaiting(photos[i]);
    return count;
}

bool Recovery::anythingToDo() const {
    for (std::size_t i = 0; i < photos.size(); ++i)
        if (!gone[i] && (photos[i].step != TrackedPhoto::Step::Stays || isWaiting(photos[i])))
            return true;
    return false;
}

void Recovery::log(const std::vector<std::string>& lines) const {
    if (context.logging && !lines.empty())
        eventLog.writeMessages(lines);
}

void Recovery::logLabeled(const std::string& label, const std::string& text) const {
    if (context.logging)
        eventLog.writeLabeled(label, text);
}

// Write ahead: no file of a step moves before the journal names where it goes.
bool Recovery::record(const TrackedPhotos& step) {
    TrackedPhotos kept;
    for (std::size_t i = 0; i < step.size(); ++i)
        if (!gone[i])
            kept.push_back(step[i]);
    int result = writeUpdateJournal(context.ops, journalPath, kept);
    if (result == 0)
        return true;
    logLabeled("ERROR:", "Could not write the update journal " + journalPath + resultText(result));
    context.feedback.messageBox(Title, journalFailure(systemErrorText(std::uint32_t(result), "")),
                                msgbox::Ok | msgbox::IconError);
    stopped = true;
    return false;
}

bool Recovery::goOn(const std::string& details) {
    stopped = stopped || !prompt.goOn(details);
    return !stopped;
}

void Recovery::startPhase(std::size_t count) const {
    context.feedback.setProgressPosition(0);
    context.feedback.setProgressRange(0, int(count));
    context.feedback.setProgressStep(1);
}

// How a move of the recovery reads in the log.
std::string moveLine(const std::string& fromPath, const std::string& toPath, const PhotoPlace& from,
                     const PhotoPlace& to, int result) {
    if (to.folder == PhotoFolder::Work)
        return "Moving " + fromPath + " to work folder" + resultText(result);
    if (from.folder == PhotoFolder::Album)
        return "Renaming " + fromPath + " to " + toPath + resultText(result);
    return "Moving " + fromPath + " back to album as " + toPath + resultText(result);
}

// Moves the files of photo i that stand at `from` to `to`, two places its journal names; when one
// cannot follow, those that moved go back. The photo then stands whole at one of them, or, when
// even that failed, keeps both in its step.
void Recovery::moveWithinStep(std::size_t i, const PhotoPlace& from, const PhotoPlace& to) {
    TrackedPhoto& photo = photos[i];
    PhotoMoveResults results = mover.moveListed(from, to);
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < PhotoFileSuffixes.size(); ++k)
        if (results.files[k].tried)
            lines.push_back(moveLine(mover.pathOf(from, PhotoFileSuffixes[k]), mover.pathOf(to, PhotoFileSuffixes[k]),
                                     from, to, results.files[k].result));
    log(lines);
    PhotoWhole whole = results.failed() ? mover.keepWhole(from, to, results) : PhotoWhole::AtDestination;
    if (whole == PhotoWhole::Split) {
        photo.at = from;
        photo.moveTo(to);
        goOn(leftInTwoPlaces(photo.identity));
        return;
    }
    photo.settleAt(whole == PhotoWhole::AtDestination ? to : from);
    if (whole == PhotoWhole::AtSource)
        goOn(from.folder == PhotoFolder::Work ? staysInWorkFolder(photo.identity) : staysInAlbum(photo.identity));
}

// Photos that were on their way to the Recycle Bin go on there, whatever the answer: the user
// confirmed it, and what went first is in the Recycle Bin already.
void Recovery::finishRecycling() {
    for (std::size_t i = 0; i < photos.size(); ++i) {
        TrackedPhoto& photo = photos[i];
        if (gone[i] || photo.step != TrackedPhoto::Step::Recycled)
            continue;
        PhotoMoveResults results = mover.recycleListed(photo.at);
        std::vector<std::string> lines;
        for (std::size_t k = 0; k < PhotoFileSuffixes.size(); ++k)
            if (results.files[k].tried)
                lines.push_back("Recycling " + mover.pathOf(photo.at, PhotoFileSuffixes[k]) +
                                resultText(results.files[k].result));
        log(lines);
        context.feedback.stepProgress();
        if (!results.failed()) {
            gone[i] = true;
            continue;
        }
        // What is left stays where it is, as a photo without a plan.
        photo.flagged = false;
        photo.finalBaseName.clear();
        photo.settleAt(photo.at);
        if (goOn(notRecycled(photo.identity)))
            continue;
        return;
    }
}

// Finishing goes as the update went: the step under way to its end, then each photo to the name
// the update planned as soon as that name is free, then the photos that cannot reach it back after
// the album's last photo.
void Recovery::finish() {
    startPhase(photos.size());
    for (std::size_t i = 0; i < photos.size() && !stopped; ++i) {
        if (!gone[i] && photos[i].step == TrackedPhoto::Step::Moves)
            moveWithinStep(i, photos[i].at, photos[i].to);
        context.feedback.stepProgress();
    }
    std::vector<bool> tried(photos.size(), false);  // a photo that could not reach its name stays
    while (!stopped) {
        std::set<std::string> claimed;  // album names the photos stand under, or a split one may still have
        for (std::size_t i = 0; i < photos.size(); ++i)
            if (!gone[i])
                for (const PhotoPlace* place : {&photos[i].at, &photos[i].to})
                    if (place->folder == PhotoFolder::Album && !place->baseName.empty())
                        claimed.insert(foldedName(place->baseName));
        TrackedPhotos step = photos;
        std::vector<std::size_t> group;
        for (std::size_t i = 0; i < photos.size(); ++i) {
            const TrackedPhoto& photo = photos[i];
            PhotoPlace target{PhotoFolder::Album, photo.finalBaseName};
            if (gone[i] || tried[i] || photo.step != TrackedPhoto::Step::Stays || photo.finalBaseName.empty() ||
                photo.atFinalPlace() || !holdsFiles(photo.at) || claimed.count(foldedName(target.baseName)) ||
                holdsFiles(target))
                continue;
            step[i].moveTo(target);
            group.push_back(i);
        }
        if (group.empty() || !record(step))
            break;
        startPhase(group.size());
        for (std::size_t i : group) {
            if (stopped)
                break;
            tried[i] = true;
            photos[i] = step[i];
            moveWithinStep(i, step[i].at, step[i].to);
            context.feedback.stepProgress();
        }
    }
    putBackWaiting();
}

// Putting back keeps what is in the album folder where it is: a photo the cut left in two places
// joins its files there, and the photos in the work folder come back after the album's last photo.
void Recovery::putBack() {
    startPhase(photos.size());
    for (std::size_t i = 0; i < photos.size() && !stopped; ++i) {
        TrackedPhoto& photo = photos[i];
        if (gone[i] || photo.step != TrackedPhoto::Step::Moves)
            continue;
        if (!isSplit(photo)) {
            photo.settleAt(holdsFiles(photo.to) ? photo.to : photo.at);
            continue;
        }
        bool backward = photo.to.folder == PhotoFolder::Work && photo.at.folder == PhotoFolder::Album;
        PhotoPlace from = backward ? photo.to : photo.at, to = backward ? photo.at : photo.to;
        moveWithinStep(i, from, to);
        context.feedback.stepProgress();
    }
    putBackWaiting();
}

// The numbers are chosen and written into the journal before the first photo moves, so that a
// recovery cut short here finds them again.
void Recovery::putBackWaiting() {
    if (stopped)
        return;
    std::set<std::string> claimed;
    for (std::size_t i = 0; i < photos.size(); ++i)
        if (!gone[i])
            for (const PhotoPlace* place : {&photos[i].at, &photos[i].to})
                if (place->folder == PhotoFolder::Album && !place->baseName.empty())
                    claimed.insert(foldedName(place->baseName));
    const FolderNames& album = names.of(PhotoFolder::Album);
    auto taken = [&](const std::string& base) { return album.holdsPhoto(base) || claimed.count(foldedName(base)); };
    long long next = highestPhotoNumber(album, header) + 1;
    TrackedPhotos step = photos;
    std::vector<std::size_t> group;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const TrackedPhoto& photo = photos[i];
        if (gone[i] || photo.step != TrackedPhoto::Step::Stays || photo.at.folder != PhotoFolder::Work ||
            !holdsFiles(photo.at))
            continue;
        long long number = firstFreePhotoNumber(next, taken, header);
        std::string target = header + photoNumberText(number);
        claimed.insert(foldedName(target));
        next = number + 1;
        step[i].moveTo({PhotoFolder::Album, target});
        group.push_back(i);
    }
    if (group.empty() || !record(step))
        return;
    startPhase(group.size());
    for (std::size_t i : group) {
        if (stopped)
            break;
        photos[i] = step[i];
        moveWithinStep(i, step[i].at, step[i].to);
        if (photos[i].at == step[i].to)
            photos[i].finalBaseName = step[i].to.baseName;
        context.feedback.stepProgress();
    }
}

// The journal goes once no photo is left in the work folder or in two places; while one is, it
// records where each photo stands now.
void Recovery::finishUp() {
    bool left = false;
    for (std::size_t i = 0; i < photos.size(); ++i)
        left = left || (!gone[i] && (isWaiting(photos[i]) || photos[i].step != TrackedPhoto::Step::Stays));
    if (left) {
        record(photos);
        return;
    }
    for (const std::string& path : {journalPath, journalPath + DraftSuffix})
        if (context.ops.exists(path))
            context.ops.remove(path, true);
    // Other families' leftovers may keep the folder; that is their albums' business.
    context.ops.removeFolder(workFolder);
}

RecoveryOutcome Recovery::outcome() const {
    RecoveryOutcome result;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        if (gone[i])
            continue;
        if (photos[i].at != startPlaces[i])
            result.photos.push_back({startPlaces[i], photos[i].at});
        result.stranded += isWaiting(photos[i]) || photos[i].step != TrackedPhoto::Step::Stays;
    }
    return result;
}

RecoveryOutcome Recovery::offer() {
    if (!workFolderFound)
        return outcome();
    if (!anythingToDo()) {
        finishUp();
        return outcome();
    }
    int waiting = waitingCount();
    log({"========== RECOVERING INTERRUPTED UPDATE =========="});
    bool finishing = false;
    if (waiting > 0) {
        logLabeled("WARNING:", std::to_string(waiting) + " photos of this album were left in the work folder VLM_TEMP");
        bool planned = false;
        for (const TrackedPhoto& photo : photos)
            planned = planned || !photo.finalBaseName.empty();
        if (journalFound && planned) {
            finishing = context.feedback.messageBox(Title, finishQuestion(waiting), msgbox::YesNo | msgbox::IconWarning) ==
                        msgbox::IdYes;
        } else {
            context.feedback.messageBox(Title, putBackNotice(waiting), msgbox::Ok | msgbox::IconInformation);
        }
        logLabeled("UPDATING:", finishing ? "Finishing the interrupted update" : "Putting the photos back into the album");
    }
    ScopedWaitCursor waitCursor(context.feedback);
    context.feedback.setStatusText(StatusText);
    startPhase(photos.size());
    finishRecycling();
    if (!stopped) {
        if (finishing)
            finish();
        else
            putBack();
    }
    finishUp();
    context.feedback.setProgressPosition(0);
    context.feedback.setStatusText("");
    RecoveryOutcome result = outcome();
    result.found = true;
    return result;
}

RecoveryOutcome Recovery::putBackWithoutAsking() {
    putBackWaiting();
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

void applyRecoveredPhotos(AlbumRows& rows, const RecoveryOutcome& outcome) {
    std::vector<std::pair<int, const RecoveredPhoto*>> matches;
    for (const RecoveredPhoto& photo : outcome.photos)
        for (int i = 0; i < rows.count(); ++i)
            if (rows.place(i) == photo.before) {
                matches.emplace_back(i, &photo);
                break;
            }
    for (const auto& [i, photo] : matches)
        rows.setPlace(i, photo->after);
}

RecoveryOutcome recoverInterruptedUpdate(RecoveryContext& context) { return Recovery(context).offer(); }

RecoveryOutcome putBackWaitingPhotos(RecoveryContext& context, const TrackedPhotos& photos) {
    return Recovery(context, photos).putBackWithoutAsking();
}
