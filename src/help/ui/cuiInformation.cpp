#include "help/ui/cuiInformation.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "channel/sheets/indSheetMaker.h"
#include "clone/indCloneWindows.h"
#include "overlay/cmcGTexBase.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiSheet.h"

namespace {

QFrame* Bevel(QFrame::Shadow shadow, int margin, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameStyle(QFrame::Panel | shadow);
  frame->setLineWidth(cuiInformation::kBevel);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(0);
  return frame;
}

}  // namespace

cuiInformation::cuiInformation(QWidget* owner, indCloneWindows* lock)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      lock_(lock) {
  setObjectName("InformationBox");
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(cuiCellStyle::SystemFont());
}

cuiInformation* cuiInformation::Open(QWidget* owner, const std::string& caption, const indSheetMaker& maker,
                                     const std::string& section, indCloneWindows* lock) {
  auto* box = new cuiInformation(owner, lock);
  box->setWindowTitle(cuiCellStyle::Text(caption));

  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->setSizeConstraint(QLayout::SetFixedSize);
  QFrame* outer = Bevel(QFrame::Raised, cuiInformation::kBorder, box);
  outer->setObjectName("InformationPanel");
  QFrame* inner = Bevel(QFrame::Sunken, 0, outer);
  outer->layout()->addWidget(inner);
  box->sheet_ = new cuiSheet(inner);
  box->sheet_->setObjectName("InformationSheet");
  box->sheet_->setFrameStyle(QFrame::NoFrame);
  box->sheet_->Grid()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->sheet_->Grid()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  inner->layout()->addWidget(box->sheet_);
  column->addWidget(outer);

  box->model_ = maker.Build(section, *box->sheet_, box->hooks_);
  box->sheet_->SetModel(box->model_.get());
  box->sheet_->setFixedSize(box->sheet_->RequiredSize());

  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, kButtonMargin, kButtonMargin, kButtonMargin);
  row->addStretch(1);
  box->button_ =
      new QPushButton(cuiCellStyle::Text(maker.Seams().overlay.GetLine("GI_AppInd_Button_OkCancel", 0)), box);
  box->button_->setObjectName("OK");
  box->button_->setDefault(true);
  connect(box->button_, &QPushButton::clicked, box, &QDialog::accept);
  row->addWidget(box->button_);
  column->addLayout(row);

  if (lock) lock->SetWindowsEnabled(false);
  box->show();
  box->raise();
  box->activateWindow();
  box->button_->setFocus();
  return box;
}

cuiInformation::~cuiInformation() {
  if (lock_) {
    lock_->SetWindowsEnabled(true);
    lock_->FocusMainWindow();
  }
  if (sheet_) sheet_->SetModel(nullptr);
  model_.reset();
}
