#include "app/preview_pane.h"

#include "app/message_boxes.h"

#include "render/painter_canvas.h"
#include "render/recording_canvas.h"
#include "text/fixed_point.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>

namespace kelvane {

// The drawing area: its paint event draws the layout.
class PreviewPaintBox : public QWidget {
 public:
  PreviewPaintBox(PreviewPane& pane, QWidget* parent) : QWidget(parent), pane_(pane) {
    setObjectName(QStringLiteral("PaintBox1"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    pane_.paintPreview(painter);
  }

 private:
  PreviewPane& pane_;
};

PreviewPane::PreviewPane(PreviewSource& source, QWidget* parent)
    : QWidget(parent), source_(source) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  TrackBar1 = new QSlider(Qt::Vertical, this);
  TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
  TrackBar1->setRange(10, 100);
  TrackBar1->setTickInterval(10);
  TrackBar1->setTickPosition(QSlider::TicksRight);
  TrackBar1->setPageStep(10);
  TrackBar1->setInvertedAppearance(true);  // 10 at the top, as the zoom grows downward
  TrackBar1->setValue(70);
  TrackBar1->setToolTip(QStringLiteral("プレビューの倍率"));
  row->addWidget(TrackBar1);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setWidgetResizable(false);
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAutoFillBackground(true);
  QPalette paper = Panel1->palette();
  paper.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(paper);
  PaintBox1 = new PreviewPaintBox(*this, Panel1);
  ScrollBox1->setWidget(Panel1);
  row->addWidget(ScrollBox1, 1);

  connect(TrackBar1, &QSlider::valueChanged, this, [this] { RefreshPreview(); });
}

void PreviewPane::PreparePreview() {
  const RenderSettings settings = source_.previewSettings();
  geometry_ = ComputePreviewGeometry(settings.metrics, TrackBar1->value(), settings.previewMode,
                                     source_.receiptWidth(), source_.receiptHeight());
  Panel1->resize(geometry_.panel);
  PaintBox1->setGeometry(geometry_.paintBox);
}

void PreviewPane::RefreshPreview() {
  if (PreviewSuspended) return;
  PreparePreview();
  PaintBox1->update();
}

bool PreviewPane::layoutDraws() {
  RenderSettings settings = source_.previewSettings();
  settings.previewResolution = geometry_.resolutionX;
  RecordingCanvas canvas;
  Renderer renderer(&pictures_);
  return renderer
      .DrawLayout(canvas, source_.previewDocument(), settings, fixed::fromWhole(96),
                  fixed::fromWhole(96))
      .ok();
}

RenderSettings PreviewPane::paintSettings() const {
  RenderSettings settings = source_.previewSettings();
  settings.previewResolution = geometry_.resolutionX;
  settings.zoomPercent = TrackBar1->value();
  settings.showOnlyPrinted = showOnlyPrinted;
  return settings;
}

std::vector<ElementShape> PreviewPane::measureElements() {
  if (PreviewSuspended) return {};
  GeometryCanvas canvas(nullptr, false);
  Renderer renderer(&pictures_);
  (void)renderer.DrawLayout(canvas, source_.previewDocument(), paintSettings(),
                            fixed::fromWhole(geometry_.resolutionX),
                            fixed::fromWhole(geometry_.resolutionY));
  return canvas.takeShapes();
}

void PreviewPane::setSelectedLine(qsizetype line) {
  if (line == selectedLine_) return;
  selectedLine_ = line;
  PaintBox1->update();
}

void PreviewPane::paintPreview(QPainter& painter) {
  if (PreviewSuspended) return;
  // The white page with a one-pixel black edge, as a rectangle whose right
  // and bottom edges lie one pixel inside the page size.
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(QRect(0, 0, geometry_.page.width() - 1, geometry_.page.height() - 1));
  painter.setBrush(Qt::NoBrush);

  const RenderSettings settings = paintSettings();
  // The canvas draws each element as it comes, so what lies before a bad
  // element stays on the page.
  PainterCanvas painted(painter, false);
  // The same pass tells where the selected element was drawn.
  GeometryCanvas canvas(&painted, false);
  canvas.keepOnly(selectedLine_);
  Renderer renderer(&pictures_);
  const LayoutDocument& document = source_.previewDocument();
  const auto drawn =
      renderer.DrawLayout(canvas, document, settings, fixed::fromWhole(geometry_.resolutionX),
                          fixed::fromWhole(geometry_.resolutionY));
  selectionFrame_ = QRect();
  if (const ElementShape* selected = ShapeOfLine(canvas.shapes(), selectedLine_)) {
    selectionFrame_ = selected->bounds.adjusted(-2, -2, 2, 2);
    QPen frame(QColor(0, 120, 215), 1, Qt::DashLine);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(selectionFrame_);
  }
  tellWarnings(renderer.warnings());
  if (drawn) {
    reported_ = false;  // a later break is said again
    return;
  }
  const qsizetype line = renderer.failedLine();
  const QByteArray lineText =
      line >= 0 && line < document.lineCount() ? document.line(line) : QByteArray();
  if (reported_ && reportedLine_ == lineText && reportedMessage_ == drawn.error()) return;
  reported_ = true;
  reportedLine_ = lineText;
  reportedMessage_ = drawn.error();
  QTimer::singleShot(
      0, this, [this, line, message = drawn.error()] { source_.previewFailed(line, message); });
}

// Damaged text is drawn and said once, not at every repaint: the same
// warnings again (typing a receipt repaints) say nothing.
void PreviewPane::tellWarnings(const QStringList& warnings) {
  if (warnings == toldWarnings_) return;
  toldWarnings_ = warnings;
  if (warnings.isEmpty()) return;
  QTimer::singleShot(0, this, [this, message = warnings.join(QStringLiteral("\r\n\r\n"))] {
    info_box(message, QStringLiteral("確認"), window());
  });
}

}  // namespace kelvane
