#pragma once
// A label that lights up under the mouse and can open its own text as a web
// or mail address.

#include <QColor>
#include <QLabel>
#include <QUrl>

#include <functional>

namespace kelvane {

// The address a label's text stands for: the text itself when it names a
// scheme ("https://…", "mailto:…"), "mailto:" + text when it holds an "@",
// else "http://" + text, as a browser's address bar reads a bare host.
// Surrounding spaces are ignored; empty text gives an empty URL.
[[nodiscard]] QUrl AddressUrl(const QString& text);

// What the owner of a label says when no program took its address: a mail
// program or a browser, as the address asks for.
[[nodiscard]] QString NoProgramForAddressText(const QUrl& url);

class TURLLabel : public QLabel {
  Q_OBJECT

 public:
  // Hands an address to the desktop without waiting for it.
  using Opener = std::function<void(const QUrl&)>;

  explicit TURLLabel(QWidget* parent = nullptr);
  explicit TURLLabel(const QString& text, QWidget* parent = nullptr);

  [[nodiscard]] bool executable() const { return m_executable; }
  void setExecutable(bool on) { m_executable = on; }
  [[nodiscard]] bool hotTrack() const { return m_hotTrack; }
  void setHotTrack(bool on) { m_hotTrack = on; }
  [[nodiscard]] QColor hotColor() const { return m_hotColor; }
  void setHotColor(const QColor& colour) { m_hotColor = colour; }
  [[nodiscard]] QColor pushedColor() const { return m_pushedColor; }
  void setPushedColor(const QColor& colour) { m_pushedColor = colour; }

  // The colour the text is drawn in now.
  [[nodiscard]] QColor fontColor() const;

  // Replaces the desktop opener for every label (tests); returns the one in
  // use before. An empty function restores the desktop's.
  static Opener setOpener(Opener opener);

 signals:
  void opened(const QUrl& url);
  // The desktop has no program for the address; `message` says so.
  void notOpened(const QUrl& url, const QString& message);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void setFontColor(const QColor& colour);
  void rememberColour();
  void restoreColour();

  bool m_executable = false;
  bool m_hotTrack = true;
  QColor m_hotColor{0, 255, 255};
  QColor m_pushedColor{255, 0, 0};
  QColor m_remembered;
  bool m_lit = false;  // the remembered colour is ours to restore
};

}  // namespace kelvane
