#pragma once
#include <windows.h>

#include <vector>

#include "framework/Gdi.h"
#include "framework/Wnd.h"

namespace fw {

// A flat toolbar along the top of the frame, laid out by a toolbar resource, with tool tips and
// separate images for the button under the mouse.
class CToolBar : public CWnd {
public:
    // Creates the bar and its buttons from the toolbar resource. False when either fails.
    bool create(HWND parent, int resourceId);
    // Gives the buttons their images: a strip of 16-by-16 images for the normal and for the hot
    // look, with the given colour transparent. False when a bitmap can't be loaded.
    bool setImages(int normalBitmapId, int hotBitmapId, COLORREF mask);

    // The command identifiers of the buttons, separators left out.
    const std::vector<int>& commands() const { return buttonCommands; }
    void enableButton(int command, bool enabled);
    int height() const;

private:
    std::vector<int> buttonCommands;
    ImageList normalImages;
    ImageList hotImages;
};

}  // namespace fw
