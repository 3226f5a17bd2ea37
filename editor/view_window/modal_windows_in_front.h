// A window that stays on top hides the program's other windows. While it is
// shown, every message, question, dialog and modal window the program opens
// belongs to it, or to the modal window already open in front of it, so the window
// manager keeps each one in front, where it can be read and answered; once it
// is hidden they belong to their own windows again.
// Closing such a window gives the activation back to the window that had it
// when the window opened: the window manager gives it to the owner, which is
// not where the user was working.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <unordered_map>

class QWidget;
class QWindow;

class ModalWindowsInFront : public QObject {
 public:
  // Watches every window of the application for as long as on_top lives.
  explicit ModalWindowsInFront(QWidget& on_top);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool is_watched(const QWidget* window) const;
  QWindow* owner_for(const QWidget& window) const;
  void opened(QWidget& window);
  void closed(const QWidget& window);
  void give_activation_back();

  QWidget& on_top_;
  // The window that was active when each watched window opened.
  std::unordered_map<const QWidget*, QPointer<QWidget>> active_before_;
  // The window to activate again after a watched window closed, until it is
  // active: asked every kAskAgainMs for at most kGiveBackMs after the close.
  static constexpr int kAskAgainMs = 100;
  static constexpr int kGiveBackMs = 2000;
  QPointer<QWidget> to_activate_;
  QElapsedTimer since_closed_;
};
