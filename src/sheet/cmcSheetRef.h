#pragma once
// A sheet reference as the tree names a sheet: "[TAG]NAME,OPTION". The class tag and
// the option text are optional; the tag and the option's first letter decide which
// kind of sheet shows it (bank, common, memory or plain).
#include <string>
#include <string_view>

class cmcSheetRef {
 public:
  enum class Kind { kPlain, kCommon, kBank, kMemory };

  // The head is the text before the first ","; the option text is what follows it.
  // Inside the head, the text between the first "[" and the next "]" is the class
  // tag and what follows the "]" is the sheet name; without both brackets the whole
  // head is the name.
  explicit cmcSheetRef(std::string_view ref);

  const std::string& Text() const { return text_; }
  const std::string& ClassTag() const { return classTag_; }
  const std::string& SheetName() const { return sheetName_; }
  const std::string& Option() const { return option_; }

  // Tag "St_ChBank" a bank sheet, tag "St_Common" a common sheet, an option text
  // beginning with "M" a memory sheet, anything else a plain sheet; in that order.
  Kind SheetKind() const;
  // The bank a bank sheet's option text "Bank n" names (blanks ignored), -1 for a
  // reference that names none.
  int Bank() const;

 private:
  std::string text_;
  std::string classTag_;
  std::string sheetName_;
  std::string option_;
};
