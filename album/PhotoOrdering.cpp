#include "album/PhotoOrdering.h"

#include "album/AlbumRows.h"

#include <algorithm>

namespace {
bool isRow(const AlbumRows& rows, int index) { return index >= 0 && index < rows.count(); }
}  // namespace

int moveToTop(AlbumRows& rows, int selected) {
    if (!isRow(rows, selected) || selected == 0)
        return -1;
    for (int k = selected; k >= 1; --k)
        rows.swapRows(k, k - 1);
    return 0;
}

int moveUpOne(AlbumRows& rows, int selected) {
    if (!isRow(rows, selected) || selected == 0)
        return -1;
    rows.swapRows(selected, selected - 1);
    return selected - 1;
}

int moveDownOne(AlbumRows& rows, int selected) {
    if (!isRow(rows, selected) || selected + 1 >= rows.count())
        return -1;
    rows.swapRows(selected, selected + 1);
    return selected + 1;
}

int moveToBottom(AlbumRows& rows, int selected) {
    if (!isRow(rows, selected) || selected >= rows.count() - 1)
        return -1;
    for (int k = selected + 1; k <= rows.count() - 1; ++k)
        rows.swapRows(k - 1, k);
    return rows.count() - 1;
}

int dropRow(AlbumRows& rows, int source, int target) {
    if (!isRow(rows, source))
        return -1;
    AlbumRow moved = rows.take(source);
    // The target index counts rows as they were before the drag took the photo out.
    int insertAt = target < 0 ? rows.count() : std::min(target, rows.count());
    rows.insert(insertAt, std::move(moved));
    return insertAt;
}

bool toggleDeleteFlag(AlbumRows& rows, int selected) {
    if (!isRow(rows, selected))
        return false;
    rows.setImage(selected, rows.image(selected) == RowFlagged ? RowKept : RowFlagged);
    return true;
}
