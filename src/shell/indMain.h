#pragma once
// The model controller's document side: it owns the radio images (working, radio
// mirror, saved state, initial, compare snapshot), the current file and the model
// type, checks images and clone files against this radio family, and runs New, Open,
// Save and the change of model type, and opens and closes channel and alias slots when
// the block operations ask; made with a clone manager, it also runs clone information,
// read and write with the radio. Windows reach it through indMainView; the user is
// reached only through the prompt seam.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "channel/datClipCh.h"
#include "clone/dst_AdjustState.h"
#include "image/cmcAddressRanges.h"
#include "image/cmcEeprom.h"
#include "sheet/cmcSheetDef.h"

class cmcClock;
class cmcEvMan;
struct cmcEvent;
class cmcGTex;
class cmcPrompts;
class cmcSerialFactory;
class cmcTimerHost;
class cmcWaiter;
class indCloneMan;
class indEnviron;
struct dst_CDrv_Result;

// What the controller asks of the windows around it; every call may be ignored.
class indMainView {
 public:
  virtual ~indMainView() = default;
  virtual void RefreshCaption() {}
  virtual void CloseSheet() {}
  virtual void RebuildTree() {}
  virtual void SetBusyCursor(bool) {}
  // Opens the information window on an overlay sheet after a clone information.
  virtual void ShowCloneInfo(const std::string& /*sheet*/, const std::string& /*caption*/) {}
};

class indMain {
 public:
  static constexpr int kImageSize = cmcEeprom::kImageSize;
  static constexpr int kAddressTop = cmcEeprom::kEepromSize - 1;

  // Purposes of PrepareImage.
  static constexpr int kPrepareLoaded = 0;
  static constexpr int kPrepareSave = 1;
  static constexpr int kPrepareWrite = 2;

  // Answers of AskSaveChanges.
  static constexpr int kAnswerYes = 6;
  static constexpr int kAnswerNo = 7;
  static constexpr int kAnswerCancel = 2;

  // exeDir ends with "/"; desktopDir is the working folder when none is stored.
  indMain(cmcGTex& overlay, indEnviron& environ, cmcEvMan& events, cmcPrompts& prompts, std::string exeDir,
          std::string desktopDir);
  ~indMain();
  indMain(const indMain&) = delete;
  indMain& operator=(const indMain&) = delete;

  void SetView(indMainView* view) { view_ = view ? view : &noView_; }

  // Loads the model's initial image and makes it the working document (start-up).
  void StartUp();

  // Identity of the radio family and of the last radio seen.
  void ResetCloneIdentity();
  // Accepts a model code and sub-code of a file or radio; error receives 3 or 4 otherwise.
  bool CheckModelCode(int model, int subCode, int& error);
  // 0 when the image carries this family's header (strict: also the maker markers).
  int CheckImageHeader(const cmcEeprom& image, bool strict) const;
  // True when the image holds data newer than this program may accept.
  bool CheckNewerData(const cmcEeprom& image) const;
  cmcAddressRanges MakeCloneRanges(int kind) const;

  // Unpacks a loaded image, takes the model type from it and prepares it.
  void AfterImageLoaded(cmcEeprom& image);
  void PrepareImage(cmcEeprom& image, int purpose);

  // Reads the model type's initial clone file into the initial image; fatal on failure.
  void LoadInitialImage(int modelType);

  // Document operations. Those returning bool return true on failure or cancel.
  void NewClone();
  bool OpenFileDialog();
  bool OpenCloneFile(const std::string& path, bool ask);
  bool SaveClone();
  bool SaveAsDialog();
  bool SaveCloneFile(const std::string& path);
  int AskSaveChanges();
  void ChangeModelType(int type, bool ask);
  void MarkModifiedIfChanged();
  void SetModified(bool modified);
  // Brings the memory use words the budget compares against (0x210, 0x216) up to date
  // by packing the working image: the packed area is rebuilt from the fixed layout.
  void RecomputeMemory();

  // The caption: file name part (or "Untitled"), " - ", the application title.
  std::string Caption() const;

  int ModelType() const;
  // What the sheets' model conditions test: the model type, the modes, the access byte.
  cmcSheetDef::Model SheetModel() const;
  // The channel record kind, the name suffix and the bank count of the model type.
  static int ChannelKindOf(int modelType);
  static const char* NameSuffixOf(int modelType);
  static int BankCountOf(int modelType);

