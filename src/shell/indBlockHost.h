#pragma once
// The block operations' view of the program: texts from the main overlay, the status
// line (event 4, window-text colour on button face), notifications posted through the
// event manager, the insert and delete requests sent to the model controller (sender
// the bank, argument the row), and the model controller's memory figures.
#include <string>

#include "channel/datChBlockHost.h"

class cmcEvMan;
class cmcGTex;
class indMain;

class indBlockHost : public datChBlockHost {
 public:
  static constexpr unsigned kClBtnFace = 0xFF00000F;

  indBlockHost(cmcGTex& overlay, cmcEvMan& events, indMain& main) : overlay_(overlay), events_(events), main_(main) {}

  std::string Text(const std::string& key) override;
  void Status(const std::string& text) override;
  void Post(int code, int arg, int arg2, const std::string& label) override;
  void Send(int code, const dst_BankContext& bank, int row) override;
  void RecomputeMemory() override;
  void SetBulkDelete(bool on) override;

 private:
  cmcGTex& overlay_;
  cmcEvMan& events_;
  indMain& main_;
};
