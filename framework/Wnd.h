#pragma once
#include <windows.h>

namespace fw {

// A window of the program: the handle and the object that answers its messages.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    HWND handle() const { return hwnd; }
    HWND item(int id) const { return GetDlgItem(hwnd, id); }

protected:
    HWND hwnd = nullptr;
};

}  // namespace fw