  // The clone file result code of the last open or save (0 when it succeeded).
  int LastFileError() const { return lastFileError_; }
  bool IsModified() const { return modified_; }
  const std::string& FileName() const { return fileName_; }
  const std::string& WorkingFolder() const { return workingFolder_; }
  bool Alternate1Seen() const { return alt1Seen_; }
  bool Alternate2Seen() const { return alt2Seen_; }
  bool IdentityKnown() const { return identityKnown_; }
  void SetIdentityKnown(bool known) { identityKnown_ = known; }
  void ClearIdentityFlags();

  cmcEeprom& Working() { return working_; }
  cmcEeprom& Mirror() { return mirror_; }
  cmcEeprom& SavedState() { return savedState_; }
  cmcEeprom& Initial() { return initial_; }
  cmcEeprom& CompareSnapshot() { return compare_; }
  const cmcEeprom& Working() const { return working_; }
  // The program's channel clipboard.
  datClipCh& Clipboard() { return clipboard_; }

  bool makerReserveMode = false;
  bool factoryAdjustMode = false;
  bool extendedMode = false;
  bool adjustDataPresent = false;
  bool bulkDelete = false;       // raised while a block delete removes rows one by one
  bool sheetWindowOpen = false;  // an information box is open: popup help stays put

  // ---- Clone exchanges with the radio ----

  // What the clone manager and its drivers run on; none of it is owned, all of it
  // outlives the controller.
  struct CloneServices {
    const cmcClock& clock;
    cmcTimerHost& timers;
    cmcSerialFactory& devices;
    cmcWaiter& waiter;
  };
  // As the constructor above, and creates the clone manager with the controller's hooks.
  indMain(cmcGTex& overlay, indEnviron& environ, cmcEvMan& events, cmcPrompts& prompts, std::string exeDir,
          std::string desktopDir, const CloneServices& clone);

  // The radio information record and its fields.
  static constexpr int kRadioInfoSize = 78;
  static constexpr int kInfoDataRevision = 35;
  static constexpr int kInfoSerial = 37;
  static constexpr int kInfoFlags = 53;
  static constexpr int kInfoHighest = 62;
  static constexpr uint8_t kInfoFlagPassword = 0x08;
  static constexpr uint8_t kInfoFlagNotEnforced = 0x10;

  // CloneOutcome: the clone command's exchanges still run; it ended at a Cancel (a
  // question or the password); clone write refused the image before any exchange.
  // Any other value is the result code of the exchange that ended it (0 success).
  static constexpr int kCloneRunning = -1;
  static constexpr int kCloneCancelled = 1;
  static constexpr int kCloneRefused = 20;

  // The clone manager; nullptr when the controller was made without one.
  indCloneMan* CloneMan() { return cloneMan_.get(); }

  // The three clone commands. Each does nothing while an exchange runs.
  void CloneInfo();
  void CloneRead();
  void StartCloneWrite();
  // Completions of the identifications that precede a read and a write (phase 1 and 2).
  void OnCloneReadReady(dst_CDrv_Result& result);
  void OnCloneWriteReady(dst_CDrv_Result& result, int phase);
  // The hooks the clone manager runs on every identification and every finished exchange.
  void OnIdentity(dst_CDrv_Result& result);
  void OnPostRead(dst_CDrv_Result& result);
  // Asks for the radio's clone password; true when one of 1 to 16 characters was given.
  bool ShowClonePasswordDialog();
  // The windows' clone password dialog, which refuses entries itself: the accepted
  // password, nothing when cancelled. Without one the prompts ask for it.
  void SetClonePasswordDialog(std::function<std::optional<std::string>()> dialog) {
    clonePasswordDialog_ = std::move(dialog);
  }
  // The warning checks' error count, asked before a clone write (none by default).
  void SetWarningErrorCount(std::function<int()> count) { warningErrorCount_ = std::move(count); }
  // Whether adjustment reads may run: at once when no "AdjustMode" code is configured;
  // otherwise asks for the adjustment password until it has been accepted once, and
  // posts event 13 when it is.
  bool AllowAdjustRead();
  bool AdjustReadAllowed() const { return adjustReadAllowed_; }
  // The windows' adjustment password dialog: true when the entry matched the code.
  // Without one the prompts ask for it.
  void SetAdjustPasswordDialog(std::function<bool()> dialog) { adjustPasswordDialog_ = std::move(dialog); }

