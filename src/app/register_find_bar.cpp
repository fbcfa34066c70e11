#include "app/register_find_bar.h"

#include "app/message_boxes.h"
#include "receipt/amount_text.h"
#include "text/line_file.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& hint) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setPlaceholderText(hint);
  edit->setClearButtonEnabled(true);
  return edit;
}

// A bound's field: its reason as the tip, in red while it cannot be read.
void mark(QLineEdit* edit, const QString& failure) {
  edit->setToolTip(failure);
  edit->setStyleSheet(failure.isEmpty() ? QString() : QStringLiteral("color: #c00000;"));
}

template <class T>
std::optional<T> readable(const Expected<std::optional<T>>& bound) {
  return bound ? *bound : std::nullopt;
}

}  // namespace

RegisterFindBar::RegisterFindBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("findBar"));
  // The hints show this month, the range a shop looks up most.
  const QDate today = QDate::currentDate();
  const QDate first(today.year(), today.month(), 1);
  const QString shape = QStringLiteral("yyyy/M/d");
  dateFrom = field(this, "dateFrom", first.toString(shape));
  dateTo = field(this, "dateTo", first.addMonths(1).addDays(-1).toString(shape));
  amountFrom = field(this, "amountFrom", QString());
  amountTo = field(this, "amountTo", QString());
  addressee = field(this, "addressee", QStringLiteral("宛名の一部"));
  number = field(this, "number", QString());
  description = field(this, "description", QStringLiteral("摘要の一部"));
  staff = field(this, "staff", QString());
  showAll = new QPushButton(QStringLiteral("すべて表示"), this);
  showAll->setObjectName(QStringLiteral("showAll"));
  showAll->setAutoDefault(false);

  // Two rows, so that the list can be made as narrow as before: the ranges
  // and the button, then the texts.
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(6, 0, 6, 4);
  rows->setSpacing(2);
  auto* row = new QHBoxLayout;
  const auto label = [&](const QString& text) { row->addWidget(new QLabel(text, this)); };
  label(QStringLiteral("日付"));
  row->addWidget(dateFrom, 1);
  label(QStringLiteral("～"));
  row->addWidget(dateTo, 1);
  row->addSpacing(10);
  label(QStringLiteral("金額"));
  row->addWidget(amountFrom, 1);
  label(QStringLiteral("～"));
  row->addWidget(amountTo, 1);
  row->addStretch(1);
  row->addWidget(showAll);
  rows->addLayout(row);
  row = new QHBoxLayout;
  label(QStringLiteral("宛名"));
  row->addWidget(addressee, 3);
  label(QStringLiteral("番号"));
  row->addWidget(number, 1);
  label(QStringLiteral("摘要"));
  row->addWidget(description, 2);
  label(QStringLiteral("担当者"));
  row->addWidget(staff, 1);
  rows->addLayout(row);

  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMs);
  connect(&pause_, &QTimer::timeout, this, &RegisterFindBar::changedNow);
  for (QLineEdit* edit : fields())
    connect(edit, &QLineEdit::textChanged, this, [this] { pause_.start(); });
  connect(showAll, &QPushButton::clicked, this, [this] {
    for (QLineEdit* edit : fields()) {
      const QSignalBlocker quiet(edit);
      edit->clear();
    }
    changedNow();
  });
}

QList<QLineEdit*> RegisterFindBar::fields() const {
  return {dateFrom, dateTo, amountFrom, amountTo, addressee, number, description, staff};
}

RegisterFilter RegisterFindBar::filter() const {
  RegisterFilter f;
  f.dateFrom = readable(SearchDateBound(dateFrom->text(), false));
  f.dateTo = readable(SearchDateBound(dateTo->text(), true));
  f.amountFrom = readable(SearchAmountBound(amountFrom->text()));
  f.amountTo = readable(SearchAmountBound(amountTo->text()));
  f.addressee = addressee->text();
  f.number = number->text();
  f.description = description->text();
  f.staff = staff->text();
  return f;
}

void RegisterFindBar::markBounds() {
  mark(dateFrom, SearchDateBound(dateFrom->text(), false).error());
  mark(dateTo, SearchDateBound(dateTo->text(), true).error());
  mark(amountFrom, SearchAmountBound(amountFrom->text()).error());
  mark(amountTo, SearchAmountBound(amountTo->text()).error());
}

void RegisterFindBar::changedNow() {
  pause_.stop();
  markBounds();
  emit filterChanged();
}

void RegisterFindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    changedNow();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

MonthlyTotalsWindow::MonthlyTotalsWindow(const QList<MonthTotal>& months,
                                         std::function<QString(QWidget*)> chooseCsv,
                                         QWidget* parent)
    : QDialog(parent), months_(months), chooseCsv_(std::move(chooseCsv)) {
  setObjectName(QStringLiteral("monthlyTotals"));
  setWindowTitle(QStringLiteral("月別集計"));
  const QStringList titles{QStringLiteral("年月"), QStringLiteral("件数"),
                           QStringLiteral("領収金額"), QStringLiteral("税抜金額"),
                           QStringLiteral("消費税額")};
  table = new QTableWidget(static_cast<int>(months.size()), static_cast<int>(titles.size()), this);
  table->setHorizontalHeaderLabels(titles);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int r = 0; r < months.size(); ++r) {
    const MonthTotal& m = months[r];
    const QString month =
        m.year == 0 ? QStringLiteral("日付なし")
                    : QStringLiteral("%1/%2").arg(m.year).arg(m.month, 2, 10, QChar(u'0'));
    const QStringList cells{month, GroupDigits(m.sums.count), GroupedAmount(m.sums.amount),
                            GroupedAmount(m.sums.net), GroupedAmount(m.sums.tax)};
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(c == 0 ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter));
      table->setItem(r, c, item);
    }
  }
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

  exportCsv = new QPushButton(QStringLiteral("CSVに出力"), this);
  exportCsv->setObjectName(QStringLiteral("exportCsv"));
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  connect(exportCsv, &QPushButton::clicked, this, &MonthlyTotalsWindow::exportToCsv);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(exportCsv);
  buttons->addWidget(close);
  auto* column = new QVBoxLayout(this);
  column->addWidget(table, 1);
  column->addLayout(buttons);
  resize(520, 360);
}

void MonthlyTotalsWindow::exportToCsv() {
  const QString path = chooseCsv_ ? chooseCsv_(this) : QString();
  if (path.isEmpty()) return;
  if (auto written = writeLineFile(path, MonthlyTotalsCsv(months_)); !written)
    info_box(written.error(), QStringLiteral("確認"), this);
}

}  // namespace kelvane
