#include "album/AlbumRows.h"

#include <algorithm>
#include <utility>

void AlbumRows::insert(int index, std::string text, int image, std::unique_ptr<PhotoEntry> entry) {
    AlbumRow row;
    row.text = std::move(text);
    row.image = image;
    row.entry = std::move(entry);
    insert(index, std::move(row));
}

void AlbumRows::insert(int index, AlbumRow row) {
    index = std::clamp(index, 0, count());
    rows.insert(rows.begin() + index, std::move(row));
    if (observer)
        observer->rowInserted(index);
}

void AlbumRows::append(std::string text, int image, std::unique_ptr<PhotoEntry> entry) {
    insert(count(), std::move(text), image, std::move(entry));
}

void AlbumRows::remove(int index) { take(index); }

AlbumRow AlbumRows::take(int index) {
    AlbumRow taken = std::move(rows.at(std::size_t(index)));
    rows.erase(rows.begin() + index);
    if (observer)
        observer->rowRemoved(index);
    return taken;
}

void AlbumRows::swapRows(int i, int j) {
    std::swap(rows.at(std::size_t(i)), rows.at(std::size_t(j)));
    if (observer) {
        observer->rowChanged(i);
        observer->rowChanged(j);
    }
}

void AlbumRows::setText(int index, std::string text) {
    rows.at(std::size_t(index)).text = std::move(text);
    if (observer)
        observer->rowChanged(index);
}

void AlbumRows::setPlace(int index, const PhotoPlace& place) {
    AlbumRow& changed = rows.at(std::size_t(index));
    changed.folder = place.folder;
    changed.entry->setBaseName(place.baseName);
    changed.text = photoNumberOf(place.baseName);
    if (observer)
        observer->rowChanged(index);
}

void AlbumRows::setImage(int index, int image) {
    rows.at(std::size_t(index)).image = image;
    if (observer)
        observer->rowChanged(index);
}

void AlbumRows::sortByBaseName() {
    // std::string compares char_traits<char>, which orders bytes as unsigned characters.
    std::stable_sort(rows.begin(), rows.end(), [](const AlbumRow& a, const AlbumRow& b) {
        return a.entry->baseName() < b.entry->baseName();
    });
    if (observer)
        observer->rowsReset();
}

void AlbumRows::clear() {
    rows.clear();
    if (observer)
        observer->rowsReset();
}
