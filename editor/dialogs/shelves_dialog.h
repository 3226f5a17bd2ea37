// The shelves dialog: the selected module seen from the front at 1 pixel per
// 10 mm, with its neighbours' shelves beside it; a click on a slot switches
// that shelf on or off, OK writes the pattern into every selected module.
// The main window sets the form before opening it.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QWidget>

#include "model/layout/shelf_editing.h"
#include "model/text/translated_window.h"

// The drawing area: paints from a back buffer; a press toggles a slot.
class ShelfPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit ShelfPaintBox(ShelvesForm& form);
  // Draws the form into the back buffer and shows it.
  void paint_shelf_editor();
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  ShelvesForm& form_;
  QImage image_;
};

class TFripiani : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFripiani(QWidget* parent);
  void apply_language() override;
  // Sizes the drawing for the form before the dialog shows.
  void setVisible(bool visible) override;

  // The pattern, height and module being edited, with their neighbours.
  ShelvesForm form;

  ShelfPaintBox* PaintBox1;
  QWidget* Panel1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BitBtn2Click();
};
