#include "editor/view_window/view_3d_window.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cstddef>
#include <utility>

#include "editor/guarded_connection.h"
#include "editor/message_and_input_boxes.h"
#include "editor/qt_lang_text.h"
#include "editor/screen_centring.h"
#include "gfx3d/materials/bitmap32.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/text_numbers.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/stage.h"
#include "scene3d/objects/teapot.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"
#include "scene3d/viewer/stage_viewer.h"
#include "view3d/snapshot_files.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;

// The frame as the quote keeps it: 24 bits a pixel, rows top to bottom.
std::shared_ptr<const Tpicture> picture_of(const QImage& frame) {
  const QImage rgb = frame.convertToFormat(QImage::Format_RGB888);
  auto picture = std::make_shared<Tpicture>();
  picture->width = rgb.width();
  picture->height = rgb.height();
  const auto row = static_cast<std::size_t>(rgb.width()) * 3;
  picture->rgb.resize(row * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y)
    std::copy_n(rgb.constScanLine(y), row, picture->rgb.data() + row * static_cast<std::size_t>(y));
  return picture;
}

void set_up_light(TGLLightSource& light) {
  light.Ambient().SetColor({1, 1, 1, 1});
  light.SetConstAttenuation(1);
  light.Position().SetPoint(10, 10, 10);
  light.SetSpotCutOff(180);
}

// Made with the form, never shown nor used by the view.
void set_up_teapot(TGLTeapot& teapot, TGLExtrusionSolid& solid) {
  teapot.SetVisible(false);
  teapot.Direction().SetVector(1, 0, 0);
  teapot.Up().SetVector(0, 0, 1);
  teapot.Scale().SetVector(2, 2, 2);
  teapot.Material().SetBlendingMode(bmTransparency);
  teapot.Material().FrontProperties().Diffuse().SetColor({0.5765f, 1.0f, 0.5686f, 1.0f});
  solid.Material().FrontProperties().Ambient().SetColor({1, 1, 0, 1});
  solid.SetHeight(1);
  solid.SetStacks(5);
  solid.SetMinSmoothAngle(5);
}

void set_up_camera(TGLCamera& camera, TGLDummyCube& target) {
  camera.SetTargetObject(&target);
  camera.Position().SetPoint(0, 200, 200);
  // Stored with the form; the view looks at its target all the same.
  camera.Direction().SetVector(-0.9618273f, 0, -0.2736570f);
  camera.SetDepthOfView(100000);
  camera.SetFocalLength(400);
}

}  // namespace

TF3d::TF3d(QWidget* parent) : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), GLStage1(new TGLStage(nullptr)) {
  setWindowTitle("Visualizzazione 3D (F1 Help)");
  TGLStageRootObject& objects = GLStage1->Objects();
  GLLightSource1 = objects.NewChildOfClass<TGLLightSource>();
  set_up_light(*GLLightSource1);
  Teapot1 = objects.NewChildOfClass<TGLTeapot>();
  ExtrusionSolid1 = Teapot1->NewChildOfClass<TGLExtrusionSolid>();
  set_up_teapot(*Teapot1, *ExtrusionSolid1);
  DummyCube1 = objects.NewChildOfClass<TGLDummyCube>();
  GLCamera1 = DummyCube1->NewChildOfClass<TGLCamera>();
  set_up_camera(*GLCamera1, *DummyCube1);
  DummyCube2 = objects.NewChildOfClass<TGLDummyCube>();

  GLStageViewer1 = new TGLStageViewer(this);
  GLStageViewer1->resize(712, 480);
  GLStageViewer1->SetCamera(GLCamera1);
  GLStageViewer1->Buffer().SetBackgroundColor(0);
  GLStageViewer1->Buffer().FogEnvironment().FogColor().SetColor({0.85f, 0.85f, 0.85f, 1.0f});
  GLStageViewer1->Buffer().FogEnvironment().SetFogStart(10);
  GLStageViewer1->Buffer().FogEnvironment().SetFogEnd(1010);
  GLStageViewer1->OnRenderError = [this](const std::string& message) {
    render_error_ = message;
    show_render_error();
  };
  // A move without a button moves the light too.
  GLStageViewer1->setMouseTracking(true);
  GLStageViewer1->installEventFilter(this);

  MainMenu1 = new QMenuBar(this);
  Immagine1 = MainMenu1->addMenu("Immagine");
  Salvasufile1 = Immagine1->addAction("Salva su file", this, guarded_slot(this, &TF3d::Salvasufile1Click));
  Stampa1 = Immagine1->addAction("Stampa...", this, guarded_slot(this, &TF3d::Stampa1Click));
  Immagine1->addSeparator();
  imm1 = Immagine1->addAction("Preventivo", this, guarded_slot(this, &TF3d::imm1Click));

  failure_label_ = new QLabel(this);
  failure_label_->setWordWrap(true);
  failure_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  failure_label_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(MainMenu1);
  layout->addWidget(GLStageViewer1, 1);
  layout->addWidget(failure_label_);
  resize(712, 480 + MainMenu1->sizeHint().height());
  // Centred on the screen, not on the main window, when it first shows.
  centre_on_screen_when_shown(*this, Centring::first_show);
}

TF3d::~TF3d() {
  // The viewer goes first: its buffer still refers to the scene.
  delete GLStageViewer1;
}

