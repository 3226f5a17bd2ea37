// The program's one failure policy at the window boundary: an error that
// reaches a window's handler is shown and the program goes on. Every slot is
// connected through guarded_connect (or wrapped by guarded_slot where Qt
// connects it itself, as a menu's actions); what still reaches Qt's event
// loop from an event handler meets the same policy in Application::notify.
#pragma once

#include <QObject>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

class QWidget;

// Shows the error's message, over owner when given (a window that keeps its
// messages to itself), else as every message of the program is shown.
void show_failure(const std::exception& error, QWidget* owner = nullptr);
// The same once the event under way is over: a box opened inside a paint
// would paint over a painter still active, and one opened inside an edit
// would interrupt it.
void show_failure_later(const std::exception& error, QWidget* owner = nullptr);
// Runs a handler under the policy.
void run_guarded(const std::function<void()>& handler, QWidget* owner = nullptr);

namespace guarded_detail {

// A slot of exactly the parameters of Signature that runs call under the
// policy: Qt then connects it as it would the slot itself.
template <typename Signature>
struct Guard;

template <typename Class, typename Result, typename... Args>
struct Guard<Result (Class::*)(Args...)> {
  template <typename Call>
  static auto wrap(Call call) {
    return [call = std::move(call)](Args... args) mutable { run_guarded([&] { call(args...); }); };
  }
};
template <typename Class, typename Result, typename... Args>
struct Guard<Result (Class::*)(Args...) const> : Guard<Result (Class::*)(Args...)> {};

}  // namespace guarded_detail

// A function object run under the policy.
template <typename Slot>
auto guarded_slot(Slot slot) {
  return guarded_detail::Guard<decltype(&Slot::operator())>::wrap(std::move(slot));
}

// The slot, a member function of receiver or a function object, run under the policy.
template <typename Receiver, typename Slot>
auto guarded_slot(Receiver* receiver, Slot slot) {
  if constexpr (std::is_member_function_pointer_v<Slot>)
    return guarded_detail::Guard<Slot>::wrap(
        [receiver, slot](auto&&... args) { (receiver->*slot)(std::forward<decltype(args)>(args)...); });
  else
    return guarded_slot(std::move(slot));
}

// QObject::connect, with the slot run under the policy.
template <typename Sender, typename Signal, typename Receiver, typename Slot>
QMetaObject::Connection guarded_connect(Sender* sender, Signal signal, Receiver* receiver, Slot slot,
                                        Qt::ConnectionType type = Qt::AutoConnection) {
  return QObject::connect(sender, signal, receiver, guarded_slot(receiver, std::move(slot)), type);
}
