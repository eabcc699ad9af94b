#include "sheet/ui/cuiFlagBitsEditor.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiSheet.h"

namespace {
constexpr int kPanelBorder = 5;
}  // namespace

cuiFlagBitsEditor::cuiFlagBitsEditor(cuiSheet& owner, cmcCellCapsule& request) : cuiCellEditorWindow(owner, request) {
  setObjectName("FlagBitsEditor");
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kPanelBorder + 2, kPanelBorder + 2, kPanelBorder + 2, kPanelBorder + 2);
  layout->setSpacing(2 * kPanelBorder);
  sheet_ = new cuiSheet(this);
  sheet_->setObjectName("FlagBitsSheet");
  sheet_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  sheet_->Grid()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sheet_->Grid()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  layout->addWidget(sheet_, 1);
  const OkCancel row = AddOkCancelRow(layout);
  ok_ = row.ok;
  cancel_ = row.cancel;
  CancelOnEscape(sheet_->Grid());
  connect(ok_, &QPushButton::clicked, this, [this] { logic_->Session().Ok(); });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancelled_ = true;
    logic_->Session().Cancel();
  });
}

cuiFlagBitsEditor::~cuiFlagBitsEditor() { sheet_->SetModel(nullptr); }

cuiFlagBitsEditor* cuiFlagBitsEditor::Open(cuiSheet& owner, cmcCellCapsule& request,
                                           const cmcFlagBitsEditor::Params& params) {
  cmcSheetModel& origin = *owner.Model();
  auto* editor = new cuiFlagBitsEditor(owner, request);
  editor->logic_ = std::make_unique<cmcFlagBitsEditor>(
      request, origin.Overlay(), params, origin.ValueLayer(), *editor->sheet_, [editor] { editor->close(); },
      origin.Events());
  cmcFlagBitsEditor& logic = *editor->logic_;
  // OK follows every answer the editor gives its cells.
  logic.Sheet().SetAnswer([editor](cmcCellCapsule& c, bool act) {
    const uint8_t result = editor->logic_->Answer(c, act);
    editor->ok_->setEnabled(editor->logic_->OkEnabled());
    return result;
  });
  logic.Sheet().Build({.measure = &owner.Measure(), .zoomPercent = origin.ZoomPercent()});
  editor->sheet_->SetModel(&logic.Sheet());
  editor->ok_->setEnabled(logic.OkEnabled());

  const int border = 2 * (kPanelBorder + 2);
  const QSize sheet = editor->sheet_->RequiredSize();
  const int buttons = editor->ok_->sizeHint().width() + editor->cancel_->sizeHint().width() + 2 * kPanelBorder + 8;
  const int width = std::max(sheet.width() + border, buttons + border);
  const int height = sheet.height() + border + 2 * kPanelBorder + editor->ok_->sizeHint().height();
  editor->ShowNextToCell({width, height});
  editor->sheet_->Grid()->setFocus(Qt::PopupFocusReason);
  return editor;
}

void cuiFlagBitsEditor::Outside() { logic_->Session().Deactivated(); }
