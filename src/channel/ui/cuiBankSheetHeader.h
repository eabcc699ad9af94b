#pragma once
// The line a bank sheet shows above its grid with banks in use: the bank, its name,
// its SmarTrunk text and how many more channels fit, on yellow (cyan for a SmarTrunk
// bank). It follows the bank sheet's header changes.
#include <QLabel>
#include <string>

#include "channel/sheets/indSheetMaker.h"

class cuiSheet;
class indBankSheet;

class cuiBankSheetHeader : public QLabel {
  Q_OBJECT
 public:
  cuiBankSheetHeader(indBankSheet& bank, const std::string& styleTitle, QWidget* parent = nullptr);
  ~cuiBankSheetHeader() override;

  // Gives the sheet window the header of the sheet shown when it is a bank sheet, and
  // takes any other header away. After cuiSheet::SetModel, which drops the header of
  // the sheet shown before.
  static void Attach(cuiSheet& window, indSheetMaker::Sheet* sheet);

  // Reads the header again.
  void Refresh();

 private:
  indBankSheet& bank_;
  std::string styleTitle_;
};
