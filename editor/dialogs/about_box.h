// The about box: the program's name, version and picture, and two links (the
// web site and the support mail address) opened by the desktop.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

class TFAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFAbout(QWidget* parent = nullptr);

  static const char* const kWebAddress;
  static const char* const kMailAddress;

  QLabel* ProgramIcon;
  QLabel* Image1;
  QLabel* Label1;  // program name
  QLabel* Label2;  // version
  QLabel* Label3;  // what the program does
  QLabel* Label6;  // web link
  QLabel* Label9;  // mail link
  QFrame* Bevel1;
  QFrame* Bevel2;
  QPushButton* OKButton;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
