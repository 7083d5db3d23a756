#include "ui/ImportPhotosDialog.h"

#include <commctrl.h>
#include <htmlhelp.h>

#include "album/AvailablePhotos.h"
#include "album/GameLocations.h"
#include "framework/Gdi.h"
#include "framework/WaitCursor.h"
#include "platform/System.h"
#include "res/resource.h"
#include "ui/ListViewItems.h"
#include "ui/PreviewPainter.h"

namespace {
// The help viewer's system-menu item that this program does not offer.
constexpr UINT HelpViewerMenuItem = 0xEFFF;

void setUpPhotoList(HWND list, const char* heading) {
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_CENTER;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    column.pszText = const_cast<char*>(heading);
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}
}  // namespace

CImportPhotosDialog::CImportPhotosDialog() : fw::CDialog(IDD_IMPORT_PHOTOS) {}

bool CImportPhotosDialog::onInitDialog() {
    fw::CDialog::onInitDialog();
    neighborhoodBox = item(IDC_IMPORT_NEIGHBORHOOD);
    availablePhotoList.attach(hwnd, IDC_IMPORT_AVAILABLE);
    availableList = availablePhotoList.handle();
    selectedList = item(IDC_IMPORT_SELECTED);
    previewFrame = item(IDC_IMPORT_PREVIEW_FRAME);
    setUpPhotoList(availableList, "Available Photos");
    setUpPhotoList(selectedList, "Selected Photos");
    fillNeighborhoodBox();
    fillAvailablePhotos();
    selectFirstAvailablePhoto();
    // With no photo to pick here, the next thing to do is to choose another neighborhood.
    if (listItemCount(availableList) == 0)
        SetFocus(neighborhoodBox);
    // Import starts disabled, not only from the first idle moment on.
    onIdleUpdate();
    // The focus has been given to the first photo, or to the neighborhood box.
    return false;
}

// The box sorts its entries. The shown neighborhood is chosen by the start of its text, or the
// first entry when it has none.
void CImportPhotosDialog::fillNeighborhoodBox() {
    for (const std::string& text : neighborhoodTexts(gamePath))
        SendMessageA(neighborhoodBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    std::string shown = neighborhoodTextOf(shownNeighborhood);
    LRESULT found = SendMessageA(neighborhoodBox, CB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(shown.c_str()));
    SendMessageA(neighborhoodBox, CB_SETCURSEL, found == CB_ERR ? 0 : WPARAM(found), 0);
}

// The open family's own photos are left out in its own neighborhood; the list sorts the rest.
void CImportPhotosDialog::fillAvailablePhotos() {
    SendMessageA(availableList, LVM_DELETEALLITEMS, 0, 0);
    OpenFamily openFamily{familyName, familyId, albumNeighborhood};
    for (const std::string& baseName : availablePhotos(gamePath, shownNeighborhood, openFamily))
        insertListItem(availableList, baseName);
    updateData(false);
    // An empty list paints its notice over the whole control.
    InvalidateRect(availableList, nullptr, TRUE);
}

void CImportPhotosDialog::selectFirstAvailablePhoto() {
    if (listItemCount(availableList) == 0)
        return;
    selectListItem(availableList, 0);
    SetFocus(availableList);
}

void CImportPhotosDialog::OnNeighborhoodChanged() {
    std::string text = selectedComboText(neighborhoodBox);
    if (text.empty())
        return;
    shownNeighborhood = neighborhoodNumberOf(text);
    fw::CWaitCursor wait;
    fillAvailablePhotos();
    selectFirstAvailablePhoto();
}

// A photo that has become selected is shown; a failed load shows an empty preview. Losing the
// selection keeps what the preview shows.
void CImportPhotosDialog::OnAvailablePhotoChanged(const NMLISTVIEW& change) {
    bool becameSelected = (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
                          !(change.uOldState & LVIS_SELECTED);
    if (!becameSelected || change.iItem < 0)
        return;
    {
        fw::CWaitCursor wait;
        std::string baseName = listItemText(availableList, change.iItem);
        previewImage.load(availablePhotoFile(gamePath, shownNeighborhood, baseName));
    }
    updateData(false);
    RECT frame{};
    GetWindowRect(previewFrame, &frame);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&frame), 2);
    InvalidateRect(hwnd, &frame, FALSE);
    UpdateWindow(hwnd);
}

