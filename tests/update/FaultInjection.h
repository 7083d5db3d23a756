#pragma once
#include <string>
#include <vector>

#include "tests/support/TestTrash.h"
#include "tests/update/TestAlbum.h"

// The album of the fault-injection tests: eight photos, three flagged, some without thumbnail or
// caption file, reordered and re-captioned by the user before the update.
std::vector<TestPhoto> faultTestPhotos();
// The list order after the user's edits (flagged rows marked "*"), and the kept photos in it.
std::vector<std::string> editedOrder();
std::vector<std::string> keptOrder();
void editForUpdate(TestAlbum& album);
std::string newCaptionOf(const TestAlbum& album, const std::string& number);

// Checks that every original image, thumbnail and caption of the album exists exactly once, with
// its bytes unchanged, in the album folder, in VLM_TEMP or in the Trash, and that no other file of
// the album is there. A kept photo's caption file may hold its new caption instead of the old one.
void expectNothingLost(const TestAlbum& album, const TestTrash& trash);
