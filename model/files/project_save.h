// Saving the open project under its number in user/ and keeping the project
// index in step with the saved files.
#pragma once

#include <string>

// The number for a new project: one more than the last index entry, skipping
// every number that an index entry or a project file already uses, as five
// digits. Raises FileError when no number up to 99999 is left.
std::string next_project_number();

// Saves the open project as user/prvNNNNN.cel, under its own number or a new
// one (when it has none or new_number is set), then updates the index, the
// file name, the modified flag and the caption, and tells the user. Raises
// FileError when the project file cannot be written, and nothing else
// changes; an index that cannot be written after it is said in the same box
// as the save, which stands.
void save_project(bool new_number);
// save_project for a command: a save that fails is said in a message and
// changes nothing, so the command ends there; false then.
bool save_project_reported(bool new_number);

// Asks to save a modified project before it is closed or replaced: Yes saves,
// No leaves it as it is, still modified until another project is loaded in
// its place. False when the user cancels or the save fails (then the message
// says why), so nothing is lost.
bool settle_modified_project();

// The main window caption of a saved project.
std::string project_caption(const std::string& file_name);
