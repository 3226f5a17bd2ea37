// The plan view as the main window hosts it: a shown widget draws the current
// cell at its own size, reports the useful surface, shows exactly its image,
// and zooms and fits through the shared state.
#include "editor/plan/plan_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStringList>

#include "model/base/cell_extents.h"
#include "support/plan_rooms.h"

TEST(PlanView, ShowsTheCurrentCellAndItsUsefulSurface) {
  QLocale::setDefault(QLocale::c());
  reset_plan_globals();
  sample_room();
  AppState.product_switch = 1;

  PlanView view;
  QStringList status;
  QObject::connect(&view, &PlanView::status_text_changed, [&](const QString& text) { status << text; });
  view.resize(640, 480);
  view.fit_plan_to_view(10);
  view.show();
  QApplication::processEvents();
  ASSERT_FALSE(status.isEmpty());  // drawn when the widget got its size
  EXPECT_EQ(view.plan_image().size(), QSize(640, 480));
  EXPECT_TRUE(status.back().startsWith("Sup.Ut.: ")) << status.back().toStdString();
  EXPECT_EQ(view.grab().toImage().convertToFormat(QImage::Format_RGB32), view.plan_image());
  EXPECT_EQ(AppState.cell_extents, compute_cell_extents(Cells[0]));
  EXPECT_FALSE(Cells[0].compact_groups.empty());  // re-derived by the drawing

  const double fitted = AppState.zoom;
  const QImage before = view.plan_image();
  status.clear();
  view.zoom_plan(0.1);
  EXPECT_DOUBLE_EQ(AppState.zoom, fitted * 1.1);
  EXPECT_EQ(status.size(), 1);  // zooming redraws
  EXPECT_NE(view.plan_image(), before);

  AppState.product_switch = 0;
  view.draw_plan();
  EXPECT_EQ(status.back(), "");

  view.fit_plan_to_view(10);
  EXPECT_DOUBLE_EQ(AppState.zoom, fitted);
  view.resize(320, 240);
  QApplication::processEvents();
  EXPECT_EQ(view.plan_image().size(), QSize(320, 240));
}

TEST(PlanView, WithoutACellShowsTheBackground) {
  reset_plan_globals(true);
  Cells.clear();
  PlanView view;
  view.resize(64, 48);
  view.draw_plan();
  EXPECT_EQ(view.plan_image().pixelColor(10, 10), QColor(0, 0, 0));
  EXPECT_EQ(view.plan_image().pixelColor(63, 47), QColor(0, 0, 0));
  reset_plan_globals();
}
