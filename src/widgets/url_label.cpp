#include "widgets/url_label.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QRegularExpression>

namespace kelvane {
namespace {

TURLLabel::Opener& CurrentOpener() {
  static TURLLabel::Opener opener;
  return opener;
}

bool OpenWithDesktop(const QUrl& url) {
  // Starts the desktop's handler detached; returns at once.
  return QDesktopServices::openUrl(url);
}

}  // namespace

QUrl AddressUrl(const QString& text) {
  const QString address = text.trimmed();
  if (address.isEmpty()) return {};
  // "host:port" must not pass for a scheme, so only "x://" and mailto: count.
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
  if (scheme.match(address).hasMatch() ||
      address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)) {
    return QUrl(address, QUrl::TolerantMode);
  }
  if (address.contains(QLatin1Char('@'))) {
    return QUrl(QStringLiteral("mailto:") + address, QUrl::TolerantMode);
  }
  return QUrl(QStringLiteral("http://") + address, QUrl::TolerantMode);
}

QString NoProgramForAddressText(const QUrl& url) {
  if (url.scheme() == QLatin1String("mailto")) {
    return QStringLiteral("メールを開くプログラムが見つかりません。");
  }
  return QStringLiteral("「%1」を開くプログラム（ブラウザ）が見つかりません。")
      .arg(url.toDisplayString());
}

TURLLabel::TURLLabel(QWidget* parent) : TURLLabel(QString(), parent) {}

TURLLabel::TURLLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
}

TURLLabel::Opener TURLLabel::setOpener(Opener opener) {
  Opener previous = CurrentOpener();
  CurrentOpener() = std::move(opener);
  return previous;
}

QColor TURLLabel::fontColor() const { return palette().color(foregroundRole()); }

void TURLLabel::setFontColor(const QColor& colour) {
  if (colour == fontColor()) return;
  QPalette p = palette();
  p.setColor(foregroundRole(), colour);
  setPalette(p);
}

// Remembers only when not lit already, so a second enter (or a press without
// an enter) never takes the hot colour for the label's own.
void TURLLabel::rememberColour() {
  if (m_lit) return;
  m_remembered = fontColor();
  m_lit = true;
}

void TURLLabel::restoreColour() {
  if (!m_lit) return;
  m_lit = false;
  setFontColor(m_remembered);
}

void TURLLabel::enterEvent(QEnterEvent* event) {
  if (m_hotTrack) {
    rememberColour();
    setFontColor(m_hotColor);
  }
  QLabel::enterEvent(event);
}

void TURLLabel::leaveEvent(QEvent* event) {
  restoreColour();
  QLabel::leaveEvent(event);
}

void TURLLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  if (m_hotTrack) {
    rememberColour();
    setFontColor(m_pushedColor);
  }
  if (m_executable) {
    const QUrl url = AddressUrl(text());
    if (url.isValid() && !url.isEmpty()) {
      const Opener& opener = CurrentOpener();
      if (opener) {
        opener(url);
      } else if (!OpenWithDesktop(url)) {
        emit notOpened(url, NoProgramForAddressText(url));
        return;
      }
      emit opened(url);
    }
  }
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  if (m_hotTrack && m_lit) {
    if (rect().contains(event->position().toPoint())) {
      setFontColor(m_hotColor);
    } else {
      restoreColour();
    }
  }
}

}  // namespace kelvane
