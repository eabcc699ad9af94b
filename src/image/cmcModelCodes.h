#pragma once
// The model codes a clone file of this radio family may carry: the main model code,
// up to two alternate model codes (0 is never accepted as an alternate) and the two
// sub-codes 0001 and 0100; and the map revisions this program can read (1 or less).
class cmcModelCodes {
 public:
  static constexpr int kMainModel = 0x3621;
  static constexpr int kAlternateModel1 = 0x2926;
  static constexpr int kAlternateModel2 = 0x3179;
  static constexpr int kSubCode = 0x0001;
  static constexpr int kAltSubCode = 0x0100;
  static constexpr int kMaxMapRevision = 1;

  int mainModel = kMainModel;
  int alternate1 = kAlternateModel1;
  int alternate2 = kAlternateModel2;

  // Accepts a clone file header (model code, sub-code). On rejection writes the clone
  // file result code to code: 3 for the model code, 4 for the sub-code. fromAlternate
  // tells whether the accepted model code was an alternate one.
  bool CheckModelCode(int model, int subCode, int& code, bool* fromAlternate = nullptr) const;

  static bool CheckMapRevision(int revision) { return revision <= kMaxMapRevision; }
};