// A photo is collected once: a second double click on it changes nothing.
void CImportPhotosDialog::OnAvailableDoubleClick() {
    int hit = listItemAtMessagePos(availableList);
    if (hit < 0)
        return;
    std::string path = relativePhotoPath(shownNeighborhood, listItemText(availableList, hit));
    if (findListItem(selectedList, path) < 0)
        insertListItem(selectedList, path);
}

void CImportPhotosDialog::OnSelectedDoubleClick() {
    int hit = listItemAtMessagePos(selectedList);
    if (hit >= 0)
        SendMessageA(selectedList, LVM_DELETEITEM, WPARAM(hit), 0);
}

void CImportPhotosDialog::OnHowDoIImport() {
    std::string helpPath = programFolder() + "\\velmora.chm::/Published/B_03_howto_import.html";
    HWND helpWindow = HtmlHelpA(nullptr, helpPath.c_str(), HH_DISPLAY_TOPIC, 0);
    if (helpWindow) {
        DeleteMenu(GetSystemMenu(helpWindow, FALSE), HelpViewerMenuItem, MF_BYCOMMAND);
        return;
    }
    std::string text = "The program help file was either not found, or cannot be opened.\nThe expected path to this "
                       "file is:\n\n" +
                       helpPath;
    MessageBoxA(hwnd, text.c_str(), "Error Opening Help File", MB_OK | MB_ICONERROR);
}

void CImportPhotosDialog::onIdleUpdate() {
    HWND importButton = item(IDOK);
    BOOL anySelected = listItemCount(selectedList) > 0;
    if (IsWindowEnabled(importButton) != anySelected)
        EnableWindow(importButton, anySelected);
}

// Enter reaches here even while the Import button is disabled: with nothing collected there is
// nothing to import, and the dialog stays open.
void CImportPhotosDialog::onOk() {
    int count = listItemCount(selectedList);
    if (count == 0)
        return;
    for (int index = 0; index < count; ++index)
        selectedPhotos.push_back(listItemText(selectedList, index));
    endDialog(IDOK);
}

bool CImportPhotosDialog::onCommand(int id, int code, HWND) {
    if (id == IDC_IMPORT_NEIGHBORHOOD && code == CBN_SELCHANGE) {
        OnNeighborhoodChanged();
        return true;
    }
    if (id == IDC_IMPORT_HOW_TO && code == BN_CLICKED) {
        OnHowDoIImport();
        return true;
    }
    return false;
}

bool CImportPhotosDialog::onNotify(NMHDR& header, LRESULT& result) {
    result = 0;
    if (header.idFrom == IDC_IMPORT_AVAILABLE && header.code == LVN_ITEMCHANGED) {
        OnAvailablePhotoChanged(reinterpret_cast<const NMLISTVIEW&>(header));
        return true;
    }
    if (header.code != NM_DBLCLK)
        return false;
    if (header.idFrom == IDC_IMPORT_AVAILABLE) {
        OnAvailableDoubleClick();
        return true;
    }
    if (header.idFrom == IDC_IMPORT_SELECTED) {
        OnSelectedDoubleClick();
        return true;
    }
    return false;
}

INT_PTR CImportPhotosDialog::handleMessage(UINT message, WPARAM, LPARAM) {
    if (message != WM_PAINT)
        return FALSE;
    paintPreview();
    return TRUE;
}

void CImportPhotosDialog::paintPreview() {
    fw::PaintDC dc(hwnd);
    paintPreviewInFrame(dc.get(), previewFrame, previewImage);
}
