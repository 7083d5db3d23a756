#pragma once

class AlbumRows;

// The album list's reordering and flag commands on the rows, without a window. Each move returns
// the row to select afterwards, or -1 when the command does not apply (nothing moved). A moved
// photo keeps its number text, flag and caption; the rows between shift by one.

int moveToTop(AlbumRows& rows, int selected);
int moveUpOne(AlbumRows& rows, int selected);
int moveDownOne(AlbumRows& rows, int selected);
int moveToBottom(AlbumRows& rows, int selected);

// Drops row source onto row target (-1: below the last row, which appends). Dragging downwards
// onto row t leaves the photo right after the one that was at t; upwards, right before it.
// Returns the photo's new row, or -1 when source is not a row.
int dropRow(AlbumRows& rows, int source, int target);

// Flips the delete flag of a row; false when there is no such row.
bool toggleDeleteFlag(AlbumRows& rows, int selected);
