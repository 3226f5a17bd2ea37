#include "editor/dialogs/about_box.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>

#include "editor/guarded_connection.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

const char* const TFAbout::kWebAddress = "https://rackwright.example.org";
const char* const TFAbout::kMailAddress = "mailto:support@rackwright.example.org";

namespace {

// A run of shelving bays seen from the front: end frames, shelves and a floor line.
QPixmap shelving_picture(int width, int height) {
  QPixmap picture(width, height);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const int bays = 3;
  const double margin = width * 0.08;
  const double bay = (width - 2 * margin) / bays;
  const double top = height * 0.12, floor = height * 0.88;
  painter.setPen(QPen(QColor(40, 70, 130), 3));
  for (int i = 0; i <= bays; ++i) painter.drawLine(QPointF(margin + i * bay, top), QPointF(margin + i * bay, floor));
  painter.setPen(QPen(QColor(200, 120, 30), 2));
  for (int shelf = 0; shelf < 5; ++shelf) {
    double y = floor - 4 - shelf * (floor - top - 8) / 4;
    painter.drawLine(QPointF(margin, y), QPointF(width - margin, y));
  }
  painter.setPen(QPen(Qt::darkGray, 1));
  painter.drawLine(QPointF(2, floor + 2), QPointF(width - 2, floor + 2));
  return picture;
}

QLabel* link_label(const QString& text, QWidget* parent) {
  auto* label = new QLabel("<a href=\"#\">" + text.toHtmlEscaped() + "</a>", parent);
  label->setCursor(Qt::PointingHandCursor);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  return label;
}

QFrame* bevel(QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::HLine);
  frame->setFrameShadow(QFrame::Sunken);
  return frame;
}

}  // namespace

TFAbout::TFAbout(QWidget* parent)
    : QDialog(parent),
      ProgramIcon(new QLabel(this)),
      Image1(new QLabel(this)),
      Label1(new QLabel("Rackwright", this)),
      Label2(new QLabel(QString::fromStdString(AppTitle), this)),
      Label3(new QLabel("Progettazione di scaffalature e preventivi", this)),
      Label6(link_label("rackwright.example.org", this)),
      Label9(link_label("support@rackwright.example.org", this)),
      Bevel1(bevel(this)),
      Bevel2(bevel(this)),
      OKButton(new QPushButton("OK", this)) {
  setWindowTitle("About");
  ProgramIcon->setPixmap(shelving_picture(48, 48));
  Image1->setPixmap(shelving_picture(220, 150));
  QFont title = Label1->font();
  title.setPointSizeF(title.pointSizeF() * 1.6);
  title.setBold(true);
  Label1->setFont(title);
  Label6->installEventFilter(this);
  Label9->installEventFilter(this);
  OKButton->setDefault(true);
  guarded_connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(Label1, 0, 1);
  layout->addWidget(Label2, 1, 1);
  layout->addWidget(Bevel1, 2, 0, 1, 2);
  layout->addWidget(Image1, 3, 0, 1, 2, Qt::AlignCenter);
  layout->addWidget(Label3, 4, 0, 1, 2, Qt::AlignCenter);
  layout->addWidget(Label6, 5, 0, 1, 2, Qt::AlignCenter);
  layout->addWidget(Label9, 6, 0, 1, 2, Qt::AlignCenter);
  layout->addWidget(Bevel2, 7, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addStretch();
  layout->addLayout(buttons, 8, 0, 1, 2);
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && (watched == Label6 || watched == Label9)) {
    ui().open_with_desktop(watched == Label6 ? kWebAddress : kMailAddress);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
