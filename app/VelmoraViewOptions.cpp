#include "app/VelmoraView.h"

#include "framework/Dialog.h"
#include "res/resource.h"

void CVelmoraView::OnOptions() {
    fw::CDialog dialog(IDD_OPTIONS);
    dialog.runModal();
}
