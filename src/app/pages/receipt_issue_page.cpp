#include "app/pages/receipt_issue_page.h"

#include "app/pages/page_parts.h"
#include "app/pages/pane_row.h"
#include "app/pages/receipt_input_menu.h"
#include "receipt/tax_by_rate.h"
#include "widgets/nval_edit.h"
#include "widgets/pict_button.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kelvane {

namespace {

constexpr int kCalendarCellWidth = 25;
constexpr int kCalendarCellHeight = 20;
constexpr int kCalendarColumns = 8;  // week number and seven days
constexpr int kCalendarRows = 8;     // month caption, weekday titles, six weeks

QGridLayout* FormGrid(QWidget* body) {
  auto* grid = new QGridLayout(body);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);
  return grid;
}

// A caption whose mnemonic moves the focus to `field`.
void AddCaptioned(QGridLayout* grid, int row, const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption, field->parentWidget());
  label->setBuddy(field);
  grid->addWidget(label, row, 0);
  grid->addWidget(field, row, 1);
}

// While the list offered under a field is open it gets the keys first.
// Enter with no entry picked closes it and reaches the field, which commits
// what was typed as on any Enter; an entry picked with the arrows is taken.
class EnterReachesTheField : public QObject {
 public:
  EnterReachesTheField(QComboBox* box, QAbstractItemView* list)
      : QObject(list), box_(box), list_(list) {
    list->installEventFilter(this);
    // A field left while the list is open takes its list away with it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
      if (list_->isVisible() && now != box_ && !box_->isAncestorOf(now)) list_->hide();
    });
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (list_->selectionModel() && list_->selectionModel()->hasSelection()) return false;
    list_->hide();
    QApplication::sendEvent(box_, event);
    return true;
  }

 private:
  QComboBox* box_;
  QAbstractItemView* list_;
};

// The list is offered under the field while typing, never completed into
// it, and Enter takes a list entry only when it is exactly what was typed:
// 経理部 stays 経理部 when the history holds 経理部 御中, a 150 yen stamp
// stays 150 beside 150000.
void OfferListWhileTyping(QComboBox* box) {
  QCompleter* completer = box->completer();
  completer->setCompletionMode(QCompleter::PopupCompletion);
  completer->setCaseSensitivity(Qt::CaseSensitive);
  new EnterReachesTheField(box, completer->popup());
}

QComboBox* HistoryField(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // the history decides what the list keeps
  OfferListWhileTyping(box);
  box->setFixedWidth(240);
  return box;
}

QPushButton* PickButton(QWidget* parent, const QString& name) {
  auto* button = new QPushButton(QStringLiteral("参照"), parent);
  button->setObjectName(name);
  button->setFixedWidth(44);
  return button;
}

TNValEditC* AmountField(QWidget* parent, const char* name) {
  auto* edit = new TNValEditC(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setPutAComma(true);
  edit->setZeroDisplay(true);
  edit->setFixedWidth(130);
  return edit;
}

QPushButton* IssueButton(QWidget* parent, const QString& name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setFixedSize(150, 30);
  return button;
}

}  // namespace

