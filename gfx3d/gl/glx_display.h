// The X connection of the GLX layer and the trap for its X errors, declared
// without Xlib's header, whose macros (None, Bool, Status) stay in the GLX
// layer's .cpp files.
#pragma once

#include <string>

struct _XDisplay;

// Qt's connection when Qt runs on X11, else one of the library's own; raises
// EGLContext when no display can be reached.
_XDisplay* XDisplayConnection();

// Whether a connection is open (the toolkit's or the library's own).
bool XDisplayConnected();

// Closes the library's own connection, which ends the GL driver's screen and
// its worker threads; leaves the toolkit's to the toolkit. The next
// XDisplayConnection opens a new one.
void CloseXDisplayConnection();

// The server's text for an X error code.
std::string XErrorText(_XDisplay* display, int code);

// Catches the X errors of the requests made while it lives, so a refused or
// vanished drawable never ends the process through Xlib's default handler.
class TXErrorTrap {
 public:
  explicit TXErrorTrap(_XDisplay* display);
  // Errors of requests made inside the trap arrive before the old handler is back.
  ~TXErrorTrap();
  TXErrorTrap(const TXErrorTrap&) = delete;
  TXErrorTrap& operator=(const TXErrorTrap&) = delete;
  // Waits for the server's answers and returns the first error code, 0 for none.
  int Error();

 private:
  _XDisplay* display_;
  void (*previous_)() = nullptr;  // the handler in force before, restored as it was
};
