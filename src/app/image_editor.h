#pragma once
// The image editor of the page "画像": the overview of the eight image slots
// (layout lines 7 to 10, drawn before the lines and shapes, and 122 to 125,
// drawn after them) and the tools that edit the selected slot's "image"
// record. The picture in the panel is only a preview: the layout keeps the
// file's path and the renderer reads the file when it draws.

#include "app/editor_tools.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

namespace kelvane {

class ImagesPage;

class ImageEditor : public QObject {
  Q_OBJECT

 public:
  ImageEditor(ImagesPage& page, EditorTools tools);

  // The layout line of the slot being edited; 0 before any is chosen.
  [[nodiscard]] int selectedLine() const { return selected_; }
  // The picture in the panel at its natural size (null when none) and the
  // box it is drawn in, in the panel's coordinates.
  [[nodiscard]] const QImage& picture() const { return picture_; }
  [[nodiscard]] QRect previewBox() const { return box_; }

  // "設定" of the slot at layout line `line`: the slot into the editor. An
  // empty slot asks for its picture at once.
  void Button20Click(int line);
  // The slot at layout line `line` into the editor, nothing asked (an
  // element picked on the preview).
  void SelectSlot(int line);
  // The selected slot's record into the controls again (after an undo or
  // redo); nothing is asked and nothing written.
  void showSlotAgain();
  // Asks for the picture of the selected slot.
  void IconButton9Click();
  // The controls as a record into the selected slot, then the preview.
  void ApplyImageItem();
  // Empties the selected slot.
  void IconButton16Click();
  // Moves the image by one step (Shift 0.1 mm, Ctrl 10 mm, else 1 mm) to
  // the left (-1), right (1), up (-1) or down (1), then applies.
  void NudgeImage(int dx, int dy, Qt::KeyboardModifiers modifiers);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectControls();
  [[nodiscard]] int slotIndex() const;
  // Asks for a picture file; false when cancelled or when the file cannot
  // serve (said to the user). On success the file label holds its path and
  // the panel shows it.
  bool choosePicture();
  // The picture the record names for the file chosen: a file from outside
  // the program folder is copied into its "image" folder, so the backup of
  // the folder holds it and the original may move. When the copy fails the
  // user is told and the chosen file serves as it is.
  QString keptPicture(const QString& chosen);
  // Shows the file in the panel; false when it cannot be read.
  bool showPicture(const QString& path, QString* why = nullptr);
  void clearPicture();
  // The record of slot `line` into the controls; true when it is readable
  // and names no picture yet.
  bool readSlot(int line);

  ImagesPage& page_;
  EditorTools tools_;
  int selected_ = 0;
  QImage picture_;
  QRect box_;
};

}  // namespace kelvane
