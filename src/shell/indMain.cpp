#include "shell/indMain.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "channel/datCh.h"
#include "channel/datChBank.h"
#include "channel/datChKinds.h"
#include "clone/indCloneMan.h"
#include "image/cmcImageMap.h"
#include "image/cmcModelCodes.h"
#include "image/cmcQclFile.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcFatal.h"
#include "runtime/cmcPrompts.h"
#include "shell/indEnviron.h"
#include "shell/indImagePacking.h"
#include "shell/indImagePreparer.h"
#include "shell/indPasswordRules.h"

namespace {

constexpr char kUntitled[] = "Untitled";

bool HasMarkerAt(const cmcEeprom& image, int address) {
  if (address < 0 || address > image.GetSize() - cmcImageMap::kMarkerSize) return false;
  return std::memcmp(image.Data() + address, cmcImageMap::kMarker, cmcImageMap::kMarkerSize) == 0;
}

// Replaces the first "%s" of a message format with the argument; the format comes from
// the overlay and is never handed to printf.
std::string FormatOne(const std::string& format, const std::string& argument) {
  const size_t at = format.find("%s");
  if (at == std::string::npos) return format;
  return format.substr(0, at) + argument + format.substr(at + 2);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

indMain::indMain(cmcGTex& overlay, indEnviron& environ, cmcEvMan& events, cmcPrompts& prompts, std::string exeDir,
                 std::string desktopDir)
    : overlay_(overlay), environ_(environ), events_(events), prompts_(prompts), exeDir_(std::move(exeDir)) {
  workingFolder_ = !environ_.currentDirectory.empty() ? environ_.currentDirectory : desktopDir;
  ResetCloneIdentity();
  working_.SetSize(kImageSize);
  mirror_.SetSize(kImageSize);
  initial_.Assign(working_);
  events_.Listen<&indMain::OnEvent>(this);
}

indMain::~indMain() {
  // An exchange still running completes now with code 1; only its requester hears.
  closing_ = true;
  cloneMan_.reset();
  events_.Unlisten<&indMain::OnEvent>(this);
}

void indMain::StartUp() {
  if (environ_.modelType < 0 || environ_.modelType > 5) environ_.modelType = 0;
  LoadInitialImage(ModelType());
  UnpackInitialImage(initial_);
  ResetImagesFromInitial();
  TakeSavedState();
  view_->CloseSheet();
  compare_.Assign(initial_);
}

void indMain::ResetCloneIdentity() {
  addressTop_ = kAddressTop;
  mainModel_ = cmcModelCodes::kMainModel;
  altModel1_ = cmcModelCodes::kAlternateModel1;
  altModel2_ = cmcModelCodes::kAlternateModel2;
  subCode_ = cmcModelCodes::kSubCode;
  ClearIdentityFlags();
}

void indMain::ClearIdentityFlags() {
  alt1Seen_ = false;
  alt2Seen_ = false;
  identityKnown_ = false;
}

bool indMain::CheckModelCode(int model, int subCode, int& error) {
  cmcModelCodes codes;
  codes.mainModel = mainModel_;
  codes.alternate1 = altModel1_;
  codes.alternate2 = altModel2_;
  if (!codes.CheckModelCode(model, subCode, error)) return false;
  if (!identityKnown_) {
    alt1Seen_ = altModel1_ != 0 && model == altModel1_;
    alt2Seen_ = altModel2_ != 0 && model == altModel2_;
  }
  return true;
}

int indMain::CheckImageHeader(const cmcEeprom& image, bool strict) const {
  if (image.GetSize() < kImageSize) return 1;
  if (image.GetWord(cmcImageMap::kModelCode) != mainModel_) return 1;
  if (image.GetByte(cmcImageMap::kHeaderVersion) != 1) return 1;
  if (image.GetByte(cmcImageMap::kHeaderDataRevision) >= 2) return 1;
  if (!strict) return 0;
  if (!HasMarkerAt(image, cmcImageMap::kMakerMarker)) return 1;
  const int code = image.GetWord(cmcImageMap::kModelCode2);
  if (code != mainModel_ && (altModel1_ == 0 || code != altModel1_) && (altModel2_ == 0 || code != altModel2_))
    return 1;
  if (!HasMarkerAt(image, image.GetWord(cmcImageMap::kPackedEnd) - image.GetWord(cmcImageMap::kPackBase) + 760))
    return 1;
  return 0;
}

bool indMain::IsNonZeroNumber(const std::string& text) const { return std::strtol(text.c_str(), nullptr, 10) != 0; }

bool indMain::CheckNewerData(const cmcEeprom& image) const {
  cmcEeprom copy;
  copy.Assign(image);
  UnpackImage(copy);
  return IsNonZeroNumber(Text("GI_Sys_LockoutNewerData")) && copy.GetByte(cmcImageMap::kDataRevision) > 1;
}

cmcAddressRanges indMain::MakeCloneRanges(int kind) const {
  if (kind == 0) return cmcAddressRanges{{0x200, addressTop_}};
  return cmcAddressRanges{{0, addressTop_}};
}

void indMain::AfterImageLoaded(cmcEeprom& image) {
  UnpackImage(image);
  const uint8_t flags = image.GetByte(cmcImageMap::kModelTypeFlags);
  int type = 0;
  if (flags & 0x04)
    type = 2;
  else if (flags & 0x01)
    type = 0;
  else if (flags & 0x02)
    type = 1;
  else if (flags & 0x20)
    type = 3;
  ChangeModelType(type, false);
  PrepareImage(image, kPrepareLoaded);
  events_.Send(kEvFilterTree);
}

void indMain::PrepareImage(cmcEeprom& image, int purpose) {
  indImagePreparer(initial_, ModelType(), [this] { ClearIdentityFlags(); }).PrepareImage(image, purpose);
}

void indMain::LoadInitialImage(int modelType) {
  const std::string path = exeDir_ + overlay_.GetLine("GI_App_InitialFile", modelType);
  cmcQclFile file(prompts_, overlay_);
  file.AttachImage(initial_);
  file.SetModelCodes(mainModel_, subCode_);
  file.SetModelCheck([this](int model, int sub, int& code) { return CheckModelCode(model, sub, code); });
  file.SetMapRevisionCheck(cmcModelCodes::CheckMapRevision);
  const cmcAddressRanges ranges = MakeCloneRanges(3);
  if (file.Read(path, &ranges) != cmcQclFile::kOk) cmcFatal("Cannot open '" + path + "'.");
}

void indMain::ResetImagesFromInitial() {
  working_.Assign(initial_);
  mirror_.Assign(initial_);
  PackImage(working_, ModelType());
  PackImage(mirror_, ModelType());
}

void indMain::TakeSavedState() {
  savedState_.Assign(working_);
  SetModified(false);
}

void indMain::SetModified(bool modified) {
  modified_ = modified;
  view_->RefreshCaption();
}

void indMain::MarkModifiedIfChanged() {
  if (!modified_ && working_.Differs(savedState_)) SetModified(true);
}

void indMain::RecomputeMemory() { PackImage(working_, ModelType()); }

void indMain::OnEvent(cmcEvent& e) {
  const int bank = static_cast<int>(e.sender);
  const int row = static_cast<int>(e.argument);
  switch (e.code) {
    case kEvInsertChannel:
      InsertChannelAt(bank, row);
      break;
    case kEvDeleteChannel:
      DeleteChannelAt(bank, row);
      break;
    case kEvInsertAlias:
      InsertAliasAt(row);
      break;
    case kEvDeleteAlias:
      DeleteAliasAt(row);
      break;
    default:
      break;
  }
}

void indMain::InsertChannelAt(int bank, int row) {
  datChBank banks(&working_, &initial_);
  if (row < 0 || row >= cmcImageMap::kChannelSlots || banks.TotalChannels() >= cmcImageMap::kChannelSlots) return;
  banks.InsertChannel(ChannelKindOf(ModelType()), row, cmcImageMap::kChannelSlots);
  banks.SetBankCount(bank, banks.BankCount(bank) + 1);
  events_.Send(kEvChannelAdded);
  events_.Send(kEvRefreshBankHeader);
}

void indMain::DeleteChannelAt(int bank, int row) {
  datChBank banks(&working_, &initial_);
  if (row < 0 || row >= cmcImageMap::kChannelSlots || banks.BankCount(bank) <= 0) return;
  banks.DeleteChannel(ChannelKindOf(ModelType()), row, cmcImageMap::kChannelSlots);
  banks.SetBankCount(bank, banks.BankCount(bank) - 1);
  events_.Send(kEvChannelRemoved);
  events_.Send(kEvRefreshBankHeader);
  events_.Send(kEvRefreshRowsFrom, 0, row);
}

// The alias table: 12-byte records, the first `count` in use. Opening a slot moves the
// later aliases up one place and gives the slot the default image's record there.
void indMain::InsertAliasAt(int row) {
  datChBank banks(&working_, &initial_);
  const int count = banks.MdcAliasCount();
  if (row < 0 || row > count || count >= cmcImageMap::kMdcAliasSlots) return;
  const datChRegion& table = datChKindOf(datChKind::kMdcAlias).regions[0];
  uint8_t* at = working_.Data() + table.base + table.stride * row;
  std::memmove(at + table.stride, at, static_cast<size_t>(table.stride * (count - row)));
  std::memcpy(at, initial_.Data() + table.base + table.stride * row, static_cast<size_t>(table.size));
  banks.IncMdcAliasCount();
  events_.Send(kEvChannelAdded);
  events_.Send(kEvRefreshBankHeader);
}

void indMain::DeleteAliasAt(int row) {
  datChBank banks(&working_, &initial_);
  const int count = banks.MdcAliasCount();
  if (row < 0 || row >= count) return;
  const datChRegion& table = datChKindOf(datChKind::kMdcAlias).regions[0];
  uint8_t* at = working_.Data() + table.base + table.stride * row;
  std::memmove(at, at + table.stride, static_cast<size_t>(table.stride * (count - row - 1)));
  const int last = table.base + table.stride * (count - 1);
  std::memcpy(working_.Data() + last, initial_.Data() + last, static_cast<size_t>(table.size));
  banks.DecMdcAliasCount();
  events_.Send(kEvChannelRemoved);
  events_.Send(kEvRefreshBankHeader);
  events_.Send(kEvRefreshRowsFrom, 0, row);
}

void indMain::RememberFile(const std::string& path) {
  workingFolder_ = FolderOf(path);
  environ_.currentDirectory = workingFolder_;
  fileName_ = path;
  environ_.recent.AddFront(path);
}

void indMain::NewClone() {
  if (AskSaveChanges() == kAnswerCancel) return;
  ResetImagesFromInitial();
  fileName_.clear();
  TakeSavedState();
  view_->CloseSheet();
  for (int bank = 0; bank < 8; ++bank) {
    const char* name =
        reinterpret_cast<const char*>(working_.Data() + cmcImageMap::kBankNames + cmcImageMap::kBankNameSize * bank);
    std::string label = std::to_string(bank + 1) + ": " + std::string(name, strnlen(name, 8));
    while (!label.empty() && label.back() == ' ') label.pop_back();
    events_.PostText(kEvRelabelBank, 0, bank, label);
  }
  adjustDataPresent = false;
  view_->RebuildTree();
  events_.Send(kEvFilterTree);
  events_.Send(kEvNewImage);
}

bool indMain::OpenFileDialog() {
  if (AskSaveChanges() == kAnswerCancel) return true;
  events_.Send(kEvCommitEdit);
  cmcFileDialog dialog;
  dialog.defaultExtension = overlay_.GetLine("GI_Sys_Dialog_FOpen", 0);
  dialog.filter = overlay_.GetLine("GI_Sys_Dialog_FOpen", 1);
  dialog.folder = workingFolder_;
  const auto path = prompts_.AskFilePath(dialog);
  if (!path) return true;
  return OpenCloneFile(*path, false);
}

bool indMain::OpenCloneFile(const std::string& path, bool ask) {
  if (ask && AskSaveChanges() == kAnswerCancel) return true;
  view_->SetBusyCursor(true);
  cmcEeprom scratch;
  scratch.SetSize(kImageSize);
  cmcQclFile file(prompts_, overlay_);
  file.AttachImage(scratch);
  file.SetModelCodes(mainModel_, subCode_);
  file.SetModelCheck([this](int model, int sub, int& code) { return CheckModelCode(model, sub, code); });
  file.SetMapRevisionCheck(cmcModelCodes::CheckMapRevision);

  bool failed = true;
  lastFileError_ = file.Read(path, nullptr);
  if (lastFileError_ == cmcQclFile::kOk) {
    int code = cmcQclFile::kOk;
    if (CheckImageHeader(scratch, false) != 0)
      code = cmcQclFile::kDataError;
    else if (CheckNewerData(scratch))
      code = cmcQclFile::kNewerError;
    else
      code = file.CheckCoverage(MakeCloneRanges(3));
    lastFileError_ = code;
    if (code != cmcQclFile::kOk) {
      file.ShowFileError(code);
    } else {
      ResetImagesFromInitial();
      RememberFile(path);
      working_.WriteBlock(0, scratch.Data(), cmcEeprom::kEepromSize);
      mirror_.WriteBlock(0, scratch.Data(), cmcEeprom::kEepromSize);
      AfterImageLoaded(working_);
      TakeSavedState();
      view_->CloseSheet();
      events_.Send(kEvFilterTree);
      events_.Send(kEvNewImage);
      failed = false;
    }
  }
  view_->SetBusyCursor(false);
  adjustDataPresent = false;
  view_->RebuildTree();
  return failed;
}

bool indMain::SaveClone() { return fileName_.empty() ? SaveAsDialog() : SaveCloneFile(fileName_); }

bool indMain::SaveAsDialog() {
  cmcFileDialog dialog;
  dialog.save = true;
  dialog.defaultExtension = overlay_.GetLine("GI_Sys_Dialog_FOpen", 0);
  dialog.filter = overlay_.GetLine("GI_Sys_Dialog_FOpen", 1);
  dialog.folder = workingFolder_;
  dialog.fileName = FileNamePart();
  const auto path = prompts_.AskFilePath(dialog);
  if (!path) return true;
  return SaveCloneFile(*path);
}

bool indMain::SaveCloneFile(const std::string& path) {
  events_.Send(kEvCommitEdit);
  PrepareImage(working_, kPrepareSave);
  view_->SetBusyCursor(true);
  cmcQclFile file(prompts_, overlay_);
  file.AttachImage(working_);
  file.SetModelCodes(mainModel_, subCode_);
  file.SetComment(cmcQclFile::MakeSaveComment(working_));
  file.SetMapRevision(1);
  lastFileError_ = file.Write(path, MakeCloneRanges(2));
  const bool failed = lastFileError_ != cmcQclFile::kOk;
  if (!failed) {
    RememberFile(path);
    TakeSavedState();
  }
  view_->SetBusyCursor(false);
  return failed;
}

int indMain::AskSaveChanges() {
  events_.Send(kEvCommitEdit);
  if (!modified_) return kAnswerYes;
  const std::string text = FormatOne(Text("GI_Mess_Confirm_WriteFile"), FileNamePart());
  switch (prompts_.Ask(cmcPromptIcon::Warning, cmcPromptButtons::YesNoCancel, Text("GI_Sys_AppTitle"), text)) {
    case cmcPromptAnswer::Yes:
      if (fileName_.empty() ? SaveAsDialog() : SaveCloneFile(fileName_)) return kAnswerCancel;
      return kAnswerYes;
    case cmcPromptAnswer::No:
      return kAnswerNo;
    default:
      return kAnswerCancel;
  }
}

void indMain::ChangeModelType(int type, bool ask) {
  if (type == environ_.modelType) return;
  if (ask && prompts_.Ask(cmcPromptIcon::Warning, cmcPromptButtons::OkCancel, Text("GI_Sys_AppTitle"),
                          Text("GI_AppMess_ChangeModel")) != cmcPromptAnswer::Ok)
    return;
  // The change replaces the image: unsaved changes may be saved first, as on New.
  if (ask && AskSaveChanges() == kAnswerCancel) return;
  environ_.modelType = type;
  LoadInitialImage(type);
  UnpackInitialImage(initial_);
  if (ask) {
    ResetImagesFromInitial();
    TakeSavedState();
    fileName_.clear();
    view_->RefreshCaption();
  }
  adjustDataPresent = false;
  view_->RebuildTree();
  events_.Send(kEvNewImage);
}

std::string indMain::FileNamePart() const { return fileName_.empty() ? kUntitled : BaseName(fileName_); }

std::string indMain::Caption() const { return FileNamePart() + " - " + Text("GI_Sys_AppTitle"); }

std::string indMain::Text(const char* key) const { return overlay_.GetText(key); }

int indMain::ModelType() const { return environ_.modelType; }

cmcSheetDef::Model indMain::SheetModel() const {
  return {ModelType(), extendedMode, makerReserveMode, working_.GetByte(cmcImageMap::kSheetAccess)};
}

int indMain::ChannelKindOf(int modelType) {
  switch (modelType) {
    case 1:
      return 2;
    case 2:
      return 3;
    case 3:
      return 4;
    default:
      return 1;
  }
}

const char* indMain::NameSuffixOf(int modelType) {
  switch (modelType) {
    case 1:
      return "Pmr";
    case 2:
      return "PmrB";
    case 3:
      return "DPmr446";
    default:
      return "Lmr";
  }
}

int indMain::BankCountOf(int modelType) { return modelType == 3 ? 7 : 8; }

// ---- Clone exchanges with the radio ----

indMain::indMain(cmcGTex& overlay, indEnviron& environ, cmcEvMan& events, cmcPrompts& prompts, std::string exeDir,
                 std::string desktopDir, const CloneServices& clone)
    : indMain(overlay, environ, events, prompts, std::move(exeDir), std::move(desktopDir)) {
  cloneMan_ = std::make_unique<indCloneMan>(
      indCloneMan::Services{clone.clock, clone.timers, clone.devices, clone.waiter, overlay_, events_, environ_.comPort,
                            environ_.comSpeedHigh, environ_.clonePassword, prompts_, adjust_, working_});
  cloneMan_->SetIdentityHook(&IdentityThunk, this);
  cloneMan_->SetPostReadHook(&PostReadThunk, this);
}

void indMain::IdentityThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnIdentity(r); }
void indMain::PostReadThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnPostRead(r); }
void indMain::InfoDoneThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnCloneInfoDone(r); }
void indMain::ReadReadyThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnCloneReadReady(r); }
void indMain::ReadDoneThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnCloneReadDone(r); }
void indMain::WriteReadyThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnCloneWriteReady(r, 1); }
void indMain::WriteSecondThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnCloneWriteReady(r, 2); }
void indMain::WriteDoneThunk(void* self, dst_CDrv_Result& r) { static_cast<indMain*>(self)->OnCloneWriteDone(r); }

