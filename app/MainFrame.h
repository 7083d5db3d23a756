#pragma once
#include <string>

#include "framework/FrameWnd.h"

class CVelmoraView;

// The fixed-size main window around the form: menu, flat toolbar, status bar with the photo
// count. It holds the flag of changes not yet applied and asks before closing over them.
class CMainFrame : public fw::CFrameWnd {
public:
    int isAlbumChanged() const { return albumChanged; }
    void setAlbumChanged(int flag) { albumChanged = flag; }

    // Asks "Discard Changes?"; true when the user answers Yes.
    bool discardChangesConfirmed();

    // A progress text in the message pane at once; an empty text brings "Ready" back.
    void setStatusText(const std::string& text);

    bool isCommandEnabled(int id) override;

protected:
    void preCreateWindow(DWORD& style) override;
    bool onCreate() override;
    std::string indicatorText(int indicator) override;
    void onClose() override;

private:
    CVelmoraView* velmoraView() const;

    int albumChanged = 0;
};

// The main frame of the running program.
CMainFrame& mainFrame();
