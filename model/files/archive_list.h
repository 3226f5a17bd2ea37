// The index of saved projects, user/list.dat: one record of 1536 bytes per
// project, six fields of a length byte and 255 text bytes (number, date,
// customer, customer reference, quote number, drawing). Not scrambled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/base/records.h"

// Reads ArchiveList; raises FileError when the file cannot be read. A partial
// record at the end (a file cut short) is left out and reported, and the
// damaged file is kept before the index is written again.
void read_archive_list();
// Writes ArchiveList to user/list.dat (a damaged file read before is kept
// beside it first); raises FileError.
void write_archive_list();

// The records of an index file, and the bytes of one.
std::vector<Tarchive_entry> parse_archive_list(std::string_view bytes);
std::string archive_list_bytes(const std::vector<Tarchive_entry>& entries);

// The project files ("prv*.cel", any case) of a folder, sorted by name; empty
// when the folder cannot be listed.
std::vector<std::string> list_project_files(const std::string& folder);
// The number part of a project file name: the five characters before ".cel".
std::string project_number_of(const std::string& file_name);

// The index entry of a project with the given number and quote header.
Tarchive_entry archive_entry_of(const std::string& number, const Tprv& header);

// Fills the index fields of entry from the head of the project file
// user/<file_name>; raises FileError and leaves entry unchanged when the head
// cannot be read.
void read_project_header(const std::string& file_name, Tarchive_entry& entry);

// Rebuilds ArchiveList from the project files in user/, with a progress gauge,
// and writes user/list.dat. A file whose head cannot be read is reported and
// keeps an entry with only its number, so numbering goes on past it.
void rebuild_archive_list();

// Brings ArchiveList in step with the project files in user/, so that a save
// interrupted between a project file and the index never hides a project: a
// file the index lacks gets its entry from its head (one whose head cannot be
// read, an entry with its number), an entry whose texts differ from its
// file's head takes the file's. When anything changed the index is written
// and the user told what was mended, or, when the write fails, that the index
// still does not match and why (then only ArchiveList is mended).
void reconcile_archive_list();
