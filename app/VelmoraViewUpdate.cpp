#include "app/VelmoraView.h"

// Applying the album's changes, and importing photos of other families.

void CVelmoraView::OnUpdateAlbum() {}

void CVelmoraView::OnImportPhotos() {}
