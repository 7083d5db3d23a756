#pragma once
#include <windows.h>

#include <string>

// Small operations on the single-column list views and drop-down boxes of the dialogs.

int listItemCount(HWND list);
// Inserts an item with this text; a sorted list places it itself. Its index, or -1.
int insertListItem(HWND list, const std::string& text);
std::string listItemText(HWND list, int index);
// The first item whose text equals text byte for byte, or -1.
int findListItem(HWND list, const std::string& text);
// Selects and focuses the item and scrolls it into view.
void selectListItem(HWND list, int index);
// The item under the position of the message being handled (its icon, label or state icon), or -1.
int listItemAtMessagePos(HWND list);

// The text of the selected entry of a drop-down box; empty when none is selected.
std::string selectedComboText(HWND combo);
