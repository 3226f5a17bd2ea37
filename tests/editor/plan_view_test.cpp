// The plan view as the main window hosts it: whole rooms drawn through the
// widget, on both backgrounds.
#include "editor/plan/plan_view.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdlib>

#include "support/plan_rooms.h"

namespace {

void dump(const QImage& image, const char* name) {
  if (const char* folder = std::getenv("PLAN_DUMP_DIR")) image.save(QString(folder) + "/" + name + ".png");
}

}  // namespace

TEST(PlanView, DrawsTheSampleRoom) {
  for (bool black : {false, true}) {
    reset_plan_globals(black);
    sample_room();
    Cells[0].walls[4].selected = true;
    Cells[0].walls[3].modules[1].selected = true;
    Cells[0].walls[3].modules[2].selected2 = true;
    AppState.product_switch = 1;
    PlanView view;
    view.resize(1000, 760);
    QStringList status;
    QObject::connect(&view, &PlanView::status_text_changed, [&](const QString& text) { status << text; });
    view.fit_plan_to_view(10);
    view.draw_plan();
    dump(view.plan_image(), black ? "sample-black" : "sample-white");
    ASSERT_EQ(status.size(), 1);
    EXPECT_TRUE(status[0].startsWith("Sup.Ut.: ")) << status[0].toStdString();
  }
}
