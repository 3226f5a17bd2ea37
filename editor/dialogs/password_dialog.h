// The password prompt that guards the service switches of the preferences.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TPasswordDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TPasswordDlg(QWidget* parent = nullptr);

  // Shows the prompt, cleared, modally: true when it was closed with OK and
  // the service password was typed.
  bool confirm_service_password();

  QLabel* Label1;
  QLineEdit* Password;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
};