  int CloneOutcome() const { return cloneOutcome_; }
  // The radio's last accepted answer: model code and sub-code, and its information record.
  const std::array<uint8_t, 4>& IdentityBytes() const { return identityBytes_; }
  const std::array<uint8_t, kRadioInfoSize>& RadioInfo() const { return radioInfo_; }
  // The ranges of the exchange in progress or last started.
  const cmcAddressRanges& CloneRanges() const { return cloneRanges_; }
  dst_AdjustState& AdjustState() { return adjust_; }

 private:
  // Events 26, 27, 30 and 31 of the block operations: sender the bank, argument the row.
  void OnEvent(cmcEvent& event);
  void InsertChannelAt(int bank, int row);
  void DeleteChannelAt(int bank, int row);
  void InsertAliasAt(int row);
  void DeleteAliasAt(int row);
  // Makes a copy of the initial image, packed, the working and radio mirror images.
  void ResetImagesFromInitial();
  void TakeSavedState();
  void RememberFile(const std::string& path);
  std::string FileNamePart() const;
  std::string Text(const char* key) const;
  bool IsNonZeroNumber(const std::string& text) const;

  cmcGTex& overlay_;
  indEnviron& environ_;
  cmcEvMan& events_;
  cmcPrompts& prompts_;
  std::string exeDir_;
  indMainView noView_;
  indMainView* view_ = &noView_;

  int addressTop_ = 0;
  int mainModel_ = 0;
  int altModel1_ = 0;
  int altModel2_ = 0;
  int subCode_ = 0;
  bool alt1Seen_ = false;
  bool alt2Seen_ = false;
  bool identityKnown_ = false;

  cmcEeprom working_;
  cmcEeprom mirror_;
  cmcEeprom savedState_;
  cmcEeprom initial_;
  cmcEeprom compare_;
  datClipCh clipboard_;
  std::string fileName_;
  std::string workingFolder_;
  bool modified_ = false;
  int lastFileError_ = 0;

  // Clone exchanges.
  static void IdentityThunk(void* self, dst_CDrv_Result& result);
  static void PostReadThunk(void* self, dst_CDrv_Result& result);
  static void InfoDoneThunk(void* self, dst_CDrv_Result& result);
  static void ReadReadyThunk(void* self, dst_CDrv_Result& result);
  static void ReadDoneThunk(void* self, dst_CDrv_Result& result);
  static void WriteReadyThunk(void* self, dst_CDrv_Result& result);
  static void WriteSecondThunk(void* self, dst_CDrv_Result& result);
  static void WriteDoneThunk(void* self, dst_CDrv_Result& result);
  void OnCloneInfoDone(dst_CDrv_Result& result);
  void OnCloneReadDone(dst_CDrv_Result& result);
  void OnCloneWriteDone(dst_CDrv_Result& result);
  // An identification that succeeded while no other exchange runs; else the outcome is set.
  bool IdentifiedAndIdle(const dst_CDrv_Result& result);
  // Sets the model code the radio must answer with: any when alternates exist.
  void SetExpectedModel();
  // The first of the write's checks that fails shows its message; true when all pass.
  bool CheckImageForWrite();
  bool ErrorBox(const char* key);
  bool Confirm(const char* key);
  // The read's last address from the radio's highest address; -1 when unusable.
  int RadioReadEnd() const;

  dst_AdjustState adjust_;
  std::function<int()> warningErrorCount_;
  std::function<bool()> adjustPasswordDialog_;
  bool adjustReadAllowed_ = false;
  std::function<std::optional<std::string>()> clonePasswordDialog_;
  std::array<uint8_t, 4> identityBytes_{};
  std::array<uint8_t, kRadioInfoSize> radioInfo_{};
  cmcAddressRanges cloneRanges_;
  int cloneOutcome_ = 0;
  bool closing_ = false;
  // Last: destroyed first, while everything its hooks touch still exists.
  std::unique_ptr<indCloneMan> cloneMan_;
};
