#pragma once
// What the channel block operations need from the rest of the program: overlay
// texts, the status line, the channel events, the memory figures and the bulk-delete
// flag. The shell implements it over the overlay store and the event manager.
#include <string>

#include "channel/datChBank.h"

class datChBlockHost {
 public:
  // Event codes the block operations raise.
  static constexpr int kEvRefreshAll = 13;
  static constexpr int kEvRowChanged = 16;
  static constexpr int kEvInsertChannel = 26;
  static constexpr int kEvDeleteChannel = 27;
  static constexpr int kEvInsertAlias = 30;
  static constexpr int kEvDeleteAlias = 31;
  static constexpr int kEvBankIcons = 35;
  static constexpr int kEvBankRange = 37;

  virtual ~datChBlockHost() = default;
  // Line 0 of the overlay key.
  virtual std::string Text(const std::string& key) = 0;
  // A confirmation on the status line, window-text colour on button face.
  virtual void Status(const std::string& text) = 0;
  // Posts a notification (13, 16 with the row, 35, 37 with the banks and the label).
  virtual void Post(int code, int arg, int arg2 = 0, const std::string& label = {}) = 0;
  // Asks the shell to insert or delete at the row (26, 27, 30, 31); returns when done.
  virtual void Send(int code, const dst_BankContext& bank, int row) = 0;
  virtual void RecomputeMemory() = 0;
  virtual void SetBulkDelete(bool on) = 0;
};
