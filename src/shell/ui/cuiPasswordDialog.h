#pragma once
// The password dialogs of the clone commands and the adjustment reads: a notice,
// masked fields and OK (the default) and Cancel, every text from the overlay. OK checks
// the entry (indPasswordRules): a refused clone or read/write password shows the
// error box and the dialog stays open with the focus on the field; the adjustment
// dialog closes after either outcome.
#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;
class cmcGTexBase;
class cmcPrompts;

class cuiPasswordDialog : public QDialog {
  Q_OBJECT
 public:
  enum class Kind { Clone, ReadWrite, Adjust };

  // current: the read/write password the fields start with; adjustCode: the code the
  // adjustment password must match.
  cuiPasswordDialog(Kind kind, cmcGTexBase& overlay, cmcPrompts& prompts, QWidget* owner,
                    const std::string& current = {}, std::string adjustCode = {});

  // Each runs the dialog modally. The clone and read/write dialogs answer the accepted
  // password, nothing on Cancel; the adjustment dialog whether the password matched.
  static std::optional<std::string> AskClonePassword(cmcGTexBase& overlay, cmcPrompts& prompts, QWidget* owner);
  static std::optional<std::string> AskReadWritePassword(cmcGTexBase& overlay, cmcPrompts& prompts, QWidget* owner,
                                                         const std::string& current);
  static bool AskAdjustPassword(cmcGTexBase& overlay, cmcPrompts& prompts, QWidget* owner,
                                const std::string& adjustCode);

  // The first field's text, as typed.
  std::string Entered() const;
  // The adjustment password matched (after OK).
  bool Matched() const { return matched_; }
  QLineEdit* Field(int n) const { return n == 0 ? first_ : second_; }

 public slots:
  void accept() override;

 private:
  QString Line(const char* key, int line) const;
  void Refuse(const char* key, QLineEdit* field);

  Kind kind_;
  cmcGTexBase& overlay_;
  cmcPrompts& prompts_;
  std::string adjustCode_;
  QLineEdit* first_ = nullptr;
  QLineEdit* second_ = nullptr;
  bool matched_ = false;
};