void indMain::OnIdentity(dst_CDrv_Result& r) {
  if (r.code != dst_CDrv_Result::kSuccess) return;
  if (r.operation != dst_CDrv_Result::kInformation) {
    r.code = static_cast<uint8_t>(r.operation - 1);
    return;
  }
  const bool isAlt1 = altModel1_ != 0 && r.modelCode == altModel1_;
  const bool isAlt2 = altModel2_ != 0 && r.modelCode == altModel2_;
  if (r.modelCode != mainModel_ && !isAlt1 && !isAlt2) {
    r.code = indCloneMan::kIdentityRefused;
    return;
  }
  identityBytes_ = {static_cast<uint8_t>(r.modelCode >> 8), static_cast<uint8_t>(r.modelCode),
                    static_cast<uint8_t>(r.subCode >> 8), static_cast<uint8_t>(r.subCode)};
  alt1Seen_ = isAlt1;
  alt2Seen_ = isAlt2;
  identityKnown_ = true;
  // Maker reserve mode serves radios of any variant.
  const int subLow = r.subCode & 0xFF;
  if (!makerReserveMode && subLow != 0 && subLow != (subCode_ & 0xFF)) {
    r.code = indCloneMan::kIdentityRefused;
    return;
  }
  if (r.information.GetLength() != kRadioInfoSize || r.information.Data()[0] != kRadioInfoSize) {
    r.code = indCloneMan::kIdentityRefused;
    return;
  }
  std::memcpy(radioInfo_.data(), r.information.Data(), kRadioInfoSize);
  if (radioInfo_[kInfoDataRevision] > 1) r.code = indCloneMan::kNewerRadio;
}

