// Enter on a focused push button presses it, as Space does.
#pragma once

class QAbstractButton;
class QWidget;

// No button becomes the window's default by taking the focus: Enter on any
// other control does only what that control or the window gives it.
void enter_presses(QAbstractButton* button);

// The same for every push button and tool button the window holds.
void enter_presses_every_button(QWidget* window);
