#include "output/mail/mail_client.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QUrl>

namespace {

// True once the process has ended within wait_ms. Meanwhile the program goes
// on with everything but the user's input, which waits till after: its
// windows repaint (where the closed wait box was, too), and the user cannot
// act before the client has the message.
bool ends_within(QProcess& process, int wait_ms) {
  QEventLoop waiting;
  QObject::connect(&process, &QProcess::finished, &waiting, &QEventLoop::quit);
  QTimer::singleShot(wait_ms, &waiting, &QEventLoop::quit);
  if (process.state() != QProcess::NotRunning) waiting.exec(QEventLoop::ExcludeUserInputEvents);
  return process.state() == QProcess::NotRunning;
}

}  // namespace

std::vector<std::string> xdg_email_arguments(const MailMessage& message) {
  std::vector<std::string> arguments{"--utf8"};
  auto add = [&arguments](const char* option, const std::string& value) {
    if (value.empty()) return;
    arguments.push_back(option);
    arguments.push_back(value);
  };
  add("--subject", message.subject);
  add("--body", message.body);
  add("--attach", message.attachment);
  if (!message.recipient.empty())
    arguments.push_back("mailto:" +
                        QUrl::toPercentEncoding(QString::fromStdString(message.recipient), "@").toStdString());
  return arguments;
}

bool hand_to_mail_client(const MailMessage& message, int wait_ms) {
  QStringList arguments;
  for (const std::string& argument : xdg_email_arguments(message)) arguments << QString::fromStdString(argument);
  // Parented to the application, so a client still running when the wait ends
  // is not stopped with a window; it deletes itself once it finishes.
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->setStandardInputFile(QProcess::nullDevice());
  process->start("xdg-email", arguments);
  if (!process->waitForStarted()) {
    delete process;
    return false;
  }
  if (!ends_within(*process, wait_ms)) {
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
  }
  bool sent = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
  delete process;
  return sent;
}