void indMain::OnPostRead(dst_CDrv_Result& r) {
  if (r.code != dst_CDrv_Result::kSuccess || r.operation != dst_CDrv_Result::kRead) return;
  if (CheckImageHeader(r.image, true) != 0)
    r.code = indCloneMan::kContentCheckFailed;
  else if (CheckNewerData(r.image))
    r.code = indCloneMan::kNewerData;
}

void indMain::SetExpectedModel() { cloneMan_->SetModelCodes(altModel1_ != 0 || altModel2_ != 0 ? 0 : mainModel_, 0); }

bool indMain::ErrorBox(const char* key) {
  prompts_.Show(cmcPromptIcon::Error, Text("GI_Sys_AppTitle"), Text(key));
  return false;
}

bool indMain::Confirm(const char* key) {
  return prompts_.Ask(cmcPromptIcon::Warning, cmcPromptButtons::OkCancel, Text("GI_Sys_AppTitle"), Text(key)) ==
         cmcPromptAnswer::Ok;
}

bool indMain::IdentifiedAndIdle(const dst_CDrv_Result& r) {
  if (r.code != dst_CDrv_Result::kSuccess) {
    cloneOutcome_ = r.code;
    return false;
  }
  // Another exchange began meanwhile; this command gives way to it.
  if (cloneMan_->IsBusy()) {
    cloneOutcome_ = kCloneCancelled;
    return false;
  }
  return true;
}

