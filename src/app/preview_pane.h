#pragma once
// The live preview: the paper panel in a scrolling area, the drawing area
// on it, and the zoom slider. Every refresh lays the paper out for the zoom
// and mode and draws the whole layout again; nothing is cached.

#include "layout/preview_geometry.h"
#include "render/element_geometry.h"
#include "render/picture_loader.h"
#include "render/renderer.h"

#include <QWidget>

class QScrollArea;
class QSlider;

namespace kelvane {

class LayoutDocument;

// What the preview draws, supplied by the main window.
class PreviewSource {
 public:
  virtual ~PreviewSource() = default;
  [[nodiscard]] virtual const LayoutDocument& previewDocument() const = 0;
  // Everything but the resolution, which the preview computes for its zoom.
  [[nodiscard]] virtual RenderSettings previewSettings() const = 0;
  // The receipt size, millimetres, fixed point.
  [[nodiscard]] virtual qint64 receiptWidth() const = 0;
  [[nodiscard]] virtual qint64 receiptHeight() const = 0;
  // A pass stopped at a malformed element in document line `line` (from 0).
  // Told once for each state of the document, not at every repaint: the
  // box that tells it would otherwise bring the next repaint and itself back.
  virtual void previewFailed(qsizetype line, const QString& message) = 0;
};

class PreviewPaintBox;

class PreviewPane : public QWidget {
  Q_OBJECT

 public:
  PreviewPane(PreviewSource& source, QWidget* parent = nullptr);

  QSlider* TrackBar1 = nullptr;       // zoom in percent, 10 to 100
  QScrollArea* ScrollBox1 = nullptr;  // holds the paper
  QWidget* Panel1 = nullptr;          // the paper
  QWidget* PaintBox1 = nullptr;       // the drawing area on the paper

  // While suspended, refresh requests do nothing (start-up, bulk updates).
  bool PreviewSuspended = true;
  // Leaves preview-only elements out of the preview too.
  bool showOnlyPrinted = false;

  void RefreshPreview();
  void PreparePreview();
  [[nodiscard]] const PreviewGeometry& geometry() const { return geometry_; }

  // Whether the layout draws to its end, tried without drawing anything.
  [[nodiscard]] bool layoutDraws();

  // Draws the white page and the layout onto `painter` (the drawing area).
  void paintPreview(QPainter& painter);

  // Where each element lies on the drawing area now, measured by a pass
  // that draws nothing, with the settings of the preview.
  [[nodiscard]] std::vector<ElementShape> measureElements();
  // The element picked on the preview (document line, -1 for none): a thin
  // frame shows it on the screen only, never on paper.
  void setSelectedLine(qsizetype line);
  [[nodiscard]] qsizetype selectedLine() const { return selectedLine_; }
  // The selection frame of the last paint, empty when none was drawn.
  [[nodiscard]] QRect selectionFrame() const { return selectionFrame_; }

 private:
  PreviewSource& source_;
  PreviewGeometry geometry_;
  PictureCache pictures_;
  [[nodiscard]] RenderSettings paintSettings() const;
  qsizetype selectedLine_ = -1;
  QRect selectionFrame_;
  // The failure said last: the failing line's text (empty for a header
  // value) and the message. Typing a receipt changes the document but not
  // a bad element, so the same failure is not said again for it.
  void tellWarnings(const QStringList& warnings);

  // The warnings of the pass that said them last.
  QStringList toldWarnings_;
  bool reported_ = false;
  QByteArray reportedLine_;
  QString reportedMessage_;
};

}  // namespace kelvane
