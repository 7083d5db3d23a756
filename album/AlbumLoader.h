#pragma once
#include <string>
#include <vector>

class AlbumRows;
class UserFeedback;

inline constexpr const char* LoadingStatusText = "Loading photo album contents...";
inline constexpr const char* AlbumSizeWarningTitle = "Album Size Warning";
inline constexpr const char* AlbumSizeWarningText =
    "This photo album contains a total of more than 200 entries. The\n"
    "Sims can currently only write a maximum of 200 photo captions to\n"
    "the album HTML files. As a result, Velmora will not\n"
    "write more than this number when updating the HTML files.";
// The game's scrapbook pages hold at most this many captions.
inline constexpr int ScrapbookCaptionLimit = 200;

// Whether a JPEG's base name is a photo of the album with this file header: it contains the
// header and is not a thumbnail. Both are case-sensitive searches anywhere in the name.
bool isAlbumPhotoName(const std::string& baseName, const std::string& fileHeader);

// The base names of the album's photos in albumPath, in the order the file system lists them.
// When logging, writes "LOADING: <baseName>.jpg" for each.
std::vector<std::string> findAlbumPhotos(const std::string& albumPath, const std::string& fileHeader,
                                         bool logging);

// Loads the album's photos into rows (which the caller has emptied): one row per photo, its
// caption read from its caption file, kept, sorted by base name byte by byte. Shows the loading
// status and progress through feedback and resets both at the end; warns once when there are more
// than 200 photos. Returns the photo number of the last row, "" for an empty album. Selecting the
// first row is left to the view.
std::string loadAlbumRows(const std::string& albumPath, const std::string& fileHeader, bool logging,
                          AlbumRows& rows, UserFeedback& feedback);
