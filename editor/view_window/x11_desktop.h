// What the program tells the X server and the window manager of its windows
// directly, where Qt has no word for it: which window has the keys, at once,
// and which window another belongs to.
#pragma once

class QWindow;

// Gives the keyboard to a shown window of the program, as a program may while
// one of its own windows has it: keys the server handles from then on go to
// it, without waiting for the window manager. The server has the request with
// the program's next ones. False when Qt does not run on X11.
bool x11_give_keys(const QWindow& window);

// Makes the window belong to its owner on the desktop (WM_TRANSIENT_FOR),
// which Qt says only of dialogs: the window manager keeps it above the owner
// and minimises and restores the two together. To be said once the window is
// shown, as Qt clears it then. False when Qt does not run on X11.
bool x11_set_owner(const QWindow& window, const QWindow& owner);
