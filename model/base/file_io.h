// Whole-file reads, safe writes and the on-disk scrambling of the program's
// text files. Readers never touch the file; writers replace it in one rename,
// so a failed write leaves the old file as it was.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A file that cannot be read or written, or whose content is not what its reader expects.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Turns plain bytes into their scrambled form and back: every byte b becomes
// (256 - b) mod 256, so 0 and 128 stay as they are.
void scramble_bytes(std::string& bytes);

// The whole file; raises FileError saying why when it cannot be read.
std::string read_file_bytes(const std::string& path);
// The first max_bytes of the file (all of it when it is shorter).
std::string read_file_start(const std::string& path, std::size_t max_bytes);
// The whole file, unscrambled in memory.
std::string read_scrambled_file(const std::string& path);

// Writes bytes to a unique temporary file in the target's folder, flushes it to
// disk and renames it over the target. Raises FileError; the target is then unchanged.
void write_file_safely(const std::string& path, std::string_view bytes);
// The same for a file stored scrambled; plain is the unscrambled content.
void write_scrambled_file(const std::string& path, std::string plain);
// A file's path and the bytes it is to hold.
struct FileContent {
  std::string path;
  std::string bytes;
};
// Writes the files as one save: each goes to a temporary beside it, flushed,
// and only when all are written are they renamed over their targets. Raises
// FileError; every target is then as it was (a rename that fails puts back
// those renamed before it).
void write_files_together(const std::vector<FileContent>& files);
// What a file stored scrambled holds, from its plain content.
FileContent scrambled_content(std::string path, std::string plain);
// Removes from folder the temporaries that saves killed before their rename
// left behind, once they are older than ten minutes (a younger one may belong
// to a save still running); never any other file. A missing folder is no error.
void remove_stale_temporaries_in(const std::string& folder);

// Replaces a file on disk by its scrambled or unscrambled form (its own inverse).
void toggle_file_scramble(const std::string& path);

// The message the readers of the user files show: "Error reading file. \r\n" + path.
std::string read_error_text(const std::string& path);
