// Every window of the program, the boxes (a message, a question, the input
// box) among them, at least as wide as its title: the window manager puts the
// title beside the frame's icon and buttons and cuts one that does not fit
// ("Rack... V1.12" over a short message, "Selezio... Corvane" over two lists).
#pragma once

class QWidget;

// The width a window needs for its title beside the frame's icon and buttons.
int title_bar_width(const QWidget& window);

// Keeps the window at least title_bar_width() wide from now on, also when its
// title changes (a language applied). A window laid out in rows (a vertical
// box, a grid or a form, which is how the program's dialogs and boxes are
// laid out) gets a row as wide as the title, so its layout, which sizes the
// window, counts the title too; a window placed by hand or laid out otherwise
// gets that width as its least. Only for titles of the program's own: a
// caption holding the user's data, of any length, is left to the window
// manager to shorten.
void keep_wide_enough_for_title(QWidget& window);
