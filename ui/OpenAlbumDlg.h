#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "album/FamilyRow.h"
#include "framework/Dialog.h"
#include "ui/NoItemsListCtrl.h"

// Open Photo Album (dialog 130): the user picks a neighborhood and one family with photos in it.
// The caller sets gamePath and neighborhoodNumber; on IDOK it reads the chosen family and the
// neighborhood it belongs to.
class COpenAlbumDlg : public fw::CDialog {
public:
    COpenAlbumDlg();

    std::string gamePath;
    int neighborhoodNumber = 1;
    std::string familyName;
    std::string familyLot;
    std::string familyId;

protected:
    bool onInitDialog() override;
    void onOk() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& header, LRESULT& result) override;
    void onIdleUpdate() override;

private:
    void setUpFamilyList();
    void fillNeighborhoodBox();
    void refreshFamilyRows();
    void OnNeighborhoodChanged();
    // The selected family row, or null.
    const FamilyRow* selectedFamily() const;
    bool canOpenSelection() const;

    HWND neighborhoodBox = nullptr;  // 1000
    CNoItemsListCtrl familyList;     // 1001
    // The rows the list shows, in its order.
    std::vector<FamilyRow> families;
};
