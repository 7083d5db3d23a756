#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "album/PhotoEntry.h"
#include "album/PhotoPlace.h"
#include "platform/FileSystem.h"

// Row images: the delete flag of a row.
inline constexpr int RowFlagged = 0;
inline constexpr int RowKept = 1;

// A file as the program last read or wrote it: its bytes, and its stamp at that moment.
struct KnownFile {
    std::string bytes;
    FileStamp stamp;
};

// One row of the album list: its text is the photo number, its image the delete flag, and it owns
// its PhotoEntry. The row's index is the photo's place in the order an update writes.
struct AlbumRow {
    std::string text;
    int image = RowKept;
    std::unique_ptr<PhotoEntry> entry;
    // The folder the photo's files stand in: the album folder, or the work folder VLM_TEMP where a
    // stopped update left them. Its base name is the entry's.
    PhotoFolder folder = PhotoFolder::Album;
    // The photo's caption file as loading read it or an update wrote it, while nobody has touched
    // it since: an update need not read it again to know what it holds.
    std::optional<KnownFile> captionFile;

    bool flagged() const { return image == RowFlagged; }
    bool inWorkFolder() const { return folder == PhotoFolder::Work; }
    PhotoPlace place() const { return {folder, entry->baseName()}; }
};

// Told about every change of the rows, so that a list control showing them can follow.
class AlbumRowsObserver {
public:
    virtual ~AlbumRowsObserver() = default;
    virtual void rowsReset() {}
    virtual void rowInserted(int /*index*/) {}
    virtual void rowRemoved(int /*index*/) {}
    virtual void rowChanged(int /*index*/) {}
};

// The open album: its rows in album order. The album list control displays these rows; every
// operation on the album (loading, moves, flags, the update passes, import) works on them.
class AlbumRows {
public:
    int count() const { return int(rows.size()); }
    bool empty() const { return rows.empty(); }
    const AlbumRow& row(int index) const { return rows.at(std::size_t(index)); }
    const std::string& text(int index) const { return row(index).text; }
    int image(int index) const { return row(index).image; }
    PhotoEntry* entry(int index) const { return row(index).entry.get(); }

    // Inserts a row at index (0..count()); its text is the entry's photo number unless given.
    void insert(int index, std::string text, int image, std::unique_ptr<PhotoEntry> entry);
    void append(std::string text, int image, std::unique_ptr<PhotoEntry> entry);
    // Puts back a row taken out with take().
    void insert(int index, AlbumRow row);
    // Deletes a row and its entry.
    void remove(int index);
    // Removes a row, handing its entry to the caller (a drag moves a row this way).
    AlbumRow take(int index);
    // Exchanges text, image and entry of two rows.
    void swapRows(int i, int j);
    void setText(int index, std::string text);
    void setImage(int index, int image);
    PhotoPlace place(int index) const { return row(index).place(); }
    // The row's photo now stands at place: the entry takes its base name, the row its photo number.
    void setPlace(int index, const PhotoPlace& place);
    void setCaptionFile(int index, std::optional<KnownFile> file) {
        rows.at(std::size_t(index)).captionFile = std::move(file);
    }
    // Byte-wise ascending order of the entries' base names; rows with equal names keep their order.
    void sortByBaseName();
    // Deletes every row and entry.
    void clear();

    void setObserver(AlbumRowsObserver* newObserver) { observer = newObserver; }

private:
    std::vector<AlbumRow> rows;
    AlbumRowsObserver* observer = nullptr;
};