void indMain::CloneInfo() {
  if (!cloneMan_ || cloneMan_->IsBusy()) return;
  cloneOutcome_ = kCloneRunning;
  SetExpectedModel();
  cloneMan_->Identify(&InfoDoneThunk, this);
}

void indMain::OnCloneInfoDone(dst_CDrv_Result& r) {
  if (closing_) return;
  cloneOutcome_ = r.code;
  if (r.code == dst_CDrv_Result::kSuccess) view_->ShowCloneInfo("GI_Sheet_CloneInfo", Text("GI_Sys_AppTitle"));
}

bool indMain::AllowAdjustRead() {
  if (environ_.adjustModeCode.empty()) adjustReadAllowed_ = true;
  if (adjustReadAllowed_) return true;
  bool matched = false;
  if (adjustPasswordDialog_) {
    matched = adjustPasswordDialog_();
  } else if (const auto text = prompts_.AskText(Text("GI_AppInd_Opt_AdjReadPwd_Caption"),
                                                Text("GI_AppInd_Opt_AdjReadPwd_Notice"), true)) {
    // One try, as in the dialog: a wrong entry closes it with the error.
    matched = indPasswordRules::AdjustAccepted(*text, environ_.adjustModeCode);
    if (!matched) ErrorBox(indPasswordRules::kAdjustErrorKey);
  }
  if (matched) events_.Post(kEvRefreshLiveCells);
  adjustReadAllowed_ = matched;
  return matched;
}