ReceiptIssuePage::ReceiptIssuePage(QWidget* parent) : QWidget(parent) {
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  panes = new PaneRow(this);
  page->addWidget(panes);

  // ---- the input fields
  auto* input = new PaneBox(QStringLiteral("領収書"), this);
  inputPane = input;
  QWidget* ib = input->body();
  QGridLayout* form = FormGrid(ib);
  Edit2 = new QLineEdit(ib);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Edit2->setFixedWidth(160);
  AddCaptioned(form, 0, QStringLiteral("領収書番号(&Q)"), Edit2);
  form->itemAtPosition(0, 1)->setAlignment(Qt::AlignLeft);
  atesaki_1 = HistoryField(ib, "atesaki_1");
  atesaki_2 = HistoryField(ib, "atesaki_2");
  topic1 = HistoryField(ib, "topic1");
  topic2 = HistoryField(ib, "topic2");
  Field_07 = HistoryField(ib, "Field_07");
  atesaki1Pick = PickButton(ib, QStringLiteral("atesaki1Pick"));
  atesaki2Pick = PickButton(ib, QStringLiteral("atesaki2Pick"));
  topic1Pick = PickButton(ib, QStringLiteral("topic1Pick"));
  topic2Pick = PickButton(ib, QStringLiteral("topic2Pick"));
  field07Pick = PickButton(ib, QStringLiteral("field07Pick"));
  const struct {
    const char* caption;
    QComboBox* field;
    QPushButton* pick;
  } rows[] = {{"宛　名1(&W)", atesaki_1, atesaki1Pick},
              {"宛　名2(&E)", atesaki_2, atesaki2Pick},
              {"摘　要1(&R)", topic1, topic1Pick},
              {"摘　要2(&T)", topic2, topic2Pick},
              {"社内担当者(&Y)", Field_07, field07Pick}};
  int row = 1;
  for (const auto& r : rows) {
    AddCaptioned(form, row, QString::fromUtf8(r.caption), r.field);
    form->addWidget(r.pick, row, 2);
    ++row;
  }
  form->setRowStretch(row, 1);
  DisableControls({Edit2, atesaki_1, atesaki_2, topic1, topic2, Field_07, atesaki1Pick,
                   atesaki2Pick, topic1Pick, topic2Pick, field07Pick});

  // ---- the amounts
  auto* amounts = new PaneBox(QStringLiteral("金額内訳"), this);
  amountsPane = amounts;
  QWidget* ab = amounts->body();
  QGridLayout* money = FormGrid(ab);
  NValEditC9 = AmountField(ab, "NValEditC9");
  NValEditC10 = AmountField(ab, "NValEditC10");
  NValEditC11 = AmountField(ab, "NValEditC11");
  NValEditC13 = AmountField(ab, "NValEditC13");
  AddCaptioned(money, 0, QStringLiteral("領収金額(&A)"), NValEditC9);
  AddCaptioned(money, 1, QStringLiteral("税抜金額(&S)"), NValEditC10);
  AddCaptioned(money, 2, QStringLiteral("請求金額(&D)"), NValEditC11);
  AddCaptioned(money, 3, QStringLiteral("消費税額(&F)"), NValEditC13);

  NValEditC7 = AmountField(ab, "NValEditC7");
  NValEditC7->setPutAComma(false);
  NValEditC7->setDelAllClear(true);
  NValEditC7->setValueUnits(10 * 10000);  // the standard rate since 2019-10-01
  NValEditC7->setFixedWidth(60);
  UpDown3 = new QSpinBox(ab);
  UpDown3->setObjectName(QStringLiteral("UpDown3"));
  UpDown3->setRange(0, 10);
  UpDown3->setSingleStep(1);
  UpDown3->setValue(10);
  UpDown3->setFixedWidth(20);  // only its arrows show beside the rate
  auto* rateRow = new QHBoxLayout;
  rateRow->setSpacing(1);
  rateRow->addWidget(NValEditC7);
  rateRow->addWidget(UpDown3);
  rateRow->addStretch(1);
  auto* rateLabel = new QLabel(QStringLiteral("消費税率(&G)"), ab);
  rateLabel->setBuddy(NValEditC7);
  money->addWidget(rateLabel, 4, 0);
  money->addLayout(rateRow, 4, 1);

  in_tax = new QComboBox(ab);
  in_tax->setObjectName(QStringLiteral("in_tax"));
  in_tax->setEditable(true);
  in_tax->setInsertPolicy(QComboBox::NoInsert);
  OfferListWhileTyping(in_tax);
  in_tax->addItems({QStringLiteral("200"), QStringLiteral("400"), QStringLiteral("600"),
                    QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("3000"),
                    QStringLiteral("4000"), QStringLiteral("6000"), QStringLiteral("10000"),
                    QStringLiteral("20000"), QStringLiteral("40000"), QStringLiteral("60000"),
                    QStringLiteral("100000"), QStringLiteral("150000"), QStringLiteral("200000")});
  in_tax->setCurrentIndex(-1);
  in_tax->setFixedWidth(130);
  taxTableButton = PickButton(ab, QStringLiteral("taxTableButton"));
  AddCaptioned(money, 5, QStringLiteral("収入印紙(&U)"), in_tax);
  money->addWidget(taxTableButton, 5, 2);
  money->setRowStretch(6, 1);

  // The amounts by rate beside the five figures they fill: the pane keeps
  // its height, so the page still fits the page control.
  auto* divider = new QFrame(ab);
  divider->setFrameShape(QFrame::VLine);
  divider->setFrameShadow(QFrame::Sunken);
  money->addWidget(divider, 0, 3, 6, 1);
  amount10 = AmountField(ab, "amount10");
  amount8 = AmountField(ab, "amount8");
  amount10->setFixedWidth(110);
  amount8->setFixedWidth(110);
  taxBasis = new QComboBox(ab);
  taxBasis->setObjectName(QStringLiteral("taxBasis"));
  taxBasis->addItems({TaxBasisName(TaxBasis::Included), TaxBasisName(TaxBasis::Excluded)});
  taxRounding = new QComboBox(ab);
  taxRounding->setObjectName(QStringLiteral("taxRounding"));
  taxRounding->addItems({TaxRoundingName(TaxRounding::Down), TaxRoundingName(TaxRounding::Nearest),
                         TaxRoundingName(TaxRounding::Up)});
  const struct {
    const char* caption;
    QWidget* field;
  } rated[] = {{"10%対象(&X)", amount10},
               {"8%対象(&C)", amount8},
               {"税区分(&V)", taxBasis},
               {"端数(&B)", taxRounding}};
  row = 0;
  for (const auto& r : rated) {
    auto* label = new QLabel(QString::fromUtf8(r.caption), ab);
    label->setBuddy(r.field);
    money->addWidget(label, row, 4);
    money->addWidget(r.field, row, 5, Qt::AlignLeft);
    ++row;
  }
  DisableControls({NValEditC9, NValEditC10, NValEditC11, NValEditC13, NValEditC7, UpDown3, in_tax,
                   taxTableButton, amount10, amount8, taxBasis, taxRounding});

  // ---- the calendar's place
  auto* calendar = new PaneBox(QStringLiteral("日付"), this);
  calendarPane = calendar;
  auto* cb = new QVBoxLayout(calendar->body());
  cb->setContentsMargins(6, 6, 6, 6);
  calendarArea = new QFrame(calendar->body());
  calendarArea->setObjectName(QStringLiteral("calendarArea"));
  calendarArea->setFrameShape(QFrame::Panel);
  calendarArea->setFrameShadow(QFrame::Sunken);
  calendarArea->setFixedSize(kCalendarColumns * kCalendarCellWidth + 2 * calendarArea->frameWidth(),
                             kCalendarRows * kCalendarCellHeight + 2 * calendarArea->frameWidth());
  calendarArea->setEnabled(false);
  cb->addWidget(calendarArea);
  cb->addStretch(1);

  // ---- the issue buttons
  buttonsPane = new QWidget(this);
  auto* bb = new QVBoxLayout(buttonsPane);
  bb->setContentsMargins(6, 4, 6, 4);
  bb->setSpacing(8);
  newButton =
      IssueButton(buttonsPane, QStringLiteral("newButton"), QStringLiteral("新規領収書(F4)"));
  recordButton = IssueButton(buttonsPane, QStringLiteral("recordButton"),
                             QStringLiteral("発行リストに保存(F5)"));
  deleteButton = IssueButton(buttonsPane, QStringLiteral("deleteButton"), QStringLiteral("削　除"));
  exitButton = IssueButton(buttonsPane, QStringLiteral("exitButton"), QStringLiteral("Exit(END)"));
  bb->addWidget(newButton);
  bb->addWidget(recordButton);
  bb->addWidget(deleteButton);
  bb->addStretch(1);
  bb->addWidget(exitButton);

  inputArrow = MakePageArrow(input);
  amountsArrow = MakePageArrow(amounts);
  input->addHeaderWidget(inputArrow);
  amounts->addHeaderWidget(amountsArrow);

  panes->addPane(input);
  panes->addPane(amounts);
  panes->addPane(calendar);
  panes->addPane(buttonsPane);
  connect(inputArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(amountsPane); });
  connect(amountsArrow, &TPictButton::clicked, this, [this] { panes->moveToFront(inputPane); });
  inputMenu = new ReceiptInputMenu(this);
}

}  // namespace kelvane
