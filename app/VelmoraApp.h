#pragma once
#include "app/MainFrame.h"
#include "framework/App.h"

class CVelmoraView;

// The application: starts the main window with its view, offers Open Album at the first idle
// moment, and handles About.
class CVelmoraApp : public fw::CApp {
public:
    bool onCommand(int id) override;
    bool onIdle(int count) override;

protected:
    bool initInstance() override;

private:
    void OnAppAbout();

    CMainFrame frame;
    CVelmoraView* view = nullptr;  // owned by the frame
    bool firstIdle = false;
};
