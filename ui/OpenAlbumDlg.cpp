#include "ui/OpenAlbumDlg.h"

#include <commctrl.h>

#include <utility>

#include "album/FamilyRows.h"
#include "album/GameLocations.h"
#include "album/NeighborhoodFile.h"
#include "framework/WaitCursor.h"
#include "res/resource.h"

namespace {
constexpr int NeighborhoodBoxId = 1000;
constexpr int FamilyListId = 1001;

void insertColumn(HWND list, int index, const char* heading, int format, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(index), reinterpret_cast<LPARAM>(&column));
}

void setCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&cell));
}

void appendRow(HWND list, const FamilyRow& family) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(family.name.c_str());
    int row = int(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        return;
    setCellText(list, row, 1, family.lot);
    setCellText(list, row, 2, family.id);
}
}  // namespace

COpenAlbumDlg::COpenAlbumDlg() : fw::CDialog(IDD_OPEN_ALBUM) {}

bool COpenAlbumDlg::onInitDialog() {
    fw::CDialog::onInitDialog();
    neighborhoodBox = item(NeighborhoodBoxId);
    familyList.attach(hwnd, FamilyListId);
    setUpFamilyList();
    fillNeighborhoodBox();
    refreshFamilyRows();
    return true;
}

// Name, lot and ID share the list's width six to two to two; the ID takes what division leaves.
void COpenAlbumDlg::setUpFamilyList() {
    HWND list = familyList.handle();
    RECT client{};
    GetClientRect(list, &client);
    int width = client.right;
    int tenth = width / 10;
    insertColumn(list, 0, "Family Name", LVCFMT_LEFT, 6 * tenth);
    insertColumn(list, 1, "Lot", LVCFMT_CENTER, 2 * tenth);
    insertColumn(list, 2, "ID", LVCFMT_CENTER, width - 8 * tenth);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

// The box sorts its items itself. The caller's neighborhood is chosen by the start of its text,
// or the first neighborhood when it is not there.
void COpenAlbumDlg::fillNeighborhoodBox() {
    for (const std::string& text : neighborhoodTexts(gamePath))
        SendMessageA(neighborhoodBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    std::string current = neighborhoodTextOf(neighborhoodNumber);
    LRESULT found = SendMessageA(neighborhoodBox, CB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(current.c_str()));
    SendMessageA(neighborhoodBox, CB_SETCURSEL, found == CB_ERR ? 0 : WPARAM(found), 0);
}

// The families with photos in the neighborhood's album folder, completed from its neighborhood
// file and sorted; when that file can't be read, their lot and ID show "?" and the user is told.
void COpenAlbumDlg::refreshFamilyRows() {
    HWND list = familyList.handle();
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    NeighborhoodFamilies found = familyRowsOfNeighborhood(gamePath, neighborhoodNumber);
    families = std::move(found.rows);
    if (found.dataReadingError)
        MessageBoxA(hwnd, DataReadingErrorText, DataReadingErrorTitle, MB_OK | MB_ICONERROR);
    for (const FamilyRow& family : families)
        appendRow(list, family);
    // The empty-list text and the rows may overlap: the whole list is painted afresh.
    InvalidateRect(list, nullptr, TRUE);
}

void COpenAlbumDlg::OnNeighborhoodChanged() {
    LRESULT selected = SendMessageA(neighborhoodBox, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    char text[64] = {};
    if (SendMessageA(neighborhoodBox, CB_GETLBTEXTLEN, WPARAM(selected), 0) >= LRESULT(sizeof text))
        return;
    SendMessageA(neighborhoodBox, CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(text));
    neighborhoodNumber = neighborhoodNumberOf(text);
    fw::CWaitCursor wait;
    refreshFamilyRows();
}

const FamilyRow* COpenAlbumDlg::selectedFamily() const {
    int row = int(SendMessageA(familyList.handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    if (row < 0 || row >= int(families.size()))
        return nullptr;
    return &families[std::size_t(row)];
}

bool COpenAlbumDlg::canOpenSelection() const {
    const FamilyRow* family = selectedFamily();
    return family && canOpenFamilyRow(*family);
}

void COpenAlbumDlg::onIdleUpdate() {
    HWND openButton = item(IDOK);
    bool enable = canOpenSelection();
    if ((IsWindowEnabled(openButton) != FALSE) != enable)
        EnableWindow(openButton, enable);
}

// Only a family whose lot and ID were read can be opened; Enter or a stray OK on any other row
// leaves the dialog open, as the disabled Open button does.
void COpenAlbumDlg::onOk() {
    if (!canOpenSelection())
        return;
    const FamilyRow& family = *selectedFamily();
    familyName = family.name;
    familyLot = family.lot;
    familyId = family.id;
    fw::CDialog::onOk();
}

bool COpenAlbumDlg::onCommand(int id, int code, HWND) {
    if (id == NeighborhoodBoxId && code == CBN_SELCHANGE) {
        OnNeighborhoodChanged();
        return true;
    }
    return false;
}

bool COpenAlbumDlg::onNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom == FamilyListId && header.code == NM_DBLCLK) {
        if (canOpenSelection())
            onOk();
        result = 0;
        return true;
    }
    return false;
}
