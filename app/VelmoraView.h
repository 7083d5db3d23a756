#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "album/AlbumInfo.h"
#include "album/AlbumRows.h"
#include "album/Settings.h"
#include "app/CommandAvailability.h"
#include "framework/FormView.h"
#include "framework/Gdi.h"
#include "platform/UserFeedback.h"
#include "ui/PreviewImage.h"
#include "web/BrowserAutomation.h"
#include "web/BrowserEventSink.h"
#include "web/ComApartment.h"

// The main form (template 101): the album list, the preview, the caption box and the progress
// bar. It holds the open album and the settings, handles the album commands, and is the window
// through which the core reports to the user.
class CVelmoraView : public fw::CFormView, public UserFeedback, private AlbumRowsObserver {
public:
    CVelmoraView();
    ~CVelmoraView() override;

    // Open Album: the command, and the offer at the first idle moment.
    void openAlbum();
    int showOpenSetting() const { return settings.showOpen; }

    int isAlbumChanged() const;
    void setAlbumChanged(int flag);

    // Stores a caption the user has typed and not yet committed as the caption of the selected
    // row's photo. Runs before anything moves rows or writes the album.
    void commitPendingCaption();

    // What the enable rules of the commands look at.
    CommandContext commandContext() const;

    // UserFeedback: message boxes owned by the main window, the status bar, the progress bar and
    // the wait cursor.
    int messageBox(const std::string& title, const std::string& text, unsigned style) override;
    PromptAnswer errorPrompt(const std::string& details) override;
    void setStatusText(const std::string& text) override;
    void setProgressRange(int low, int high) override;
    void setProgressPosition(int position) override;
    void setProgressStep(int step) override;
    void stepProgress() override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

protected:
    void onPreCreate() override;
    void onInitialUpdate() override;
    bool onCommand(int id) override;
    bool onControlCommand(int id, int code, HWND control) override;
    void exchangeData(fw::DataExchange& exchange) override;
    bool onNotify(NMHDR& header, LRESULT& result) override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroy() override;

private:
    // Command handlers.
    void OnUpdateAlbum();
    void OnViewHtmlPages();
    void OnImportPhotos();
    void OnMoveTop();
    void OnMoveUp();
    void OnMoveDown();
    void OnMoveBottom();
    void OnToggleDeleteFlag();
    // Runs one of the row moves on the selected row and selects the photo where it landed.
    void moveSelectedRow(int (*move)(AlbumRows& rows, int selected));
    void OnOpenNeighborhoodFolder();
    void OnOptions();
    void OnHelpContents();

    // The Open Photo Album dialog; true on OK, with the choice in the identity fields given.
    bool chooseAlbum(int& neighborhood, std::string& familyName, std::string& familyId, std::string& familyLot);
    void loadAlbumContents();
    void refreshPreviewAndCaption();
    // Where the selected row's photo is: the album folder, or the work folder for a photo that a
    // stopped update left there.
    std::string photoPathOfRow(int index) const;
    void onAlbumSelectionChanged();
    void enableCaptionBoxForSelection();
    void onPaint();
    // The browser window of View HTML Pages.
    bool browserAttached() const;
    void disconnectBrowserEvents();
    void releaseBrowser();
    void closeBrowser();
    void openInDefaultBrowser(const std::string& page);
    // While a browser is held: lets go of it once its window has gone without a word.
    static void CALLBACK watchBrowserWindow(HWND view, UINT message, UINT_PTR timer, DWORD time);
    void clearAlbumRows();

    // The album list control follows the rows.
    void setUpAlbumList();
    int selectedRow() const;
    // Selects and focuses a row and scrolls it into view.
    void selectRow(int index);
    void setDropHighlight(int index, bool on);
    void rowsReset() override;
    void rowInserted(int index) override;
    void rowRemoved(int index) override;
    void rowChanged(int index) override;
    void showRow(int index, bool inserting);

    // Dragging a row to a new place in the album list.
    void beginRowDrag(const NMLISTVIEW& notification);
    void continueRowDrag(POINT client);
    void dropDraggedRow(POINT client);
    void endRowDrag();
    void clearDropHighlight(HWND list);

    HWND captionBox = nullptr;    // 1018
    HWND progressBar = nullptr;   // 1001
    HWND previewFrame = nullptr;  // 1022
    HWND albumList = nullptr;     // 1010
    std::string captionText;
    std::string previewLabel;
    int previewFailed = 0;
    int reordering = 0;
    Settings settings;
    fw::ImageList rowImages;
    AlbumInfo album;
    // The photo the preview shows. Photo numbers cannot tell it: two rows may show the same number
    // (a copy of a photo named "Copy of ..._0003" beside the photo itself).
    const PhotoEntry* previewedPhoto = nullptr;
    AlbumRows rows;
    PreviewImage previewImage;
    // Drag and drop: the row being dragged, the highlighted target row (-1: below the last row),
    // the list the drag started in, the list under the pointer at the drop and the window the
    // pointer was last over.
    int dragging = 0;
    int dragSourceIndex = -1;
    int dropTargetIndex = -1;
    fw::ImageList dragImage;
    HWND dragSourceList = nullptr;
    HWND dropList = nullptr;
    HWND lastWindowUnderPointer = nullptr;
    // COM for this thread, the browser window View HTML Pages holds (null when none), its window,
    // and the sink connected to it that hears when the player closes it.
    std::optional<ComApartment> comApartment;
    ComPtr<CEventSink> eventSink;
    ComPtr<IWebBrowser2> webBrowser;
    HWND browserWindow = nullptr;
    DWORD browserEventCookie = 0;
};

// The view of the running program.
CVelmoraView& velmoraView();
