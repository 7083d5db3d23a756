#include "app/VelmoraApp.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/VelmoraView.h"
#include "res/resource.h"

bool CVelmoraApp::initInstance() {
    // The common controls: toolbar, status bar, list view, progress bar, in the current look.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                         ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    setRegistryKey("Hollowmere");

    auto newView = std::make_unique<CVelmoraView>();
    view = newView.get();
    // The frame is the main window already while it is created: the view may have to show a
    // message (the log can't be created) before creation ends.
    setMainFrame(&frame);
    if (!frame.create(IDR_MAINFRAME, std::move(newView))) {
        setMainFrame(nullptr);
        return false;
    }
    frame.initialUpdate();
    // The toolbar and the photo count show their state from the first paint on.
    frame.onIdleUpdate();
    ShowWindow(frame.handle(), SW_SHOW);
    UpdateWindow(frame.handle());
    firstIdle = true;
    return true;
}

bool CVelmoraApp::onIdle(int count) {
    if (firstIdle) {
        firstIdle = false;
        if (view && view->showOpenSetting())
            view->openAlbum();
    }
    return CApp::onIdle(count);
}

bool CVelmoraApp::onCommand(int id) {
    if (id == ID_APP_ABOUT) {
        OnAppAbout();
        return true;
    }
    return false;
}
