#include "sheet/ui/cuiSegmentTextEditor.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcRadioText.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellPainter.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiKeys.h"
#include "sheet/ui/cuiQtMeasure.h"
#include "sheet/ui/cuiSheet.h"

namespace {
constexpr int kPanelBorder = 5;
}  // namespace

// The text in display characters, in a 1-pixel black frame.
class cuiSegmentTextEditor::Preview : public QWidget {
 public:
  Preview(cuiSegmentTextEditor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("SegmentPreview");
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Base));
    cmcCellPaintPlan plan;
    plan.textColour = cuiCellStyle::Value(palette().color(QPalette::Text));
    cmcCellCapsule request;
    std::array<int32_t, 4> r{2, 2, width() - 2, height() - 2};
    request.rect = &r;
    request.canvas = &plan;
    const cmcSegmentTextEditor& logic = editor_.Logic();
    const int length = std::max(logic.FieldLength(), static_cast<int>(logic.Codes().size()));
    cmcRadioText::DrawRadioText(request, logic.Codes(), length, std::max(length, 1), 1, logic.UserTable());
    plan.background = cuiCellStyle::Value(palette().color(QPalette::Base));
    plan.rect = {1, 1, width() - 1, height() - 1};
    cuiQtMeasure measure(this);
    cuiCellPainter(painter, measure).Paint(plan);
  }

 private:
  cuiSegmentTextEditor& editor_;
};

cuiSegmentTextEditor::cuiSegmentTextEditor(cuiSheet& owner, cmcCellCapsule& request)
    : cuiCellEditorWindow(owner, request) {
  setObjectName("SegmentTextEditor");
  setLineWidth(2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kPanelBorder + 2, kPanelBorder + 2, kPanelBorder + 2, kPanelBorder + 2);
  layout->setSpacing(kPanelBorder);
  text_ = new QLineEdit(this);
  text_->setObjectName("SegmentText");
  text_->setMaxLength(1024);
  text_->installEventFilter(this);
  layout->addWidget(text_);
  preview_ = new Preview(*this, this);
  layout->addWidget(preview_);
  palette_ = new cuiSheet(this);
  palette_->setObjectName("CharacterPalette");
  palette_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  palette_->Grid()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  palette_->Grid()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(palette_, 1);
  const OkCancel row = AddOkCancelRow(layout);
  ok_ = row.ok;
  cancel_ = row.cancel;
  connect(ok_, &QPushButton::clicked, this, [this] { logic_->Session().Ok(); });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancelled_ = true;
    logic_->Session().Cancel();
  });
  connect(text_, &QLineEdit::textEdited, this, [this] {
    const int start = text_->hasSelectedText() ? text_->selectionStart() : text_->cursorPosition();
    logic_->SetText(cuiCellStyle::Bytes(text_->text()), start, static_cast<int>(text_->selectedText().size()));
    preview_->update();
  });
  connect(text_, &QLineEdit::cursorPositionChanged, this, [this] {
    const int start = text_->hasSelectedText() ? text_->selectionStart() : text_->cursorPosition();
    logic_->SetText(logic_->Text(), start, static_cast<int>(text_->selectedText().size()));
  });
}

cuiSegmentTextEditor::~cuiSegmentTextEditor() { palette_->SetModel(nullptr); }

cuiSegmentTextEditor* cuiSegmentTextEditor::Open(cuiSheet& owner, cmcCellCapsule& request,
                                                 std::span<const uint8_t> codes, bool selectAll, int fieldLength,
                                                 std::span<const uint8_t> userTable) {
  cmcSheetModel& origin = *owner.Model();
  auto* editor = new cuiSegmentTextEditor(owner, request);
  editor->logic_ = std::make_unique<cmcSegmentTextEditor>(
      request, origin.Overlay(), codes, selectAll, fieldLength, userTable, origin.ValueLayer(), *editor->palette_,
      [editor] { editor->close(); }, origin.Events());
  cmcSegmentTextEditor& logic = *editor->logic_;
  // The text box follows what the palette inserts, and takes the focus when asked.
  logic.Palette().SetAnswer([editor](cmcCellCapsule& c, bool act) {
    const uint8_t result = editor->logic_->Answer(c, act);
    if (act && editor->logic_->Session().Confirmed()) {
      editor->close();  // Enter on the palette
    } else if (act) {
      editor->ShowText();
      editor->preview_->update();
      if (editor->logic_->TakeFocusRequest()) editor->text_->setFocus(Qt::OtherFocusReason);
    }
    return result;
  });
  logic.Palette().Build({.measure = &owner.Measure(), .zoomPercent = origin.ZoomPercent()});
  editor->palette_->SetModel(&logic.Palette());

  const cmcCellFont font =
      request.cell && request.cell->font ? *request.cell->font : origin.FontAt(origin.Col(), origin.Row());
  editor->text_->setFont(cuiCellStyle::Font(font));
  const int textHeight = QFontMetrics(editor->text_->font()).height() * 3 / 2 + 4;
  editor->text_->setFixedHeight(textHeight);
  editor->preview_->setFixedHeight(textHeight + 2);
  editor->ShowText();

  const QSize sheet = editor->palette_->RequiredSize();
  const int border = 2 * (kPanelBorder + 2);
  const int width = sheet.width() + editor->palette_->Grid()->verticalScrollBar()->sizeHint().width() + border;
  const int height =
      sheet.height() * 5 / 8 + 2 * textHeight + 2 + editor->ok_->sizeHint().height() + border + 3 * kPanelBorder;
  editor->ShowNextToCell({width, height});
  editor->text_->setFocus(Qt::PopupFocusReason);
  return editor;
}

void cuiSegmentTextEditor::ShowText() {
  text_->setText(cuiCellStyle::Text(logic_->Text()));
  if (logic_->SelLength() > 0)
    text_->setSelection(logic_->SelStart(), logic_->SelLength());
  else
    text_->setCursorPosition(logic_->SelStart());
}

void cuiSegmentTextEditor::Outside() { logic_->Session().Deactivated(); }

bool cuiSegmentTextEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress) {
    const int vk = cuiKeys::VirtualKey(*static_cast<QKeyEvent*>(event));
    if (vk == cmcSheetModel::kVkEscape) cancelled_ = true;
    if ((vk == cmcSheetModel::kVkReturn || vk == cmcSheetModel::kVkEscape) && logic_->TextKey(vk)) {
      close();
      return true;
    }
  }
  return cuiCellEditorWindow::eventFilter(watched, event);
}