bool indMain::ShowClonePasswordDialog() {
  std::optional<std::string> accepted;
  if (clonePasswordDialog_) {
    accepted = clonePasswordDialog_();
  } else {
    for (;;) {
      const auto text =
          prompts_.AskText(Text("GI_AppInd_Opt_ClonePwd_Caption"), Text("GI_AppInd_Opt_ClonePwd_Notice"), true);
      if (!text) break;
      const char* refusal = indPasswordRules::RefuseClonePassword(*text);
      if (!refusal) {
        accepted = text;
        break;
      }
      // A refused entry keeps the dialog open.
      ErrorBox(refusal);
    }
  }
  if (accepted) {
    environ_.clonePassword = *accepted;
    if (cloneMan_) cloneMan_->SetSendPassword(true);
  }
  events_.Send(kEvMchWinRaise);
  return accepted.has_value();
}

void indMain::CloneRead() {
  if (!cloneMan_) return;
  if (AskSaveChanges() == kAnswerCancel) {
    cloneOutcome_ = kCloneCancelled;
    return;
  }
  if (cloneMan_->IsBusy()) return;
  cloneOutcome_ = kCloneRunning;
  SetExpectedModel();
  cloneMan_->Identify(&ReadReadyThunk, this);
}

int indMain::RadioReadEnd() const {
  int highest = 0;
  for (int i = 0; i < 4; ++i) {
    const int c = radioInfo_[kInfoHighest + i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) return -1;
    highest = highest << 4 | digit;
  }
  const int end = (highest & ~0xF) + 15;
  // Memory above the exchanged area is not this program's to read.
  return end <= addressTop_ ? end : -1;
}

