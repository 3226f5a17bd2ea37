// A window that stays on top hides the program's other windows. While it is
// shown, every message, question, dialog and modal window the program opens
// belongs to it, or to the modal window already open in front of it, so the window
// manager keeps each one in front, where it can be read and answered; once it
// is hidden they belong to their own windows again.
// Closing such a window gives the activation back to the window that had it
// when the window opened: the window manager gives it to the owner, which is
// not where the user was working. Where the user goes instead, the user wins.
#pragma once

#include <qwindowdefs.h>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <unordered_map>

class QWidget;
class QWindow;

class ModalWindowsInFront : public QObject {
  Q_OBJECT

 public:
  // Watches every window of the application for as long as on_top lives.
  explicit ModalWindowsInFront(QWidget& on_top);

  bool eventFilter(QObject* watched, QEvent* event) override;

  // True while a window asks for the activation back after a close.
  bool giving_back() const { return to_activate_; }

 private:
  // Where the activation is while a window asks for it back.
  enum class Activation {
    given_back,     // with the window that asks
    with_owner,     // where the window manager hands it on the close
    not_moved,      // not yet moved off the closed window
    being_taken,    // another program has the keys, not yet announced as active
    user_chose_it,  // with another program, or another window of this one
  };

  bool is_watched(const QWidget* window) const;
  QWindow* owner_for(const QWidget& window) const;
  void opened(QWidget& window);
  void closed(const QWidget& window);
  void give_activation_back();
  Activation where_activation_is() const;
  Activation with_program_window(const QWindow& active) const;

  QWidget& on_top_;
  // The window that was active when each watched window opened.
  std::unordered_map<const QWidget*, QPointer<QWidget>> active_before_;
  // The window the program last made active; popups leave it as it is.
  QPointer<QWidget> user_in_;
  // The window to activate again after a watched window closed, until it is
  // active or the user goes elsewhere: asked every kAskAgainMs for at most
  // kGiveBackMs after the close.
  static constexpr int kAskAgainMs = 100;
  static constexpr int kGiveBackMs = 2000;
  QPointer<QWidget> to_activate_;
  QPointer<QWindow> closed_;
  WId closed_id_ = 0;  // also once the closed window is gone
  QPointer<QWindow> closed_owner_;
  bool owner_had_it_ = false;
  QElapsedTimer since_closed_;
};
