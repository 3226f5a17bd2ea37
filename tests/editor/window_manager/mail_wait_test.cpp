// The mail client awaited under a window manager, with the 3-D view shown:
// the wait box, closed before the program hands the message over, leaves no
// empty frame, as the program's windows it covered are painted again while
// the program waits for the client.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <filesystem>
#include <fstream>
#include <string>

#include "desktop_user.h"
#include "editor/dialogs/wait_box.h"
#include "editor/main/windows.h"
#include "editor/program_with_a_room.h"
#include "model/state/ui_seam.h"
#include "output/mail/mail_client.h"
#include "support/qt_events.h"
#include "support/temp_dir.h"

// X headers last: they define Status and Bool, which Qt's headers refuse.
#include <xcb/xcb.h>

namespace {

// Stands for the desktop's xdg-email: ends once the file EXPOSED_MARK
// appears (a minute at most), and says so beside it.
constexpr const char* kWaitingXdgEmail = R"(#!/bin/sh
n=0
while [ ! -e "$EXPOSED_MARK" ] && [ $n -lt 6000 ]; do sleep 0.01; n=$((n + 1)); done
if [ -e "$EXPOSED_MARK" ]; then touch "$EXPOSED_MARK.ended"; fi
)";

// Writes the file when the program handles an Expose of one of its windows
// but the one given, which it then paints again.
class ExposedElsewhere : public QAbstractNativeEventFilter {
 public:
  ExposedElsewhere(WId apart, std::string mark) : apart_(apart), mark_(std::move(mark)) {
    qApp->installNativeEventFilter(this);
  }
  ~ExposedElsewhere() override { qApp->removeNativeEventFilter(this); }
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (type != "xcb_generic_event_t" || (event->response_type & 0x7f) != XCB_EXPOSE ||
        reinterpret_cast<const xcb_expose_event_t*>(event)->window == apart_ || exposed)
      return false;
    exposed = true;
    std::ofstream(mark_) << "exposed";
    return false;
  }
  bool exposed = false;

 private:
  const WId apart_;
  const std::string mark_;
};

class MailWait : public ProgramWithARoom {
 protected:
  void SetUp() override {
    ProgramWithARoom::SetUp();
    if (HasFatalFailure()) return;
    saved_path_ = std::getenv("PATH");
    const std::string fake = tools_.write("bin/xdg-email", kWaitingXdgEmail);
    std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
    setenv("PATH", (tools_.file("bin") + ":" + saved_path_).c_str(), 1);
    setenv("EXPOSED_MARK", tools_.file("exposed").c_str(), 1);
    Main->tool_button(8)->trigger();  // the 3-D view
    ASSERT_TRUE(process_events_until([] { return announced_active_window() == F3d->winId(); }));
  }
  void TearDown() override {
    setenv("PATH", saved_path_.c_str(), 1);
    unsetenv("EXPOSED_MARK");
    ProgramWithARoom::TearDown();
  }

  TempDir tools_;
  std::string saved_path_;
};

TEST_F(MailWait, TheWindowsTheWaitBoxCoveredArePaintedAgainWhileTheClientIsAwaited) {
  ui().show_wait_box();
  // Framed and active, as the window manager shows a new window.
  ASSERT_TRUE(process_events_until([] { return announced_active_window() == Fattendere->winId(); }));
  ExposedElsewhere filter(Fattendere->winId(), tools_.file("exposed"));
  ui().hide_wait_box();
  EXPECT_TRUE(hand_to_mail_client({"r@x.it", "s", "b", "/tmp/q.pdf"}, 30000));
  EXPECT_TRUE(filter.exposed) << "nothing painted again while the client was awaited";
  EXPECT_TRUE(std::filesystem::exists(tools_.file("exposed.ended"))) << "the client ended, not the wait";
}

}  // namespace
