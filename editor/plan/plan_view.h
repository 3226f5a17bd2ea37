// The plan paint box of the main window: the current cell drawn into an
// off-screen image of the widget's size, shown in one copy. Zoom and fit
// change the view's transform in AppState; every redraw re-derives the compact
// groups and the cell extents first, as later steps of an edit read them.
// Mouse events go to the plan's editing rules; the pointer is tracked without
// a button too, for hovering and for the templates that follow it.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class PlanView : public QWidget {
  Q_OBJECT

 public:
  explicit PlanView(QWidget* parent = nullptr);

  // Renders the current cell into the image, then schedules the copy onto the widget.
  void draw_plan();
  // Fits every cell into the view less margin percent; does not redraw.
  void fit_plan_to_view(int margin);
  // Zooms by 1 + f about the view's centre and redraws.
  void zoom_plan(double f);

  // The last rendered image; for tests and the benchmarks.
  const QImage& plan_image() const { return image_; }

 signals:
  // The useful-surface text for the status bar (empty when not shown).
  void status_text_changed(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The plan's editing by mouse (plan_editing.h).
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};
