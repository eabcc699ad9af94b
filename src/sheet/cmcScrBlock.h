#pragma once
// The option text of a sheet reference read as a block: a name and a list of items,
// e.g. "Bank 3" is the name "Bank" with the one item "3". The name is the text up to
// the first blank, the items the rest split at every ","; all parts are trimmed of
// blanks and tabs. An item outside the list is an empty text.
#include <string>
#include <string_view>
#include <vector>

class cmcScrBlock {
 public:
  explicit cmcScrBlock(std::string_view text);

  const std::string& Name() const { return name_; }
  int Count() const { return static_cast<int>(items_.size()); }
  std::string Item(int i) const;

 private:
  std::string name_;
  std::vector<std::string> items_;
};
