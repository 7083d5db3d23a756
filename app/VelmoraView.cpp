#include "app/VelmoraView.h"

#include "album/GameLocations.h"
#include "app/MainFrame.h"
#include "diag/EventLog.h"
#include "diag/OpenEventLog.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "res/resource.h"

CVelmoraView& velmoraView() { return *static_cast<CVelmoraView*>(mainFrame().view()); }

CVelmoraView::CVelmoraView() : fw::CFormView(IDD_VELMORA_FORM) { rows.setObserver(this); }

CVelmoraView::~CVelmoraView() { rows.setObserver(nullptr); }

// Before the view's window exists: the settings, the log and COM, in that order.
void CVelmoraView::onPreCreate() {
    settings = loadSettings(systemRegistry());
    if (settings.enableLogging == 1)
        openEventLog(settings.enableLogging, *this);
    // The browser of View HTML Pages is driven through COM from this thread, and tells through the
    // sink when the player closes its window.
    eventSink = ComPtr<CEventSink>(CEventSink::create([this] { releaseBrowser(); }));
    comApartment.emplace(systemComApartmentCalls());
}

// When the view is first shown: the window fits the form, the album list is set up and the game
// is found. No album is loaded yet.
void CVelmoraView::onInitialUpdate() {
    captionBox = item(IDC_CAPTION);
    progressBar = item(IDC_PROGRESS);
    previewFrame = item(IDC_PREVIEW_FRAME);
    albumList = item(IDC_ALBUM_LIST);
    updateData(false);
    mainFrame().recalcLayout();
    mainFrame().resizeToFitView();
    setUpAlbumList();
    enableCaptionBoxForSelection();

    GameLocations locations = readGameLocations(systemRegistry(), settings.enableLogging != 0);
    album.neighborhoodNumber = locations.neighborhoodNumber;
    album.gamePath = locations.gamePath;
    album.expansionInstalled = locations.expansionInstalled;
    album.albumPath = locations.albumPath;
}

void CVelmoraView::onDestroy() {
    clearAlbumRows();
    saveSettings(systemRegistry(), settings);
    if (settings.enableLogging)
        eventLog.writeMessage("Log file closed at " + formatTimeStamp(localTimeNow()));
    closeBrowser();
    eventSink->detach();
    eventSink.reset();
    comApartment.reset();
}

void CVelmoraView::exchangeData(fw::DataExchange& exchange) {
    exchange.text(IDC_CAPTION, captionText);
    exchange.text(IDC_PREVIEW_LABEL, previewLabel);
}

bool CVelmoraView::onControlCommand(int id, int code, HWND) {
    // Typing in the caption box changes the album; the program's own SetWindowText on a
    // multi-line edit box sends no change notification, so only the user's typing lands here.
    if (id == IDC_CAPTION && code == EN_CHANGE) {
        setAlbumChanged(1);
        updateData(true);
        return true;
    }
    return false;
}

int CVelmoraView::isAlbumChanged() const { return mainFrame().isAlbumChanged(); }

void CVelmoraView::setAlbumChanged(int flag) { mainFrame().setAlbumChanged(flag); }

void CVelmoraView::clearAlbumRows() { rows.clear(); }
