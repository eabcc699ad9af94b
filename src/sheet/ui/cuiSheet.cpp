#include "sheet/ui/cuiSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "sheet/cmcMenuBody.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellPainter.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiCharacterEditor.h"
#include "sheet/ui/cuiFlagBitsEditor.h"
#include "sheet/ui/cuiFlector.h"
#include "sheet/ui/cuiKeys.h"
#include "sheet/ui/cuiSegmentTextEditor.h"

namespace {

// The in-place editor's limit.
constexpr int kEditorMaxLength = 1024;
// The title bar: a lowered bevel of 2 and 8 pixels around the text.
constexpr int kTitleBevel = 2;
constexpr int kTitleSpace = 8;

}  // namespace

cuiSheet::cuiSheet(QWidget* parent) : QFrame(parent) {
  setObjectName("Sheet");
  setFrameStyle(QFrame::Box | QFrame::Plain);
  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);

  titleBar_ = new QFrame(this);
  titleBar_->setObjectName("SheetTitle");
  titleBar_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  titleBar_->setLineWidth(kTitleBevel);
  title_ = new QLabel(titleBar_);
  title_->setTextFormat(Qt::PlainText);
  title_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto* titleLayout = new QVBoxLayout(titleBar_);
  titleLayout->setContentsMargins(kTitleSpace / 2, 0, kTitleSpace / 2, 0);
  titleLayout->addWidget(title_);
  titleBar_->installEventFilter(this);
  title_->installEventFilter(this);
  titleBar_->hide();
  layout_->addWidget(titleBar_);

  grid_ = new cuiGrid(this);
  layout_->addWidget(grid_, 1);
  setFocusProxy(grid_);
  connect(grid_, &cuiGrid::popupMenuRequested, this, &cuiSheet::ShowPopupMenu);
  grid_->SetKeyFilter([this](QKeyEvent* event) { return MenuShortcut(event); });

  editor_ = new QLineEdit(grid_->viewport());
  editor_->setObjectName("CellEditor");
  editor_->setFrame(false);
  editor_->setMaxLength(kEditorMaxLength);
  editor_->hide();
  editor_->installEventFilter(this);
  connect(editor_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (model_) model_->EditorTextChanged(cuiCellStyle::Bytes(text));
  });

  menu_ = new QMenu(this);
  menu_->setObjectName("SheetPopupMenu");
}

cuiSheet::~cuiSheet() { CloseEditors(); }

void cuiSheet::SetModel(cmcSheetModel* model) {
  if (model != model_) {
    CloseEditors();
    SetHeader(nullptr);  // it belonged to the sheet shown before
  }
  editor_->hide();
  model_ = model;
  grid_->SetModel(model);
  grid_->setEnabled(!model || model->Enabled());
  ShowTitle();
  if (!model) SetPopupMenu("");
}

void cuiSheet::SetHeader(QWidget* header) {
  delete header_;
  header_ = header;
  if (header_) layout_->insertWidget(1, header_);
}

QSize cuiSheet::RequiredSize() const {
  int height = 2 * frameWidth() + (titleBar_->isVisible() ? titleBar_->height() : 0);
  if (header_ && header_->isVisible()) height += header_->sizeHint().height();
  if (!model_) return {2 * frameWidth(), height};
  return {2 * frameWidth() + model_->Layout().GridWidth(), height + model_->Layout().GridHeight()};
}

void cuiSheet::ShowTitle() {
  const std::string text = model_ ? model_->Title() : std::string();
  titleBar_->setVisible(!text.empty());
  if (text.empty()) return;
  const cmcSheetDef::Style& style = model_->Def().GetStyle();
  title_->setText(cuiCellStyle::Text(text));
  const QFont font = style.titleFont ? cuiCellStyle::Font(*style.titleFont) : cuiCellStyle::SystemFont();
  title_->setFont(font);
  QPalette palette = title_->palette();
  palette.setColor(QPalette::WindowText, cuiCellStyle::Colour(style.titleColour, palette));
  title_->setPalette(palette);
  titleBar_->setFixedHeight(QFontMetrics(font).height() + kTitleBevel + kTitleSpace);
}

// ---- cmcSheetView ----

void cuiSheet::Repaint(int col, int row) { grid_->RepaintCell(col, row); }

void cuiSheet::LayoutChanged() {
  grid_->LayoutChanged();
  ShowTitle();
}

void cuiSheet::OpenEditor(int, int, const std::string& text, int selStart, int selLength) {
  if (!model_) return;
  const cmcSheetCoord at = model_->EditorCell();
  editor_->setGeometry(cuiCellPainter::Rect(model_->EditorRect()));
  editor_->setFont(cuiCellStyle::Font(model_->FontAt(at.col, at.row)));
  editor_->setText(cuiCellStyle::Text(text));
  editor_->setSelection(selStart, selLength);
  if (selLength == 0) editor_->setCursorPosition(selStart);
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
}

