#include "app/VelmoraView.h"

// The album list's move and delete-flag commands.

void CVelmoraView::OnMoveTop() {}

void CVelmoraView::OnMoveUp() {}

void CVelmoraView::OnMoveDown() {}

void CVelmoraView::OnMoveBottom() {}

void CVelmoraView::OnToggleDeleteFlag() {}
