#pragma once
// The port chooser: a notice, the port number in one of three styles and OK (the
// default) and Cancel, every text from the overlay. Style 0 is an edit box; style 1 an
// editable list of the numbers of the ports found; style 2 a list of the ports found,
// each with its number, its description and its stable by-id name, the demo radio
// among them. The lists are read again each time they drop down. OK takes a number
// from 1 to 256; any other shows the out-of-range message and the input keeps the focus.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "clone/cmcPortDiscovery.h"

class QComboBox;
class QLineEdit;
class cmcGTexBase;
class cmcPrompts;

class cuiPortChooser : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxDigits = 4;

  cuiPortChooser(int style, int current, cmcPortDiscovery& discovery, cmcGTexBase& overlay, cmcPrompts& prompts,
                 QWidget* owner);

  // Runs the chooser modally: the number chosen, nothing on Cancel.
  static std::optional<int> Ask(int style, int current, cmcPortDiscovery& discovery, cmcGTexBase& overlay,
                                cmcPrompts& prompts, QWidget* owner);

  // The text a port is listed with in style 2: "n: " and its description (the demo
  // radio's from the overlay, else the device path), then its by-id name.
  static std::string EntryText(const cmcPortInfo& port, const std::string& demoRadioName);

  int Chosen() const { return chosen_; }
  QLineEdit* Edit() const { return edit_; }
  QComboBox* List() const { return list_; }
  // Fills the list from the ports present now, keeping the typed text (style 1) or
  // selecting the entry of the number (style 2).
  void Refill();

 public slots:
  void accept() override;

 private:
  QString Line(const char* key, int line) const;
  // The number in the input: the trimmed text's value, or the selected entry's.
  int Number() const;

  int style_;
  cmcPortDiscovery& discovery_;
  cmcGTexBase& overlay_;
  cmcPrompts& prompts_;
  QLineEdit* edit_ = nullptr;
  QComboBox* list_ = nullptr;
  int chosen_ = 0;
  int current_;
};
