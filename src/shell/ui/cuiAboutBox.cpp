#include "shell/ui/cuiAboutBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/indAboutText.h"
#include "shell/ui/cuiIcons.h"

namespace {

constexpr int kIconSize = 48;
constexpr int kLabelWidth = 360;  // the label wraps beyond this

}  // namespace

cuiAboutBox::cuiAboutBox(const indAboutText& text, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("AboutBox");
  setWindowTitle(QString::fromStdString(text.Caption()));

  auto* icon = new QLabel(this);
  icon->setObjectName("AboutIcon");
  icon->setPixmap(cuiIcons::Application().pixmap(kIconSize, kIconSize));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  label_ = new QLabel(QString::fromStdString(text.Label()), this);
  label_->setObjectName("AboutLabel");
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label_->setMinimumWidth(kLabelWidth);

  button_ = new QPushButton(QString::fromStdString(text.Button()), this);
  button_->setObjectName("AboutButton");
  button_->setDefault(true);
  button_->setAutoDefault(true);
  // The one button also cancels: Escape and the window's close button end the box as it does.
  connect(button_, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addWidget(label_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button_);
  buttons->addStretch(1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(16, 16, 16, 12);
  column->setSpacing(14);
  column->addLayout(top);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
  // The final size before showing, so that the box is centred at the size it shows with.
  column->activate();
}
