#include "app/image_editor.h"

#include "app/message_boxes.h"
#include "app/pages/images_page.h"
#include "render/picture_loader.h"
#include "settings/program_folder.h"
#include "styles/image_record.h"
#include "styles/picture_folder.h"
#include "text/layout_text.h"
#include "widgets/icon_button.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <cmath>

namespace kelvane {

namespace {

const QString kConfirm = QStringLiteral("確認");

// The panel's bevel: the picture is fitted into what lies inside it.
constexpr int kBevel = 2;

qint64 fixedOf(const TNValEdit& edit) { return std::llround(edit.value() * 10000.0L); }
void setFixed(TNValEdit& edit, qint64 value) {
  edit.setValue(static_cast<long double>(value) / 10000.0L);
}

QByteArray fieldOf(const TNValEdit& edit) {
  return NumberFieldText(ToLayoutText(edit.text()), fixedOf(edit));
}

}  // namespace

ImageEditor::ImageEditor(ImagesPage& page, EditorTools tools)
    : QObject(tools.window()), page_(page), tools_(tools) {
  connectControls();
}

void ImageEditor::connectControls() {
  for (QPushButton* button : page_.selectButtons) {
    connect(button, &QPushButton::clicked, this,
            [this, button] { Button20Click(button->property("line").toInt()); });
  }
  connect(page_.IconButton9, &TIconButton::clicked, this, &ImageEditor::IconButton9Click);
  connect(page_.IconButton4, &TIconButton::clicked, this, &ImageEditor::ApplyImageItem);
  connect(page_.IconButton16, &TIconButton::clicked, this, &ImageEditor::IconButton16Click);
  connect(page_.ChkBoxStr3, &QCheckBox::clicked, this, &ImageEditor::ApplyImageItem);
  // Enter applies in X and in the width; Y and the height wait for the
  // next apply.
  page_.imageX->installEventFilter(this);
  page_.imageWidth->installEventFilter(this);
  const auto nudge = [this](int dx, int dy) {
    return [this, dx, dy] { NudgeImage(dx, dy, QGuiApplication::keyboardModifiers()); };
  };
  connect(page_.PictButton16, &TPictButton::clicked, this, nudge(0, -1));
  connect(page_.PictButton18, &TPictButton::clicked, this, nudge(0, 1));
  connect(page_.PictButton17, &TPictButton::clicked, this, nudge(-1, 0));
  connect(page_.PictButton19, &TPictButton::clicked, this, nudge(1, 0));
}

bool ImageEditor::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  ApplyImageItem();
  return true;
}

int ImageEditor::slotIndex() const {
  for (int i = 0; i < 8; ++i) {
    if (ImagesPage::SlotLine(i) == selected_) return i;
  }
  return -1;
}

void ImageEditor::clearPicture() {
  picture_ = QImage();
  box_ = QRect();
  page_.imagePanel->setPixmap(QPixmap());
  page_.imagePanel->setToolTip(QString());
}

bool ImageEditor::showPicture(const QString& path, QString* why) {
  clearPicture();
  auto loaded = LoadPicture(path);
  if (!loaded || !loaded->drawable || loaded->image.isNull()) {
    if (why)
      *why =
          loaded ? QStringLiteral("この画像は印刷に使えません。\r\n%1").arg(path) : loaded.error();
    return false;
  }
  picture_ = loaded->image;
  page_.imagePanel->setToolTip(path);
  QLabel* panel = page_.imagePanel;
  const auto fitted = FitImagePreview(picture_.width(), picture_.height(),
                                      panel->width() - 2 * kBevel, panel->height() - 2 * kBevel);
  if (!fitted) return true;
  box_ = *fitted;
  // The label draws its pixmap inside its frame; the box counts from the
  // label's own corner.
  const QRect inside = panel->contentsRect();
  QPixmap shown(inside.size());
  shown.fill(Qt::transparent);
  QPainter painter(&shown);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(box_.translated(-inside.topLeft()), picture_);
  painter.end();
  panel->setPixmap(shown);
  return true;
}

void ImageEditor::Button20Click(int line) {
  if (!readSlot(line)) return;
  if (!choosePicture()) return;
  if (page_.imageX->value() == 0) page_.imageX->setValue(10);
  if (page_.imageY->value() == 0) page_.imageY->setValue(10);
  ApplyImageItem();
}

void ImageEditor::SelectSlot(int line) { readSlot(line); }

void ImageEditor::showSlotAgain() {
  if (selected_ != 0) readSlot(selected_);
}

