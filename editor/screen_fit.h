// Every window of the program opens within the available area of its screen,
// frame included. A window larger than the area is made smaller, down to its
// least size: one whose body scrolls (scrolling_body.h) gives up the height
// its other parts do not need. A window that would stand out of the area is
// moved in.
#pragma once

class QObject;

// From now on, for as long as the owner lives.
void keep_windows_within_screen(QObject& owner);
