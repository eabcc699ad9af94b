#include "shell/ui/cuiPasswordDialog.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "overlay/cmcGTexBase.h"
#include "runtime/cmcPrompts.h"
#include "sheet/ui/cuiCellStyle.h"
#include "shell/indPasswordRules.h"

namespace {

// The overlay keys of one kind of dialog.
struct Keys {
  const char* caption;
  const char* notice;
  const char* buttons;
  const char* buttonSize;
  int maxLength;
  int fields;
};

Keys KeysOf(cuiPasswordDialog::Kind kind) {
  switch (kind) {
    case cuiPasswordDialog::Kind::Clone:
      return {"GI_AppInd_Opt_ClonePwd_Caption",
              "GI_AppInd_Opt_ClonePwd_Notice",
              "GI_AppInd_Opt_ClonePwd_Buttons",
              "GI_AppInd_Opt_ClonePwd_SizeOfButtons",
              static_cast<int>(indPasswordRules::kCloneMax),
              1};
    case cuiPasswordDialog::Kind::ReadWrite:
      return {"GI_AppInd_Opt_RdWrPwd_Caption",
              "GI_AppInd_Opt_RdWrPwd_Notice",
              "GI_AppInd_Opt_RdWrPwr_Buttons",
              "GI_AppInd_Opt_RdWrPwd_SizeOfButtons",
              static_cast<int>(indPasswordRules::kReadWriteMax),
              2};
    case cuiPasswordDialog::Kind::Adjust:
      break;
  }
  return {"GI_AppInd_Opt_AdjReadPwd_Caption",
          "GI_AppInd_Opt_AdjReadPwd_Notice",
          "GI_AppInd_Opt_AdjReadPwd_Buttons",
          "GI_AppInd_Opt_AdjReadPwd_SizeOfButtons",
          static_cast<int>(indPasswordRules::kAdjustMax),
          1};
}

// The notice wraps at this many average characters.
constexpr int kNoticeChars = 44;

QLineEdit* MaskedField(int maxLength, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setEchoMode(QLineEdit::Password);
  field->setMaxLength(maxLength);
  field->setAttribute(Qt::WA_InputMethodEnabled, false);
  return field;
}

}  // namespace

cuiPasswordDialog::cuiPasswordDialog(Kind kind, cmcGTexBase& overlay, cmcPrompts& prompts, QWidget* owner,
                                     const std::string& current, std::string adjustCode)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      kind_(kind),
      overlay_(overlay),
      prompts_(prompts),
      adjustCode_(std::move(adjustCode)) {
  const Keys keys = KeysOf(kind);
  setObjectName("PasswordDialog");
  setWindowTitle(Line(keys.caption, 0));
  setFont(cuiCellStyle::SystemFont());

  auto* column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);
  auto* notice = new QLabel(Line(keys.notice, 0), this);
  notice->setObjectName("Notice");
  notice->setWordWrap(true);
  notice->setFixedWidth(fontMetrics().averageCharWidth() * kNoticeChars);
  column->addWidget(notice);

  first_ = MaskedField(keys.maxLength, this);
  first_->setObjectName("Password");
  if (keys.fields == 2) {
    second_ = MaskedField(keys.maxLength, this);
    second_->setObjectName("Confirm");
    first_->setText(cuiCellStyle::Text(current));
    second_->setText(cuiCellStyle::Text(current));
    auto* form = new QFormLayout;
    form->addRow(Line("GI_AppInd_Opt_RdWrPwd_Password", 0), first_);
    form->addRow(Line("GI_AppInd_Opt_RdWrPwd_Confirm", 0), second_);
    column->addLayout(form);
  } else {
    column->addWidget(first_);
  }

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  const int buttonWidth = fontMetrics().horizontalAdvance(Line(keys.buttonSize, 0));
  auto* ok = new QPushButton(Line(keys.buttons, 0), this);
  ok->setObjectName("OK");
  auto* cancel = new QPushButton(Line(keys.buttons, 1), this);
  cancel->setObjectName("Cancel");
  for (QPushButton* button : {ok, cancel}) {
    button->setMinimumWidth(buttonWidth);
    row->addWidget(button);
  }
  ok->setDefault(true);
  ok->setAutoDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  column->addLayout(row);
  first_->setFocus();
}

QString cuiPasswordDialog::Line(const char* key, int line) const {
  return cuiCellStyle::Text(overlay_.GetLine(key, line));
}

std::string cuiPasswordDialog::Entered() const { return first_->text().toStdString(); }

void cuiPasswordDialog::Refuse(const char* key, QLineEdit* field) {
  prompts_.Show(cmcPromptIcon::Error, overlay_.GetLine("GI_Sys_AppTitle", 0), overlay_.GetLine(key, 0));
  field->setFocus();
  field->selectAll();
}

void cuiPasswordDialog::accept() {
  const std::string text = Entered();
  switch (kind_) {
    case Kind::Clone:
      if (const char* refusal = indPasswordRules::RefuseClonePassword(text)) return Refuse(refusal, first_);
      break;
    case Kind::ReadWrite:
      if (!indPasswordRules::ReadWriteAccepted(text, second_->text().toStdString()))
        return Refuse(indPasswordRules::kCloneOutOfRangeKey, first_);
      break;
    case Kind::Adjust:
      matched_ = indPasswordRules::AdjustAccepted(text, adjustCode_);
      if (!matched_) {
        // The adjustment dialog closes either way: the error says the values were not read.
        prompts_.Show(cmcPromptIcon::Error, overlay_.GetLine("GI_Sys_AppTitle", 0),
                      overlay_.GetLine(indPasswordRules::kAdjustErrorKey, 0));
        QDialog::reject();
        return;
      }
      break;
  }
  QDialog::accept();
}

std::optional<std::string> cuiPasswordDialog::AskClonePassword(cmcGTexBase& overlay, cmcPrompts& prompts,
                                                               QWidget* owner) {
  cuiPasswordDialog dialog(Kind::Clone, overlay, prompts, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Entered();
}

std::optional<std::string> cuiPasswordDialog::AskReadWritePassword(cmcGTexBase& overlay, cmcPrompts& prompts,
                                                                   QWidget* owner, const std::string& current) {
  cuiPasswordDialog dialog(Kind::ReadWrite, overlay, prompts, owner, current);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Entered();
}

bool cuiPasswordDialog::AskAdjustPassword(cmcGTexBase& overlay, cmcPrompts& prompts, QWidget* owner,
                                          const std::string& adjustCode) {
  cuiPasswordDialog dialog(Kind::Adjust, overlay, prompts, owner, {}, adjustCode);
  return dialog.exec() == QDialog::Accepted && dialog.Matched();
}
