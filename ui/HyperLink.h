#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "ui/LinkRules.h"

// A static text of a dialog that looks and acts like a link in a web page: underlined, coloured by
// its state, a hand cursor, a tool tip with the target, and a click or the space bar opens the
// target through the shell (or, failing that, through the registered web browser).
class CHyperLink : public fw::CWnd {
public:
    static constexpr unsigned LinkUnderlined = hyperlink::Underlined;
    static constexpr unsigned LinkHoverColor = hyperlink::HoverColor;
    static constexpr unsigned LinkFitToText = hyperlink::FitToText;
    static constexpr unsigned LinkOpenOnPress = hyperlink::OpenOnPress;
    static constexpr unsigned LinkFocusOnClick = hyperlink::FocusOnClick;
    static constexpr unsigned LinkNoCursor = hyperlink::NoCursor;
    static constexpr unsigned LinkNoActiveColor = hyperlink::NoActiveColor;

    CHyperLink() = default;
    ~CHyperLink() override;

    // Takes over the static control id of dialog. False when there is no such control.
    bool subclassDlgItem(int id, HWND dialog);

    void setTarget(const std::string& text);
    const std::string& getTarget() const { return target; }
    // False when remove and add share a bit.
    bool changeLinkStyle(unsigned remove, unsigned add, bool apply);
    // The colours of every link of the program; a hover of -1 is the system highlight colour.
    static void setLinkColors(COLORREF linkColor, COLORREF activeColor, COLORREF visitedColor, COLORREF hoverColor);
    // Opens the target; true when the shell or the fallback browser took it.
    bool openTarget();

    // The parent's WM_CTLCOLORSTATIC for this control: text colour and a transparent background.
    HBRUSH onCtlColor(HDC dc) const;

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onMouseMove(POINT point);
    void setUnderlinedFont();
    void fitToText();
    void createToolTip();
    void repaint();
    void reportOpenFailure(long long code) const;

    bool active = false;
    bool hover = false;
    bool visited = false;
    unsigned linkStyle = hyperlink::DefaultStyle;
    std::string target;
    std::unique_ptr<fw::ScopedGdiObject<HFONT>> linkFont;
    HWND toolTip = nullptr;  // a child of the control: it goes with it
};
