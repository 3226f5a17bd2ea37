// The plan paint box of the main window: the current cell drawn into an
// off-screen image the size of the widget and copied onto it in one step.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class PlanView : public QWidget {
  Q_OBJECT

 public:
  explicit PlanView(QWidget* parent = nullptr);

  // Renders the current cell into the image and repaints.
  void draw_plan();
  // Fits the current cell into the view with a margin in pixels.
  void fit_plan_to_view(int margin);
  // Zooms by a factor step and redraws.
  void zoom_plan(double f);

 signals:
  void status_text_changed(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage image_;
};