void TF3d::apply_language() {
  setWindowTitle(qt_lang_text(text::view_3d));
  Immagine1->setTitle(qt_lang_text(text::picture_3d));
  Salvasufile1->setText(qt_lang_text(text::save_to_file));
  Stampa1->setText(qt_lang_text(text::print_picture) + "...");
  imm1->setText(qt_lang_text(text::quote_pictures));
}

NavigationRig TF3d::rig() { return {*GLCamera1, *DummyCube1, *GLLightSource1}; }

void TF3d::genera_3d(Tcell cell) { builder_.build(*GLStage1, DummyCube2, cell, current_scene_settings()); }

void TF3d::rebuild_after_edit(const Tcell& cell) {
  try {
    genera_3d(cell);
  } catch (const std::exception& error) {
    show_failure_later(error, this);
  }
}

QString TF3d::failure_report() const { return QString::fromStdString(render_error_); }

void TF3d::show_render_error() {
  failure_label_->setText(failure_report());
  failure_label_->setVisible(!render_error_.empty());
}

void TF3d::show_message(const QString& text) { show_box(this, QMessageBox::Information, text, QMessageBox::Ok); }

void TF3d::FormActivate() {
  GLStageViewer1->Buffer().SetBackgroundColor(static_cast<TColor>(AppState.background_3d));
  NavigationRig here = rig();
  light_follows_camera(here);
}

void TF3d::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QDialog::changeEvent(event);
}

// Without a window manager a shown window is not activated until it is
// clicked; its first frame takes the preferences all the same.
void TF3d::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

bool TF3d::eventFilter(QObject* watched, QEvent* event) {
  if (watched != GLStageViewer1) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonPress) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    navigation_.press(at.x(), at.y());
  } else if (event->type() == QEvent::MouseMove) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    NavigationRig here = rig();
    navigation_.move(here, at.x(), at.y(),
                     {mouse->buttons().testFlag(Qt::LeftButton), mouse->buttons().testFlag(Qt::RightButton),
                      mouse->modifiers().testFlag(Qt::ShiftModifier)});
  }
  return QDialog::eventFilter(watched, event);
}

// The window has no keys of its own: Esc does not close it as it would a dialog.
void TF3d::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

void TF3d::wheelEvent(QWheelEvent* event) {
  NavigationRig here = rig();
  navigation_.wheel(here, event->angleDelta().y());
  event->accept();
}

void TF3d::save_bitmap(const std::string& file_name) {
  const QImage frame =
      GLStageViewer1->Buffer().CaptureFrameBitmap()->ToPlatformBitmap32().convertToFormat(QImage::Format_ARGB32);
  std::vector<std::uint8_t> bgra;
  const auto row = static_cast<std::size_t>(frame.width()) * 4;
  bgra.reserve(row * static_cast<std::size_t>(frame.height()));
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb pixel = frame.pixel(x, y);
      bgra.insert(bgra.end(), {static_cast<std::uint8_t>(qBlue(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
                               static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qAlpha(pixel))});
    }
  write_bmp32(bmp_file_name(file_name), frame.width(), frame.height(), bgra);
}

void TF3d::Salvasufile1Click() {
  run_guarded(
      [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, qt_lang_text(text::save_to_file), QString(), "Bitmaps (*.bmp)");
        if (path.isEmpty()) return;
        save_bitmap(path.toStdString());
        show_message(qt_lang_text(text::picture_saved));
      },
      this);
}

QImage TF3d::white_frame() {
  TGLStageBuffer& buffer = GLStageViewer1->Buffer();
  const TColor background = buffer.BackgroundColor();
  buffer.SetBackgroundColor(kWhite);
  QImage frame;
  try {
    buffer.Render();
    // The capture renders the second frame and reads it before the swap.
    frame = buffer.CaptureFrameBitmap()->ToPlatformBitmap32().convertToFormat(QImage::Format_RGB888);
  } catch (...) {
    buffer.SetBackgroundColor(background);
    throw;
  }
  buffer.SetBackgroundColor(background);
  return frame;
}

void TF3d::print_frame(QPrinter& printer) {
  const QImage frame = white_frame();
  printer.setPageOrientation(QPageLayout::Landscape);
  QPainter painter(&printer);
  const PageFit fit = fit_on_page(frame.width(), frame.height(), painter.device()->width(), painter.device()->height());
  painter.drawImage(QRect(fit.x0, fit.y0, fit.width, fit.height), frame);
}

void TF3d::Stampa1Click() {
  run_guarded(
      [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(300);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted) return;
        print_frame(printer);
      },
      this);
}

void TF3d::imm1Click() {
  run_guarded([this] { store_quote_pictures(); }, this);
}

// A cell that cannot be built ends the command: the cells before it keep
// their new pictures and the view stays on what was built of it.
void TF3d::store_quote_pictures() {
  for (std::size_t c = 0; c < Cells.size(); ++c) {
    genera_3d(std::as_const(Cells)[c]);
    Cells.set_picture(c, picture_of(white_frame()));
  }
  if (AppState.current_cell >= 0 && static_cast<std::size_t>(AppState.current_cell) < Cells.size())
    genera_3d(std::as_const(Cells)[static_cast<std::size_t>(AppState.current_cell)]);
  GLStageViewer1->Buffer().Render();
}