void indMain::OnCloneReadReady(dst_CDrv_Result& r) {
  if (closing_) return;
  if (!IdentifiedAndIdle(r)) return;
  const uint8_t flags = radioInfo_[kInfoFlags];
  if ((flags & kInfoFlagPassword) && !(flags & kInfoFlagNotEnforced) && !ShowClonePasswordDialog()) {
    cloneOutcome_ = kCloneCancelled;
    return;
  }
  const int end = RadioReadEnd();
  if (end < 0) {
    cloneMan_->ShowCloneError(indCloneMan::kIdentityRefused);
    cloneOutcome_ = indCloneMan::kIdentityRefused;
    return;
  }
  const cmcAddressRanges kind1 = MakeCloneRanges(1);
  cloneRanges_ = cmcAddressRanges{{kind1[0].start, end}};
  cloneMan_->SetImageSize(kImageSize);
  cloneMan_->Read(&cloneRanges_, &ReadDoneThunk, this);
}

void indMain::OnCloneReadDone(dst_CDrv_Result& r) {
  if (closing_) return;
  cloneOutcome_ = r.code;
  if (r.code != dst_CDrv_Result::kSuccess) return;
  ResetImagesFromInitial();
  working_.WriteBlock(0, r.image.Data(), cmcEeprom::kEepromSize);
  mirror_.WriteBlock(0, r.image.Data(), cmcEeprom::kEepromSize);
  AfterImageLoaded(working_);
  fileName_.clear();
  SetModified(true);
  view_->CloseSheet();
  events_.Send(kEvFilterTree);
}

