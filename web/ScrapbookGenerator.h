#pragma once
#include <string>

class AlbumRows;
struct AlbumInfo;
struct Settings;
class UserFeedback;
class FileOperations;

// What the scrapbook generator reads and whom it tells: the album rows in display order (row text =
// photo number as the files carry it), the album's identity and paths, the settings ("Enable
// Logging", "Delete Only"), the view's progress bar and status text, and the file operations used
// for one whole run.
struct ScrapbookContext {
    const AlbumRows& rows;
    const AlbumInfo& album;
    const Settings& settings;
    UserFeedback& feedback;
    FileOperations& files;
};

// Rebuilds the family's scrapbook web pages and image copies from the game's templates, so that
// they show the album's photos in their current order with their current captions. albumPrefix is
// albumPath + "\" + fileHeader. Every failure is reported here, by message box and log line; the
// caller carries on the same way whatever happened.
void GenerateHTML(const std::string& albumPrefix, const ScrapbookContext& context);
