#include "app/pages/tool_strip.h"

#include "app/pages/page_parts.h"
#include "widgets/icon_button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

TIconButton* AddTool(QWidget* strip, QVBoxLayout* column, const char* name, ToolIcon icon,
                     const QString& label) {
  TIconButton* button = MakeToolButton(strip, QString::fromLatin1(name), icon, QString(), 40);
  auto* caption = new QLabel(label, strip);
  caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  // The caption belongs to its button; a click on it goes nowhere else.
  caption->setAttribute(Qt::WA_TransparentForMouseEvents);
  column->addWidget(button, 0, Qt::AlignHCenter);
  column->addWidget(caption);
  column->addSpacing(6);
  return button;
}

}  // namespace

ToolStrip::ToolStrip(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 6, 4, 4);
  column->setSpacing(1);
  previewButton =
      AddTool(this, column, "previewButton", ToolIcon::Preview, QStringLiteral("Preview"));
  IconButton25 =
      AddTool(this, column, "IconButton25", ToolIcon::PaperSetup, QStringLiteral("用紙設定"));
  IconButton22 = AddTool(this, column, "IconButton22", ToolIcon::Print, QStringLiteral("印  刷"));
  exitButton = AddTool(this, column, "exitButton", ToolIcon::Exit, QStringLiteral("Exit(End)"));
  auto* history = new QHBoxLayout;
  history->setSpacing(2);
  for (auto [button, name] : {std::pair{&undoButton, "undoButton"}, {&redoButton, "redoButton"}}) {
    *button = new QToolButton(this);
    (*button)->setObjectName(QString::fromLatin1(name));
    (*button)->setToolButtonStyle(Qt::ToolButtonIconOnly);
    (*button)->setAutoRaise(true);
    history->addWidget(*button);
  }
  column->addLayout(history);
  column->addStretch(1);
  setFixedWidth(64);
}

}  // namespace kelvane
