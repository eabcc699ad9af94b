#include "channel/ui/cuiBankSheetHeader.h"

#include "channel/sheets/indBankSheet.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiSheet.h"

namespace {
constexpr int kMargin = 4;
}  // namespace

cuiBankSheetHeader::cuiBankSheetHeader(indBankSheet& bank, const std::string& styleTitle, QWidget* parent)
    : QLabel(parent), bank_(bank), styleTitle_(styleTitle) {
  setObjectName("BankSheetHeader");
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  setMargin(kMargin);
  bank_.SetHeaderChanged([this] { Refresh(); });
  Refresh();
}

cuiBankSheetHeader::~cuiBankSheetHeader() { bank_.SetHeaderChanged({}); }

void cuiBankSheetHeader::Refresh() {
  const indBankSheet::Header header = bank_.HeaderLine(styleTitle_);
  setVisible(!header.text.empty());
  setText(cuiCellStyle::Text(header.text));
  QPalette p = palette();
  p.setColor(QPalette::Window, cuiCellStyle::Colour(header.colour, p));
  p.setColor(QPalette::WindowText, Qt::black);
  setPalette(p);
}

void cuiBankSheetHeader::Attach(cuiSheet& window, indSheetMaker::Sheet* sheet) {
  auto* bank = sheet ? dynamic_cast<indBankSheet*>(sheet->hooks.get()) : nullptr;
  if (!bank || !sheet->model) {
    window.SetHeader(nullptr);
    return;
  }
  window.SetHeader(new cuiBankSheetHeader(*bank, sheet->model->Def().GetStyle().title, &window));
}
