#pragma once
// The warning check list: every line of "GI_WarningCheckList" and the channel check of
// each bank, evaluated on the working image of the current model type. It gives the
// targets (sheet references) whose check carries an error or a warning mark; the tree's
// marks and a clone write's refusal both follow from it.
#include <string>
#include <vector>

class cmcGTex;
class indActiveCell;

class indWarningChecks {
 public:
  struct Result {
    std::vector<std::string> errors;    // targets of the checks with an error mark
    std::vector<std::string> warnings;  // the others with a warning mark
  };

  indWarningChecks(cmcGTex& overlay, indActiveCell& dispatch) : overlay_(overlay), dispatch_(dispatch) {}

  // modelType names the bank checks ("GI_Sheet_Mch_" and its name suffix).
  Result Run(int modelType);

 private:
  void Evaluate(const std::string& descriptor, int row, Result& result);

  cmcGTex& overlay_;
  indActiveCell& dispatch_;
};
