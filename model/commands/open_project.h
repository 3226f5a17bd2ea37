// The one way a project becomes the open one, and the commands that take it:
// New, Import and the project named on the command line at start (the
// archive's opening is in archive_commands.h).
#pragma once

#include <functional>
#include <optional>
#include <string>

enum class ProjectOrigin {
  start,        // the program's first project: nothing is open before it, and the title stands
  new_project,  // an empty project, marked modified as its first step marks it
  file,         // a project file the user chose, unmodified until it is edited
};

// Puts a project in the globals in place of the open one, all or nothing, and
// gives the file it read ("" for an empty project); nothing when it changed
// nothing (having said why, when something failed).
using ProjectLoad = std::function<std::optional<std::string>()>;

// Asks to save a modified open project (see settle_modified_project: Cancel
// or a failed save stops), has load replace it, then shows the new project:
// its tabs, the caption, a history of its own and every view as an edit ends
// (the plan fitted to a project read from a file), and says the rooms such a
// file holds invalid. False when the open project stays.
bool open_project(ProjectOrigin origin, const ProjectLoad& load);

// A new empty project.
void new_project();
// Reads a project file as a new, unsaved project. A file that cannot be read
// is reported and the open project stays as it was; false then. A room
// outline the file holds invalid is kept and said.
bool import_project(const std::string& path);
// The Import command: a modified project is settled first, then the file is
// chosen under the user folder.
void import_project_asking();
// The first project at start: the file named on the command line, read as an
// import reads it but keeping no file name, or an empty project when there is
// none or it cannot be read (said). True when the file was opened.
bool open_start_project(const std::string& path);
