// Sending the quote or the project by mail: the attachment made in user/ (the
// printed document without the customer block, or the project copy without
// customer data and the first two discounts), the message handed to the mail
// client, and the default recipient kept in user/mail_address.txt.
#pragma once

#include <optional>
#include <string>

#include "output/print/page_context.h"

enum MailAttachmentKind { kMailPdf = 0, kMailProject = 1 };

// What the mail window collects.
struct MailForm {
  std::string recipient;
  std::string subject;
  std::string body;
  int attachment = kMailPdf;
};

enum class MailOutcome { attachment_failed, handed_over, client_failed };

// Writes the attachment of that kind and returns its absolute path: the PDF of
// document without the customer block, or the project copy. Raises the
// writers' errors.
std::string make_mail_attachment(int kind, PageContext& document);

// Makes the attachment behind the wait box and hands the message to the mail
// client. An attachment error shows its message; a client that fails shows "Error".
MailOutcome send_mail(const MailForm& form, PageContext& document, int client_wait_ms);

// The first line of user/mail_address.txt, when the file exists.
std::optional<std::string> read_default_recipient();
// Stores address as the only line of user/mail_address.txt; raises FileError.
void store_default_recipient(const std::string& address);