bool indMain::CheckImageForWrite() {
  if (datChBank(&working_).UsedInRange(0, cmcImageMap::kChannelSlots - 1) <= 0)
    return ErrorBox("GI_AppMess_CloneErr_NoActualCh");
  const int start = working_.GetByte(cmcImageMap::kStartChannel);
  bool startValid = start < cmcImageMap::kChannelSlots;
  if (startValid) {
    datCh channel(&working_);
    channel.Load(ChannelKindOf(ModelType()), start);
    startValid = channel.inUse && !channel.IsPmrEmergencyPreset();
  }
  if (!startValid) return ErrorBox("GI_AppMess_CloneErr_InvalidStartCh");
  if (warningErrorCount_ && warningErrorCount_() > 0) return ErrorBox("GI_Mess_DataError");
  return true;
}

void indMain::StartCloneWrite() {
  if (!cloneMan_) return;
  if (!CheckImageForWrite()) {
    cloneOutcome_ = kCloneRefused;
    return;
  }
  events_.Send(kEvCommitEdit);
  if (cloneMan_->IsBusy()) return;
  cloneOutcome_ = kCloneRunning;
  SetExpectedModel();
  cloneMan_->Identify(&WriteReadyThunk, this);
}

void indMain::OnCloneWriteReady(dst_CDrv_Result& r, int phase) {
  if (closing_) return;
  if (!IdentifiedAndIdle(r)) return;
  if (phase == 1) {
    const bool confirmed =
        (!makerReserveMode || Confirm("GI_Mess_Maker_Caution")) &&
        (working_.GetByte(cmcImageMap::kClonePassword) == 0 || Confirm("GI_Mess_Confirm_CloneWriteClonePass")) &&
        Confirm("GI_Mess_Confirm_CloneWrite");
    if (!confirmed) {
      cloneOutcome_ = kCloneCancelled;
      return;
    }
    // The radio may have been swapped while the questions were open.
    cloneMan_->Identify(&WriteSecondThunk, this);
    return;
  }
  if ((radioInfo_[kInfoFlags] & kInfoFlagPassword) && !ShowClonePasswordDialog()) {
    cloneOutcome_ = kCloneCancelled;
    return;
  }
  cmcEeprom copy;
  copy.Assign(working_);
  cloneMan_->SetImageSize(kImageSize);
  const cmcAddressRanges ranges = MakeCloneRanges(makerReserveMode ? 1 : 0);
  PrepareImage(copy, kPrepareWrite);
  // Whole 128-byte blocks up to the end of the packed data, never past the exchanged area.
  const int end = std::min((copy.GetWord(cmcImageMap::kPackedEnd) & ~0x7F) + 127, addressTop_);
  copy.SetByte(cmcImageMap::kHeaderDataRevision, radioInfo_[kInfoDataRevision]);
  cloneRanges_ = cmcAddressRanges{{ranges[0].start, end}};
  cloneMan_->Write(copy, cloneRanges_, &WriteDoneThunk, this);
}

void indMain::OnCloneWriteDone(dst_CDrv_Result& r) {
  if (closing_) return;
  cloneOutcome_ = r.code;
  if (r.code != dst_CDrv_Result::kSuccess) return;
  view_->CloseSheet();
  prompts_.Show(cmcPromptIcon::Information, Text("GI_Sys_AppTitle"), Text("GI_Mess_CloneWrite_Succeeded"));
}
