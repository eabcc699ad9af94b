#include "shell/indModeSwitches.h"

#include <algorithm>
#include <cctype>

#include "clone/indCloneMan.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcPrompts.h"
#include "shell/indMain.h"
#include "shell/indSheetHost.h"

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

bool indModeSwitches::Given(const std::vector<std::string>& arguments, const std::string& code) {
  return std::any_of(arguments.begin(), arguments.end(),
                     [&code](const std::string& argument) { return Lower(argument) == code; });
}

void indModeSwitches::Evaluate(const std::vector<std::string>& arguments) {
  if (Given(arguments, kMakerReserveSwitch) && !s_.main.makerReserveMode && Confirmed("GI_Mess_Maker_Caution"))
    EnterMakerReserve();
  if (Given(arguments, kFactoryAdjustSwitch) && !s_.main.factoryAdjustMode && Confirmed("GI_Mess_FactADJMode_Caution"))
    EnterFactoryAdjust();
}

bool indModeSwitches::Confirmed(const char* cautionKey) {
  return s_.prompts.Ask(cmcPromptIcon::Warning, cmcPromptButtons::OkCancel, s_.overlay.GetText("GI_Sys_AppTitle"),
                        s_.overlay.GetText(cautionKey)) == cmcPromptAnswer::Ok;
}

void indModeSwitches::EnterMakerReserve() {
  s_.main.makerReserveMode = true;
  if (s_.sheets) s_.sheets->RebuildTree();
  if (hooks_.makerPanel) hooks_.makerPanel(s_.overlay.GetLine("GI_StatusPanel_Maker", 0));
  s_.events.Send(kEvCommandStates);
}

void indModeSwitches::EnterFactoryAdjust() {
  s_.main.factoryAdjustMode = true;
  if (indCloneMan* clone = s_.main.CloneMan()) clone->SetFactoryAdjustMode(true);
  s_.events.Send(kEvCommandStates);
}
