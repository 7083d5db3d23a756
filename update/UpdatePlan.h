#pragma once
#include <string>
#include <vector>

struct AlbumInfo;
class AlbumRows;

// Checks, before the first file of an update moves, that the update can do what it plans: every
// kept photo's image is in the album folder, no two rows stand for the same files, every name the
// renumbering will give is free or held by a photo of this same update, no file in the work
// folder stands where a photo must pass, and no path is too long for the file operations.
// Returns what stands in the way, one sentence each; empty when nothing does.
std::vector<std::string> checkUpdatePlan(const AlbumRows& rows, const AlbumInfo& album);

// The message that tells the user why an update did not start.
std::string updatePlanMessage(const std::vector<std::string>& problems, const std::string& albumPath);
