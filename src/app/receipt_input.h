#pragma once
// Typing a receipt on the page "領収書発行": each field's commit (Enter or a
// choice from its drop-down list) puts its text into the receipt and stub
// items of the layout and moves the focus on; a field left with edits not
// yet in the layout commits them too, without moving the focus; the five
// text fields keep their histories; the amounts, the tax rate and the
// revenue stamp. The amounts by rate fill the five figures with the tax
// worked out, and a committed amount suggests the revenue stamp it needs.

#include "app/editor_tools.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <optional>
#include <set>

class QComboBox;
class QWidget;

namespace kelvane {

class ReceiptFields;
class ReceiptIssuePage;
enum class ReceiptItemGroup;

class ReceiptInput : public QObject {
  Q_OBJECT

 public:
  ReceiptInput(ReceiptIssuePage& page, const ReceiptFields& fields, EditorTools tools);

  // The five history fields, in the order of their files.
  [[nodiscard]] std::array<QComboBox*, 5> historyFields() const;

  // Fills every history list from its file (start-up).
  void LoadInputHistory();
  // Writes every list not yet on disk; false (and a message) when a file
  // cannot be written. Lists are also written whenever they change.
  bool SaveInputHistory();
  // Puts each history field's text at the top of its list.
  void UpdateInputHistory();

  // The amount received into the receipt (with its marks, or in kanji) and
  // the stub; false (and a message) when the amount cannot be shown in kanji.
  bool PutAmountText();
  // As PutAmountText, but an amount with no kanji form goes in as digits
  // with a notice, so the receipt never keeps another amount.
  void PutAmountTextOrDigits();
  // The amount marks or the kanji setting changed: the amount already in
  // the layout is written again in the new form. An amount never put in
  // stays out.
  void reapplyAmountText();
  // Every field edited since its last commit goes into the layout, the
  // focus staying where it is: what prints or is recorded next is what
  // the form shows.
  void commitEdits();
  // The form was filled or emptied together with the layout: nothing is
  // left to commit, and what the fields hold is the user's, not a figure
  // or stamp this program worked out.
  void forgetEdits();
  // The amounts by rate (10%対象, 8%対象) with the 税込 / 税抜 and rounding
  // choices: the tax of each rate and the five figures, the items of all of
  // them and the stamp. 請求金額 typed by hand since the last computation
  // stays; with no amount by rate the five stay as typed.
  void computeByRate();
  // 収入印紙 from the stamp duty of the amount (without tax when the
  // receipt states it), unless the user typed or chose a stamp.
  void suggestStamp();
  // The rate into its two items: its plain decimal, or empty when zero.
  void applyTaxRate();
  // "消費税を抜きにする": rate 0, its items emptied.
  void removeTax();
  // "漢数字変換確認": an amount typed by the user, shown in kanji.
  void kanjiCheck();
  // What Enter does in `field`: its items of the receipt and the stub, then
  // the focus to the next field.
  void commit(QWidget* field);
  // A text chosen from a list (the drop-down or a master list): as Enter,
  // but the description 2 then leaves the histories alone.
  void pickedFromList(QComboBox* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void enableFields();
  void connectFields();
  void putItems(ReceiptItemGroup group);
  // Puts the field's text into its items, the focus staying.
  void commitItems(QWidget* field);
  [[nodiscard]] QWidget* nextAfter(QWidget* field) const;
  void showHistory(int index, const QString& text);
  bool saveHistory(int index);

  ReceiptIssuePage& page_;
  const ReceiptFields& fields_;
  EditorTools tools_;
  std::array<QStringList, 5> lists_;
  std::array<bool, 5> unsaved_{};
  std::array<bool, 5> saveFailureShown_{};
  bool browsing_ = false;      // arrow keys or the wheel move through a closed list
  std::set<QWidget*> edited_;  // fields typed into since their last commit
  // 請求金額 as the last computation by rate put it: a field that holds
  // another value was typed by hand.
  std::optional<qint64> computedBilled_;
  // The stamp this program last suggested; empty once the user typed or
  // chose one, or when it suggested none.
  QString suggestedStamp_;
};

}  // namespace kelvane
