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
// renumbers all photo files in list order through the work folder VLM_TEMP and, when enabled,
// rebuilds the web pages.
//
// What an update promises for every photo, however it ends: stopped by the user, failing, or cut
// short at any moment by a power cut or End Task, its own recovery included:
// - G1 nothing lost or hidden: every photo's image, caption and thumbnail exist, in the album
//   folder, in the work folder while an update of it is unfinished, or, flagged, in the Recycle
//   Bin; a photo in the work folder is offered back whenever the album is opened.
// - G2 nothing swapped: a row, a base name and a journal line stand for one photo's own files.
// - G3 nothing overwritten or cut: no move or copy lands on a taken name, and the files the
//   program rewrites (captions, the journal) hold their old bytes or their new ones at every moment.
// - G4 nothing forgotten: while a change of the user's is not on disk the album stays marked
//   changed, and an unfinished update stays in its journal until it is finished or put back.
// - G5 whole: at rest, a photo's image, caption and thumbnail stand under one base name in one
//   folder.
// The journal in the work folder names every photo's step before any of its files moves, the
// recovery's own choices included; the recovery reads only it and the two folders.
UpdateOutcome updateAlbum(UpdateContext& context);

// albumPath + "\" + fileHeader, and the same inside the work folder.
std::string albumPrefixOf(const AlbumInfo& album);
std::string workPrefixOf(const AlbumInfo& album);
std::string workFolderOf(const AlbumInfo& album);
