// The exceptions of the 3-D library: data errors carry fixed messages,
// programming errors are assertion failures naming the unit and the line.
#pragma once

#include <stdexcept>
#include <string>

// Base of every data error the library raises.
class ELibraryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A stream or archive that cannot be read as expected (wrong tag, cut short, bad counts).
class EReadError : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

// An archive of a version this program does not know.
class EFilerException : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

class EInvalidFileSignature : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

class EListError : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

// An archive names a class that nobody registered.
class EClassNotFound : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

// Assign between objects that cannot take each other's values.
class EConvertError : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

// A file that cannot be opened or written.
class EFOpenError : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

// A broken promise between parts of the program, not bad data.
class EAssertionFailed : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Raises EAssertionFailed "<message> (<unit>, line <line>)" when the condition fails;
// line 0 leaves the line out.
void Assert(bool condition, const char* unit, int line, const std::string& message = "Assertion failed");
