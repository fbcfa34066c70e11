#pragma once
// The two modal boxes every question and notice goes through. Both carry the
// caption "ネムリカ" and the program's icon "dialog.ico".

#include <QString>

class QWidget;

namespace kelvane {

// Results the callers compare.
inline constexpr int kBoxFirstButton = 6;   // first button or Enter
inline constexpr int kBoxSecondButton = 7;  // second button or Esc
inline constexpr int kBoxClosed = 2;        // closed with the window's close control
inline constexpr int kBoxThirdButton = 8;   // third button of choice_box

// Which button Enter presses.
enum class BoxDefault { First, Second };

// Asks for a go-ahead: the first button is the default (Enter) unless
// `defaultButton` says the second, the second the cancel button (Esc).
int confirm_box(const QString& message, const QString& first, const QString& second,
                QWidget* parent = nullptr, BoxDefault defaultButton = BoxDefault::First);

// Reports: one default button; Esc does not close the box.
int info_box(const QString& message, const QString& caption, QWidget* parent = nullptr);

// Offers two actions and a way out. The third button is the default (Enter)
// and the cancel button (Esc), and closing the box with the window's close
// control answers it too: nothing is done without a deliberate choice.
// An empty `first` leaves that offer out. Returns kBoxFirstButton,
// kBoxSecondButton or kBoxThirdButton.
int choice_box(const QString& message, const QString& first, const QString& second,
               const QString& third, QWidget* parent = nullptr);

// Offers two answers of which the first keeps things as they are: Enter,
// Esc and the window's close control all answer it, so only a deliberate
// click on the second changes anything. Returns kBoxFirstButton or
// kBoxSecondButton.
int keep_or_change_box(const QString& message, const QString& keep, const QString& change,
                       QWidget* parent = nullptr);

// The boxes above standing over one window: what a controller is handed to
// speak to the user, so that it needs no window of its own.
class MessageBoxes {
 public:
  explicit MessageBoxes(QWidget* window) : window_(window) {}

  // The window the boxes and dialogs stand over.
  [[nodiscard]] QWidget* window() const { return window_; }

  int info(const QString& message, const QString& caption) const {
    return info_box(message, caption, window_);
  }
  // A failed file step or command, said in words; the program goes on.
  void report(const QString& message) const { info_box(message, QStringLiteral("確認"), window_); }
  int confirm(const QString& message, const QString& first, const QString& second,
              BoxDefault defaultButton = BoxDefault::First) const {
    return confirm_box(message, first, second, window_, defaultButton);
  }
  int choice(const QString& message, const QString& first, const QString& second,
             const QString& third) const {
    return choice_box(message, first, second, third, window_);
  }
  int keepOrChange(const QString& message, const QString& keep, const QString& change) const {
    return keep_or_change_box(message, keep, change, window_);
  }

 private:
  QWidget* window_;
};

}  // namespace kelvane
