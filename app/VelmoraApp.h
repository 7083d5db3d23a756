#pragma once
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

    CVelmoraView* view = nullptr;  // owned by the main frame
    bool firstIdle = false;
};
