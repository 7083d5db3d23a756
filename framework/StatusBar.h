#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Wnd.h"

namespace fw {

// The status bar along the bottom of the frame: pane 0 shows messages and takes the room the
// other panes leave; each other pane is an indicator, as wide as its string resource.
class CStatusBar : public CWnd {
public:
    // indicators: 0 for the message pane, else the identifier of an indicator's string.
    bool create(HWND parent, const std::vector<int>& indicators);

    // Shows a pane's text at once. Only changes are drawn.
    void setPaneText(int pane, const std::string& text, bool redrawNow = false);
    std::string paneText(int pane) const;
    int paneOf(int indicator) const;
    const std::vector<int>& indicators() const { return paneIndicators; }

    // Lays the bar out along the bottom of its parent and sizes its panes.
    void layout();
    int height() const;

private:
    std::vector<int> paneIndicators;
    std::vector<int> paneWidths;  // 0 for the message pane
    std::vector<std::string> paneTexts;
};

}  // namespace fw
