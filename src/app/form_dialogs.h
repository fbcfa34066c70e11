#pragma once
// The dialogs the main window's commands ask through. The window uses the
// desktop's dialogs; tests put answers in their place.

#include <QColor>
#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace kelvane {

// A font as the text editors' font dialog starts from and gives back.
struct FontChoice {
  QString family;
  int pointSize = 10;  // whole points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  // The font colour, 0x00BBGGRR as the layout holds it. The desktop's font
  // dialog has no colour choice and gives back the colour it started with.
  int colour = 0;
};

struct FormDialogs {
  // A style file to open or to save as; empty when cancelled. `proposed` is
  // a full path or a folder.
  std::function<QString(QWidget* parent, const QString& proposed)> openStyle;
  std::function<QString(QWidget* parent, const QString& proposed)> saveStyle;
  // The PDF file to print into when no printer is installed.
  std::function<QString(QWidget* parent)> printPdf;
  // The style title; the current title when cancelled.
  std::function<QString(QWidget* parent, const QString& current)> styleTitle;
  // A line of text typed by the user, starting from `initial`; nothing when
  // cancelled.
  std::function<std::optional<QString>(QWidget* parent, const QString& caption,
                                       const QString& prompt, const QString& initial)>
      askText;
  // The register file to work with; empty when cancelled.
  std::function<QString(QWidget* parent)> openRegister;
  // The CSV file of receipts to issue in bulk; empty when cancelled.
  std::function<QString(QWidget* parent)> openCsv;
  // The printer set-up; true when confirmed.
  std::function<bool(QWidget* parent, QPrinter& printer)> printerSetup;
  // A picture file for an image slot (.bmp, .jpg/.jpeg or .png), starting
  // in `folder`; empty when cancelled.
  std::function<QString(QWidget* parent, const QString& folder)> choosePicture;
  // The font dialog of the text editors, starting from `initial`; nothing
  // when cancelled.
  std::function<std::optional<FontChoice>(QWidget* parent, const FontChoice& initial)> chooseFont;
  // The colour dialog, starting from `initial`; nothing when cancelled.
  std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)> chooseColour;
};

[[nodiscard]] FormDialogs DesktopDialogs();

}  // namespace kelvane
