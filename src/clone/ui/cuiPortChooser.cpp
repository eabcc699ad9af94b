#include "clone/ui/cuiPortChooser.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <functional>

#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "overlay/cmcGTexBase.h"
#include "runtime/cmcPrompts.h"
#include "sheet/ui/cuiCellStyle.h"

namespace {

// The text that names the demo radio in the list.
constexpr char kDemoRadioKey[] = "GI_AppInd_Opt_ComSel_DemoRadio";
// The notice wraps at this many average characters.
constexpr int kNoticeChars = 44;

// A drop-down list that is read again each time it drops down.
class RefillingList : public QComboBox {
 public:
  RefillingList(std::function<void()> refill, QWidget* parent) : QComboBox(parent), refill_(std::move(refill)) {}
  void showPopup() override {
    refill_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> refill_;
};

}  // namespace

std::string cuiPortChooser::EntryText(const cmcPortInfo& port, const std::string& demoRadioName) {
  std::string text = std::to_string(port.number) + ": ";
  if (port.path.starts_with(cmcSerialFactory::kSimulatedRadioPath))
    text += demoRadioName;
  else
    text += port.friendlyName.empty() ? port.path : port.friendlyName;
  if (!port.links.empty()) {
    const std::string& link = port.links.front();
    text += " \xE2\x80\x94 " + link.substr(link.rfind('/') + 1);
  }
  return text;
}

cuiPortChooser::cuiPortChooser(int style, int current, cmcPortDiscovery& discovery, cmcGTexBase& overlay,
                               cmcPrompts& prompts, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      style_(style),
      discovery_(discovery),
      overlay_(overlay),
      prompts_(prompts),
      current_(current) {
  setObjectName("PortChooser");
  setWindowTitle(Line("GI_AppInd_Opt_ComSel_Caption", 0));
  setFont(cuiCellStyle::SystemFont());
  auto* column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);
  auto* notice = new QLabel(Line("GI_AppInd_Opt_ComSel_Notice", 0), this);
  notice->setObjectName("Notice");
  notice->setWordWrap(true);
  notice->setFixedWidth(fontMetrics().averageCharWidth() * kNoticeChars);
  column->addWidget(notice);

  const QFontMetrics metrics = fontMetrics();
  const int scrollBar = style_ == 0 ? 0 : this->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const char* sample = style_ == 0 ? "255WWWW" : style_ == 1 ? "9999WW" : "1: Zelk USB-to-Serial Comm. Port (COM1)WW";
  QWidget* input;
  if (style_ == 0) {
    edit_ = new QLineEdit(QString::number(current), this);
    input = edit_;
  } else {
    list_ = new RefillingList([this] { Refill(); }, this);
    list_->setEditable(style_ == 1);
    if (style_ == 1) {
      edit_ = list_->lineEdit();
      list_->setInsertPolicy(QComboBox::NoInsert);
    }
    input = list_;
    Refill();
    if (edit_) edit_->setText(QString::number(current));
  }
  if (edit_) edit_->setMaxLength(kMaxDigits);
  input->setObjectName("Port");
  input->setFixedWidth(metrics.horizontalAdvance(QString::fromLatin1(sample)) + scrollBar);
  column->addWidget(input);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  const int buttonWidth = metrics.horizontalAdvance(Line("GI_AppInd_Opt_ComSel_SizeOfButtons", 0));
  auto* ok = new QPushButton(Line("GI_AppInd_Opt_ComSel_Buttons", 0), this);
  ok->setObjectName("OK");
  auto* cancel = new QPushButton(Line("GI_AppInd_Opt_ComSel_Buttons", 1), this);
  cancel->setObjectName("Cancel");
  for (QPushButton* button : {ok, cancel}) {
    button->setMinimumWidth(buttonWidth);
    row->addWidget(button);
  }
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  column->addLayout(row);
  input->setFocus();
}

QString cuiPortChooser::Line(const char* key, int line) const {
  return cuiCellStyle::Text(overlay_.GetLine(key, line));
}

void cuiPortChooser::Refill() {
  if (!list_) return;
  const std::vector<cmcPortInfo> ports = discovery_.List();
  const QString typed = edit_ ? edit_->text() : QString();
  const int selected = list_->currentIndex() >= 0 ? list_->currentData().toInt() : current_;
  list_->blockSignals(true);
  list_->clear();
  if (style_ == 1) {
    for (const std::string& number : cmcPortDiscovery::NumberTexts(ports))
      list_->addItem(QString::fromStdString(number), std::stoi(number));
    edit_->setText(typed);
  } else {
    const std::string demo = overlay_.GetLine(kDemoRadioKey, 0);
    int widest = 0;
    for (const cmcPortInfo& port : ports) {
      const QString text = cuiCellStyle::Text(EntryText(port, demo));
      list_->addItem(text, port.number);
      widest = std::max(widest, list_->fontMetrics().horizontalAdvance(text + QStringLiteral("WW")));
    }
    const int at = list_->findData(selected);
    list_->setCurrentIndex(at >= 0 ? at : (list_->count() > 0 ? 0 : -1));
    // Wide enough for the widest entry, and a scroll bar when the list scrolls.
    const bool scrolls = list_->count() > list_->maxVisibleItems();
    const int bar = scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    list_->view()->setMinimumWidth(widest + bar);
  }
  list_->blockSignals(false);
}

int cuiPortChooser::Number() const {
  if (style_ == 2) return list_->currentIndex() >= 0 ? list_->currentData().toInt() : 0;
  bool ok = false;
  const int number = edit_->text().trimmed().toInt(&ok);
  return ok ? number : 0;
}

void cuiPortChooser::accept() {
  const int number = Number();
  if (number < 1 || number > cmcPortTable::kMaxPort) {
    prompts_.Show(cmcPromptIcon::Error, overlay_.GetLine("GI_Sys_AppTitle", 0),
                  overlay_.GetLine("GI_AppInd_Opt_ComSel_OutofRange", 0));
    QWidget* input = style_ == 0 ? static_cast<QWidget*>(edit_) : list_;
    input->setFocus();
    if (edit_) edit_->selectAll();
    return;
  }
  chosen_ = number;
  QDialog::accept();
}

std::optional<int> cuiPortChooser::Ask(int style, int current, cmcPortDiscovery& discovery, cmcGTexBase& overlay,
                                       cmcPrompts& prompts, QWidget* owner) {
  cuiPortChooser chooser(style, current, discovery, overlay, prompts, owner);
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  return chooser.Chosen();
}
