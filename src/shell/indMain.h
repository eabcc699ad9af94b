#pragma once
// The model controller's document side: it owns the radio images (working, radio
// mirror, saved state, initial, compare snapshot), the current file and the model
// type, checks images and clone files against this radio family, and runs New, Open,
// Save and the change of model type, and opens and closes channel and alias slots when
// the block operations ask. Windows reach it through indMainView; the user is reached
// only through the prompt seam.
#include <array>
#include <cstdint>
#include <string>

#include "channel/datClipCh.h"
#include "image/cmcAddressRanges.h"
#include "image/cmcEeprom.h"

class cmcEvMan;
struct cmcEvent;
class cmcGTex;
class cmcPrompts;
class indEnviron;

// What the controller asks of the windows around it; every call may be ignored.
class indMainView {
 public:
  virtual ~indMainView() = default;
  virtual void RefreshCaption() {}
  virtual void CloseSheet() {}
  virtual void RebuildTree() {}
  virtual void SetBusyCursor(bool) {}
};

class indMain {
 public:
  static constexpr int kImageSize = cmcEeprom::kImageSize;
  static constexpr int kAddressTop = 0x7D7F;

  // Image addresses the document operations and checks read.
  static constexpr int kAddrModelCode = 256;
  static constexpr int kAddrHeaderVersion = 258;
  static constexpr int kAddrMakerMarker = 512;
  static constexpr int kAddrDataRevision = 520;
  static constexpr int kAddrModelCode2 = 522;
  static constexpr int kAddrPackedEnd = 530;
  static constexpr int kAddrPackBase = 532;
  static constexpr int kAddrModelTypeFlags = 41179;
  static constexpr int kAddrBankNames = 41431;
  static constexpr int kAddrLockoutRevision = 42603;

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
  bool bulkDelete = false;              // raised while a block delete removes rows one by one
  std::array<uint8_t, 78> radioInfo{};  // the radio's answer to the last identification

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
};
