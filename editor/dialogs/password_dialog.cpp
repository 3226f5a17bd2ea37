#include "editor/dialogs/password_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "editor/guarded_connection.h"
#include "model/files/preferences_form.h"

TPasswordDlg::TPasswordDlg(QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel("Enter password:", this)),
      Password(new QLineEdit(this)),
      OKBtn(new QPushButton("OK", this)),
      CancelBtn(new QPushButton("Cancel", this)) {
  setWindowTitle("Password Dialog");
  Password->setEchoMode(QLineEdit::Password);
  // One '*' per character, whatever the desktop style would draw.
  Password->setStyleSheet("lineedit-password-character: 42");
  Password->setMinimumWidth(220);
  OKBtn->setDefault(true);
  guarded_connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  guarded_connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(Password, 1, 0);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  layout->addLayout(buttons, 2, 0);
}

bool TPasswordDlg::confirm_service_password() {
  Password->clear();
  Password->setFocus();
  return exec() == QDialog::Accepted && service_password_matches(Password->text().toStdString());
}
