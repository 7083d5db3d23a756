#pragma once
#include <functional>
#include <string>

#include "album/AlbumInfo.h"
#include "album/AlbumRows.h"
#include "album/Settings.h"
#include "platform/ShellFileOps.h"
#include "platform/UserFeedback.h"

// What an album update works on. The main view fills it: its rows, album and settings, itself as
// the feedback, a ShellFileOps made for this one run, and the three hooks into the windows.
struct UpdateContext {
    AlbumRows& rows;
    const AlbumInfo& album;
    const Settings& settings;
    UserFeedback& feedback;
    FileOperations& ops;
    // Stores a caption still being typed into the selected row's entry (when the box was modified).
    std::function<void()> commitCaptionEdit;
    // The frame's unapplied-changes flag.
    std::function<void(bool)> setAlbumChanged;
    // Rebuilds the family's scrapbook pages; runs only when "Enable HTML" is on.
    std::function<void(const std::string& albumPrefix)> generateHtml;
};

// Where a run ended. The view ignores it; it tells tests which stop was taken.
enum class UpdateOutcome {
    Declined,           // No to the confirmation: nothing changed
    StoppedLeftovers,   // photos an earlier update left in the work folder could not be brought back
    StoppedPlan,        // the files on disk do not allow the update: nothing changed
    StoppedRecycling,   // a recycle failure and No
    StoppedCaptions,    // a caption file could not be written, and No
    StoppedWorkFolder,  // the leftover work folder was declined, or it could not be created
    StoppedJournal,     // the update's journal could not be written
    StoppedMovingOut,   // a move into the work folder failed, and No
    StoppedMovingBack,  // a move back into the album failed, and No
    Completed,
};

// The Update Album command: brings back photos an earlier update left in the work folder, checks
// that the files allow the update, recycles the flagged photos, writes every caption file,
// renumbers all photo files in list order through the work folder VLM_TEMP (whose journal records
// the plan, so that a run cut short can be finished later) and, when enabled, rebuilds the web
// pages. A stop leaves every photo whole, in the album folder or the work folder, and its row
// saying where; the album then stays marked changed, as it does after any failure the user let
// pass, since some of its changes are not applied.
UpdateOutcome updateAlbum(UpdateContext& context);

// albumPath + "\" + fileHeader, and the same inside the work folder.
std::string albumPrefixOf(const AlbumInfo& album);
std::string workPrefixOf(const AlbumInfo& album);
std::string workFolderOf(const AlbumInfo& album);
