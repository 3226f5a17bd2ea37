#include "output/mail/mail_dispatch.h"

#include <filesystem>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "output/mail/mail_client.h"
#include "output/print/pdf_output.h"

namespace {

std::string recipient_file() { return user_path("mail_address.txt"); }

std::string absolute_user_file(const std::string& name) {
  return std::filesystem::absolute(user_path(name)).lexically_normal().string();
}

}  // namespace

std::string make_mail_attachment(int kind, PageContext& document) {
  if (kind == kMailProject) {
    std::string path = absolute_user_file("preventivo_mail.cel");
    write_project_file(path, false);
    return path;
  }
  std::string path = absolute_user_file("preventivo_mail.pdf");
  make_pdf(document, path, false);
  return path;
}

MailOutcome send_mail(const MailForm& form, PageContext& document, int client_wait_ms) {
  MailMessage message{form.recipient, form.subject, form.body, {}};
  ui().show_wait_box();
  try {
    message.attachment = make_mail_attachment(form.attachment, document);
  } catch (const std::exception& error) {
    ui().hide_wait_box();
    ui().show_message(error.what());
    return MailOutcome::attachment_failed;
  }
  ui().hide_wait_box();
  if (hand_to_mail_client(message, client_wait_ms)) return MailOutcome::handed_over;
  ui().show_message("Error");
  return MailOutcome::client_failed;
}

std::optional<std::string> read_default_recipient() {
  std::string path = recipient_file();
  if (!std::filesystem::exists(path)) return std::nullopt;
  std::vector<std::string> lines = split_lines(read_file_bytes(path), legacy_code_page());
  return lines.empty() ? std::string() : lines.front();
}

void store_default_recipient(const std::string& address) { write_file_safely(recipient_file(), address + "\r\n"); }
