#include "clone/cmcDemoRadio.h"

#include "clone/cmcPortTable.h"
#include "clone/cmcSerialFactory.h"
#include "image/cmcModelCodes.h"
#include "image/cmcQclFile.h"
#include "overlay/cmcGTex.h"

void cmcDemoRadio::Install(cmcPortTable& table, cmcSerialFactory& factory) {
  table.SetEntry(kPort, cmcSerialFactory::kSimulatedRadioPath);
  radio_.Serve(factory);
}

int cmcDemoRadio::ReadCloneFile(const std::string& path, cmcEeprom& image, cmcPrompts& prompts, cmcGTex& overlay) {
  cmcEeprom scratch;
  scratch.SetSize(cmcEeprom::kImageSize);
  cmcQclFile file(prompts, overlay);
  file.AttachImage(scratch);
  file.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
  const cmcModelCodes codes;
  file.SetModelCheck([codes](int model, int sub, int& code) { return codes.CheckModelCode(model, sub, code); });
  file.SetMapRevisionCheck(cmcModelCodes::CheckMapRevision);
  const int code = file.Read(path, nullptr);
  if (code != cmcQclFile::kOk) return code;
  if (image.GetSize() < cmcEeprom::kImageSize) image.SetSize(cmcEeprom::kImageSize);
  image.WriteBlock(0, scratch.Data(), cmcEeprom::kEepromSize);
  return code;
}

int cmcDemoRadio::WriteCloneFile(const std::string& path, const cmcEeprom& image, cmcPrompts& prompts,
                                 cmcGTex& overlay) {
  cmcEeprom copy;
  copy.Assign(image);
  cmcQclFile file(prompts, overlay);
  file.AttachImage(copy);
  file.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
  file.SetComment(cmcQclFile::MakeSaveComment(copy));
  file.SetMapRevision(cmcModelCodes::kMaxMapRevision);
  return file.Write(path, cmcAddressRanges::EepromArea());
}

std::string cmcDemoRadio::InitialImagePath(const std::string& exeDir, int modelType, cmcGTex& overlay) {
  return exeDir + overlay.GetLine("GI_App_InitialFile", modelType);
}

int cmcDemoRadio::LoadImage(const std::string& path, cmcPrompts& prompts, cmcGTex& overlay) {
  return ReadCloneFile(path, radio_.Image(), prompts, overlay);
}

int cmcDemoRadio::LoadInitialImage(const std::string& exeDir, int modelType, cmcPrompts& prompts, cmcGTex& overlay) {
  return LoadImage(InitialImagePath(exeDir, modelType, overlay), prompts, overlay);
}
