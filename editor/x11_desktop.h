// What the program tells the X server and the window manager of its windows
// directly, where Qt has no word for it: which window has the keys, at once,
// and which window another belongs to.
#pragma once

#include <optional>

class QWindow;

// Moves the keyboard from one window of the program (or a window inside it)
// to another shown one, as a program may while one of its windows has it:
// keys the server handles from then on go there, without waiting for the
// window manager. The server has the request with the program's next ones.
// Where the keys are elsewhere (the user went to another program), they stay.
// True when they moved, nothing when Qt does not run on X11.
std::optional<bool> x11_move_keys(const QWindow& from, const QWindow& to);

// Makes the window belong to its owner on the desktop (WM_TRANSIENT_FOR),
// which Qt says only of dialogs: the window manager keeps it above the owner
// and minimises and restores the two together. No owner makes it a window of
// its own again. Qt clears it as the window shows. Nothing where Qt does not
// run on X11.
void x11_set_owner(const QWindow& window, const QWindow* owner);