bool ImageEditor::readSlot(int line) {
  clearPicture();
  page_.imageX->setValue(0);
  page_.imageY->setValue(0);
  page_.imageFileLabel->clear();
  selected_ = line;
  page_.ChkBoxStr3->setChecked(false);
  const auto read = ReadImageRecord(tools_.document().line(line));
  if (!read) {
    tools_.boxes.info(QStringLiteral("画  像%1の設定は読み込めません。\r\n%2")
                          .arg(slotIndex() + 1)
                          .arg(read.error()),
                      kConfirm);
    return false;
  }
  page_.ChkBoxStr3->setChecked(read->previewOnly);
  setFixed(*page_.imageX, read->x);
  setFixed(*page_.imageY, read->y);
  page_.imageFileLabel->setText(FromLayoutText(read->file));
  setFixed(*page_.imageWidth, read->width);
  setFixed(*page_.imageHeight, read->height);

  const QString file = page_.imageFileLabel->text();
  if (!file.isEmpty()) {
    // A picture that has gone leaves the panel empty; the record keeps it.
    if (QFileInfo(file).isFile()) showPicture(file);
    return false;
  }
  return true;
}

bool ImageEditor::choosePicture() {
  if (!tools_.dialogs.choosePicture) return false;
  const QString current = page_.imageFileLabel->text();
  const QString folder = current.isEmpty() ? ProgramFolder() : QFileInfo(current).absolutePath();
  const QString path = tools_.dialogs.choosePicture(tools_.window(), folder);
  if (path.isEmpty()) return false;
  if (const auto unstorable = UnstorablePicturePath(path)) {
    tools_.boxes.info(*unstorable, kConfirm);
    return false;
  }
  QString why;
  if (!showPicture(path, &why)) {
    // The panel shows the slot's picture again, if it had one.
    if (!current.isEmpty() && QFileInfo(current).isFile()) showPicture(current);
    tools_.boxes.info(why, kConfirm);
    return false;
  }
  const QString kept = keptPicture(path);
  page_.imageFileLabel->setText(kept);
  page_.imagePanel->setToolTip(kept);
  return true;
}

QString ImageEditor::keptPicture(const QString& chosen) {
  if (IsInsideFolder(chosen, ProgramFolder())) return chosen;  // the backup holds it already
  const QString folder = ProgramFile(QString::fromLatin1(kImageFolderName));
  const auto cannotCopy = [&](const QString& why) {
    tools_.boxes.info(
        QStringLiteral("画像をプログラムフォルダの「%1」にコピーできませんでした。\r\n%2\r\n"
                       "元の場所の画像「%3」をそのまま使います。")
            .arg(QString::fromLatin1(kImageFolderName), why, QDir::toNativeSeparators(chosen)),
        kConfirm);
    return chosen;
  };
  // The copy keeps the name (or adds "_2" and so on), so a folder the
  // layout cannot name cannot hold it.
  if (const auto unstorable =
          UnstorablePicturePath(QDir(folder).filePath(QFileInfo(chosen).fileName())))
    return cannotCopy(*unstorable);
  const auto copy = CopyPictureInto(chosen, folder);
  if (!copy) return cannotCopy(copy.error());
  return *copy;
}

void ImageEditor::IconButton9Click() {
  if (selected_ == 0) {
    tools_.boxes.info(QStringLiteral("設定番号をまず指定してください"), kConfirm);
    return;
  }
  if (choosePicture()) ApplyImageItem();
}

void ImageEditor::ApplyImageItem() {
  const int index = slotIndex();
  if (index < 0) return;
  ImageValues v;
  v.previewOnly = page_.ChkBoxStr3->isChecked();
  v.x = fieldOf(*page_.imageX);
  v.y = fieldOf(*page_.imageY);
  v.file = ToLayoutText(page_.imageFileLabel->text());
  v.width = fieldOf(*page_.imageWidth);
  v.height = fieldOf(*page_.imageHeight);
  page_.im[index]->setText(page_.imageFileLabel->text());
  page_.ix[index]->setText(FromLayoutText(v.x));
  page_.iy[index]->setText(FromLayoutText(v.y));
  const auto change = tools_.edits.step(QStringLiteral("画像の変更"));
  tools_.document().setLine(selected_, BuildImageRecord(v));
}

void ImageEditor::IconButton16Click() {
  const int index = slotIndex();
  if (index < 0) {
    tools_.boxes.info(QStringLiteral("調整する項目を左のリストから選択してください"), kConfirm);
    return;
  }
  page_.imageFileLabel->clear();
  clearPicture();
  page_.imageX->setValue(0);
  page_.imageY->setValue(0);
  {
    const auto change = tools_.edits.step(QStringLiteral("画像のクリア"));
    ApplyImageItem();
  }
  page_.ix[index]->clear();
  page_.iy[index]->clear();
  page_.im[index]->clear();
}

void ImageEditor::NudgeImage(int dx, int dy, Qt::KeyboardModifiers modifiers) {
  const qint64 step =
      NudgeStep(modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier));
  if (dx != 0) setFixed(*page_.imageX, NudgedValue(fixedOf(*page_.imageX), dx * step));
  if (dy != 0) setFixed(*page_.imageY, NudgedValue(fixedOf(*page_.imageY), dy * step));
  const auto change = tools_.edits.step(QStringLiteral("画像の移動"));
  ApplyImageItem();
}

}  // namespace kelvane
