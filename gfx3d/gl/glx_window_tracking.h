// The X windows that contexts draw into, watched for their destruction. X
// tells a client only once a window is gone, so the callback of a tracked
// window runs at the next check after the server destroyed it (directly or
// with an ancestor), not before.
#pragma once

#include <functional>

#include "gfx3d/gl/gl_context.h"

// Does nothing for a window the server does not know.
void TrackWindow(TGLOutputDevice window, std::function<void()> callback);
// Removes the window's entries, whether or not the window still exists.
void UnTrackWindow(TGLOutputDevice window);
// Runs the callbacks of the tracked windows destroyed since the last check,
// the last tracked first; a callback may untrack any window.
void CheckTrackedWindows();
// Forgets every tracked window and closes the connection that watched them,
// as the library ends; the next tracked window opens a new one.
void CloseTrackingConnection();
