#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "ui/NoItemsListCtrl.h"
#include "ui/PreviewImage.h"

// Import Photos (dialog 135): the user collects photos of other families, from any neighborhood,
// in the Selected Photos list. The caller sets the open album's family, the game folder and its
// neighborhood (shown first); on IDOK selectedPhotos holds one path per chosen photo, relative to
// the game folder and without extension, in the list's sorted order. The dialog copies nothing.
class CImportPhotosDialog : public fw::CDialog {
public:
    CImportPhotosDialog();

    std::string familyName;
    std::string familyId;
    std::string gamePath;
    std::vector<std::string> selectedPhotos;
    int shownNeighborhood = 1;
    int albumNeighborhood = 1;

protected:
    bool onInitDialog() override;
    void onOk() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& header, LRESULT& result) override;
    void onIdleUpdate() override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillNeighborhoodBox();
    void fillAvailablePhotos();
    void selectFirstAvailablePhoto();
    void OnNeighborhoodChanged();
    void OnAvailablePhotoChanged(const NMLISTVIEW& change);
    void OnAvailableDoubleClick();
    void OnSelectedDoubleClick();
    void OnHowDoIImport();
    void paintPreview();

    HWND neighborhoodBox = nullptr;  // 1000
    CNoItemsListCtrl availablePhotoList;  // 1002, says when it is empty
    HWND availableList = nullptr;
    HWND selectedList = nullptr;     // 1005
    HWND previewFrame = nullptr;     // 1003
    PreviewImage previewImage;
};
