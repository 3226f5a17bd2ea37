// The desktop's mail composer reached through xdg-email: one recipient, a
// subject, a text and one attachment. The message goes as an argument list,
// never through a shell, and the composer opens filled in for the user to send.
#pragma once

#include <string>
#include <vector>

struct MailMessage {
  std::string recipient;
  std::string subject;
  std::string body;        // lines joined by LF
  std::string attachment;  // absolute path
};

// The arguments of xdg-email: "--utf8", then "--subject", "--body" and
// "--attach" with their values, each only when not empty (xdg-email refuses
// empty values), and last the recipient as "mailto:" + the percent-encoded
// address, so it can neither add headers ("?", "&") nor pass for an option.
std::vector<std::string> xdg_email_arguments(const MailMessage& message);

// Runs xdg-email. True when it ends with exit code 0, or is still running
// after wait_ms (a client that keeps it running has opened): it is then left
// to finish on its own and never killed. False when it cannot start, crashes
// or ends with any other exit code. While it waits, the program's windows
// keep painting; the user's input waits till after.
bool hand_to_mail_client(const MailMessage& message, int wait_ms = 15000);
