#pragma once
// The title bar at the top of the main window: the program's name, today's
// receipt date with its era on a gradient strip, and the maker's box.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace kelvane {

class TGradBox;

class TitleStrip : public QWidget {
  Q_OBJECT

 public:
  explicit TitleStrip(QWidget* parent = nullptr);

  // The receipt date: era label and the era-year, month and day boxes.
  QLabel* Label17 = nullptr;
  QLineEdit* YERBOX = nullptr;
  QLineEdit* MTHBOX = nullptr;
  QLineEdit* DAYBOX = nullptr;

  // Left edges of the date pieces for a gradient box `width` pixels wide:
  // the date stays centred on it.
  struct DatePositions {
    int era, year, yearMark, month, monthMark, day, dayMark;
  };
  [[nodiscard]] static DatePositions DatePositionsFor(int width);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void placeDate();

  TGradBox* gradient_ = nullptr;
  QLabel* yearMark_ = nullptr;
  QLabel* monthMark_ = nullptr;
  QLabel* dayMark_ = nullptr;
};

}  // namespace kelvane
