#pragma once
// The column widths users gave the sheets, kept in the settings store under
// "<user key>\Display\<sub-name>\colwidth" as one integer per column index; the
// sub-name of a sheet comes from the main overlay's list "GI_CellWidthRegList". A sheet
// without an entry keeps no widths. After a language change the next sheet built
// first deletes every sheet's widths (the reset request).
#include <optional>
#include <string>
#include <string_view>

class cmcGTexBase;
class cmcSettingsStore;

class cmcColumnWidthStore {
 public:
  cmcColumnWidthStore(cmcSettingsStore& store, cmcGTexBase& mainOverlay, std::string userKey);

  // The sub-name of the sheet the reference names; empty when the list has none.
  std::string SubName(std::string_view ref);
  // The stored width of a column; none when there is none.
  std::optional<int> Load(const std::string& subName, int col) const;
  void Save(const std::string& subName, int col, int width);
  // Deletes the widths of every sheet on the list.
  void DeleteAll();

  // Asked after a change of language; the first sheet built afterwards takes it.
  void RequestReset() { resetRequested_ = true; }
  bool TakeResetRequest();

 private:
  // Calls visit(sheet name, sub-name) for each line of the list, until it returns true.
  template <typename Visit>
  void ForEachEntry(Visit visit);
  std::string Key(const std::string& subName) const;

  cmcSettingsStore& store_;
  cmcGTexBase& overlay_;
  std::string userKey_;
  bool resetRequested_ = false;
};
