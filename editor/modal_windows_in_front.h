// A window that stays on top hides the program's other windows. While it is
// shown, every message, question, dialog and modal window the program opens
// belongs to it, or to the modal window already open in front of it, so the window
// manager keeps each one in front, where it can be read and answered; once it
// is hidden or minimised they belong to their own windows again. While one of
// them is open, the window on top belongs to the main window in turn, so that
// the window manager minimises and restores the whole program with any of
// them; with none open it is a window of its own, which the user minimises
// alone.
// The window manager would give the keys to the owner when such a window
// closes, and only some time after it is gone: the window the user was in
// when it opened has them instead, from the moment it is gone, so that no key
// typed after it is lost.
#pragma once

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

 private:
  bool is_watched(const QWidget* window) const;
  bool on_top_shown() const;
  void set_on_top_owner();
  QWindow* owner_for(const QWidget& window) const;
  void opened(QWidget& window);
  void visibility_changed(bool visible);
  void closing(const QWidget& window);

  QWidget& on_top_;
  // The window that was active when each watched window opened.
  std::unordered_map<const QWidget*, QPointer<QWidget>> active_before_;
  // The window a closing one gave the keys to, until the program has it active.
  QPointer<QWidget> given_back_;
};
