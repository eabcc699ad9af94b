#include "shell/indBlockHost.h"

#include <cstdint>

#include "cell/cmcCellColours.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indMain.h"

std::string indBlockHost::Text(const std::string& key) { return overlay_.GetText(key); }

void indBlockHost::Status(const std::string& text) {
  events_.PostText(kEvStatusText, static_cast<intptr_t>(kClWindowText), static_cast<intptr_t>(kClBtnFace), text);
}

void indBlockHost::Post(int code, int arg, int arg2, const std::string& label) {
  const auto c = static_cast<uint8_t>(code);
  // A range with a label (37: first bank, last bank, label) fills sender and argument;
  // a single value (16: the row) is the argument.
  if (code == kEvBankRange || !label.empty())
    events_.PostText(c, arg, arg2, label);
  else
    events_.Post(c, 0, arg);
}

void indBlockHost::Send(int code, const dst_BankContext& bank, int row) {
  events_.Send(static_cast<uint8_t>(code), bank.bank, row);
}

void indBlockHost::RecomputeMemory() { main_.RecomputeMemory(); }

void indBlockHost::SetBulkDelete(bool on) { main_.bulkDelete = on; }