void cuiSheet::HideEditor() {
  const bool focused = editor_->hasFocus();
  editor_->hide();
  if (focused) grid_->setFocus(Qt::OtherFocusReason);
}

void cuiSheet::SetPopupMenu(const std::string& name) {
  menu_->clear();
  menuBody_.reset();
  if (name.empty() || !model_) return;
  menuBody_ = std::make_unique<cmcMenuBody>(model_->Overlay(), name);
  for (const cmcMenuBody::Item& item : menuBody_->Items()) {
    if (item.Separator()) {
      menu_->addSeparator();
      continue;
    }
    QAction* action = menu_->addAction(cuiCellStyle::Text(item.Caption()));
    action->setObjectName(QString::fromStdString(item.Caption()).remove('&'));
    const QKeySequence shortcut(QString::fromStdString(item.Shortcut()));
    if (!item.Shortcut().empty() && item.Shortcut() != "Enter") action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    const int32_t label = static_cast<int32_t>(item.cell.label);
    connect(action, &QAction::triggered, this, [this, label] {
      if (model_) model_->ChooseMenuItem(label);
    });
  }
}

void cuiSheet::Scrolled() {
  grid_->Scrolled();
  if (editor_->isVisible() && model_) editor_->setGeometry(cuiCellPainter::Rect(model_->EditorRect()));
}

void cuiSheet::RepaintNow() { grid_->viewport()->repaint(); }

void cuiSheet::ReportCurrentCell(const cmcCellCapsule& current) {
  if (report_) report_(current);
}

void cuiSheet::HidePopup() { emit popupAnswered(); }

// ---- the window's own events ----

bool cuiSheet::MenuShortcut(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier && event->key() != Qt::Key_Delete && event->key() != Qt::Key_Insert)
    return false;
  const QKeySequence pressed(event->keyCombination());
  for (QAction* action : menu_->actions())
    if (!action->shortcut().isEmpty() && action->shortcut() == pressed && action->isEnabled()) {
      action->trigger();
      return true;
    }
  return false;
}

void cuiSheet::ShowPopupMenu(const QPoint& globalPos) {
  if (!menu_->isEmpty()) menu_->popup(globalPos);
}

bool cuiSheet::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_ && model_) {
    if (event->type() == QEvent::KeyPress) {
      const int vk = cuiKeys::VirtualKey(*static_cast<QKeyEvent*>(event));
      if (vk && model_->EditorKey(vk)) return true;
    } else if (event->type() == QEvent::FocusOut) {
      // Leaving the editor commits it, unless a popup menu of its own took the focus.
      if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) model_->CommitEditor();
    }
  } else if ((watched == titleBar_ || watched == title_) && event->type() == QEvent::MouseButtonPress && model_) {
    model_->Clicked();
  }
  return QFrame::eventFilter(watched, event);
}

// ---- cmcCellGrid ----

void cuiSheet::Track(QWidget* editor) {
  editors_.erase(std::remove(editors_.begin(), editors_.end(), nullptr), editors_.end());
  editors_.push_back(editor);
}

void cuiSheet::CloseEditors() {
  for (const QPointer<QWidget>& editor : editors_)
    if (editor) delete editor.data();
  editors_.clear();
}

void cuiSheet::OpenChooser(cmcCellCapsule& request, const std::string& listKey, int keyLabel, int value,
                           const std::string& extra) {
  if (!model_) return;
  Track(cuiFlector::Open(*this, request, listKey, keyLabel, value, extra));
}

void cuiSheet::OpenSegmentText(cmcCellCapsule& request, std::span<const uint8_t> codes, bool selectAll, int fieldLength,
                               std::span<const uint8_t> userTable) {
  if (!model_) return;
  Track(cuiSegmentTextEditor::Open(*this, request, codes, selectAll, fieldLength, userTable));
}

void cuiSheet::OpenCharacterEditor(cmcCellCapsule& request, int, uint16_t mask) {
  if (!model_) return;
  cuiCharacterEditor::Run(*this, request, mask);
}

void cuiSheet::OpenFlagEditor(cmcCellCapsule& request, uint32_t pattern, int first, int last, int headerStyle,
                              const std::string& sheetKey) {
  if (!model_) return;
  Track(cuiFlagBitsEditor::Open(*this, request, {pattern, first, last, headerStyle, 0, sheetKey}));
}

std::optional<std::string> cuiSheet::AskReadWritePassword(const std::string& current) {
  if (!passwordDialog_) return std::nullopt;
  return passwordDialog_(current);
}

void cuiSheet::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(cuiCellStyle::Text(text));
}
