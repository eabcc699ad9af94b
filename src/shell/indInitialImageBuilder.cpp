#include "shell/indInitialImageBuilder.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "channel/datCh.h"
#include "channel/datChBank.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"
#include "image/cmcModelCodes.h"
#include "image/cmcQclFile.h"
#include "runtime/cmcPrompts.h"
#include "shell/indDescriptionSyntax.h"
#include "shell/indImageFixups.h"
#include "shell/indImagePacking.h"
#include "shell/indImagePreparer.h"
#include "shell/indPackBlocks.h"

using namespace cmcImageMap;

namespace {

using Tokens = indDescriptionSyntax::Tokens;
using S = indDescriptionSyntax;

constexpr int kTemplateChannels = 16;  // new channels are copied from the first 16

// Addresses that a raw line may not write: the packer rebuilds them, or they belong to
// the channel records, which only channel lines describe.
struct Reserved {
  long first;
  long last;
  const char* why;
};
constexpr Reserved kReserved[] = {
    {kBudgetWord1, kBudgetWord2 + 1, "is a packing header word"},
    {kDirHeader, kDirHeader + 7, "is the packed directory header"},
    {kPackStart, cmcEeprom::kEepromSize - 1, "lies in the packed area, which packing rebuilds from the fixed layout"},
    {kChannelMain, kChannelMain + kChannelMainSize* kChannelSlots - 1,
     "is a channel record; describe channels with channel lines"},
    {kChannelExt, kChannelExt + kChannelExtSize* kChannelSlots - 1,
     "is a channel record; describe channels with channel lines"},
};

std::string Format(const char* format, long a, long b = 0, long c = 0) {
  char text[400];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

// List record kinds whose records carry names, by the word a description uses.
struct NamedKind {
  const char* word;
  int kind;
};
constexpr NamedKind kNamedKinds[] = {
    {"dtmf", datChKind::kDtmf},
    {"scan-list", datChKind::kScanList},
    {"rx-5tone", datChKind::kRx5Tone},
    {"tx-5tone", datChKind::kTx5Tone},
    {"2tone", datChKind::k2Tone},
    {"bank", datChKind::kBank},
    {"msk-id-group", datChKind::kMskIdGroup},
    {"msk-call-list", datChKind::kMskCallList},
    {"msk-status", datChKind::kMskStatus},
    {"msk-short-text", datChKind::kMskShortText},
    {"dig-status", datChKind::kDigStatus},
    {"mdc-alias", datChKind::kMdcAlias},
};

// The model type the image's flags give, as the model controller reads them after loading.
int ModelTypeOfFlags(uint8_t flags) {
  if (flags & 0x04) return 2;
  if (flags & 0x01) return 0;
  if (flags & 0x02) return 1;
  if (flags & 0x20) return 3;
  return 0;
}

// The file writer reports through prompts; the builder's callers report its result code.
class QuietPrompts : public cmcPrompts {
 public:
  cmcPromptAnswer Ask(cmcPromptIcon, cmcPromptButtons, const std::string&, const std::string&) override {
    return cmcPromptAnswer::Ok;
  }
  std::optional<std::string> AskText(const std::string&, const std::string&, bool) override { return std::nullopt; }
};

}  // namespace

indInitialImageBuilder::indInitialImageBuilder() { image_.SetSize(cmcEeprom::kImageSize); }

std::string indInitialImageBuilder::ErrorText() const {
  if (error_.line == 0) return error_.message;
  return "line " + std::to_string(error_.line) + ": " + error_.message;
}

bool indInitialImageBuilder::Fail(std::string message) {
  error_ = {line_, std::move(message)};
  return false;
}

bool indInitialImageBuilder::Build(std::string_view description) {
  image_.SetSize(0);
  image_.SetSize(cmcEeprom::kImageSize);
  error_ = {};
  line_ = 0;
  modelType_ = -1;
  modelTypeLine_ = lastBankLine_ = 0;
  defaults_.clear();
  channelLines_.clear();

  size_t at = 0;
  while (at <= description.size()) {
    const size_t end = std::min(description.find('\n', at), description.size());
    ++line_;
    std::string problem;
    const std::optional<Tokens> tokens = S::Tokenize(description.substr(at, end - at), problem);
    if (!tokens) return Fail(problem);
    if (!tokens->empty() && !Statement(*tokens)) return false;
    at = end + 1;
  }
  line_ = 0;
  return Finish();
}

bool indInitialImageBuilder::Statement(const Tokens& tokens) {
  static const std::vector<std::pair<std::string, bool (indInitialImageBuilder::*)(const Tokens&)>> kStatements = {
      {"model-type", &indInitialImageBuilder::ModelTypeLine},
      {"byte", &indInitialImageBuilder::BytesLine},
      {"word", &indInitialImageBuilder::WordLine},
      {"text", &indInitialImageBuilder::TextLine},
      {"fill", &indInitialImageBuilder::FillLine},
      {"bank", &indInitialImageBuilder::BankLine},
      {"blank-names", &indInitialImageBuilder::BlankNamesLine},
      {"defaults", &indInitialImageBuilder::DefaultsLine},
      {"channel", &indInitialImageBuilder::ChannelLine},
  };
  for (const auto& [word, handler] : kStatements)
    if (tokens[0] == word) return (this->*handler)(tokens);
  return Fail("unknown statement '" + tokens[0] + "'");
}

bool indInitialImageBuilder::NeedModelType() {
  if (modelType_ >= 0) return true;
  return Fail("'model-type' must come first");
}

bool indInitialImageBuilder::ModelTypeLine(const Tokens& tokens) {
  long type = 0;
  if (modelType_ >= 0) return Fail(Format("the model type is already given on line %ld", modelTypeLine_));
  if (tokens.size() != 2 || !S::ParseNumber(tokens[1], type) || type > 3)
    return Fail("expected 'model-type N' with N 0 (LMR), 1 (PMR), 2 (QarnPmr) or 3 (dPMR446)");
  modelType_ = static_cast<int>(type);
  modelTypeLine_ = line_;
  return true;
}

bool indInitialImageBuilder::CheckWritable(long address, long count) {
  if (address < 0 || count < 1 || address + count > cmcEeprom::kImageSize)
    return Fail(Format("addresses %ld-%ld lie outside the image (0-%ld)", address, address + count - 1,
                       cmcEeprom::kImageSize - 1));
  for (const Reserved& r : kReserved)
    if (address <= r.last && address + count - 1 >= r.first)
      return Fail(Format("address %ld ", std::max(address, r.first)) + r.why);
  for (long a = address; a < address + count; ++a) {
    if (a < kPackStart || a == kMdcAliasCount || a == kMdcAliasCount + 1) continue;
    const bool packed = std::any_of(PackBlocks().begin(), PackBlocks().end(), [&](const indPackBlock& b) {
      const int elements = b.countFrom == indPackCount::Table ? b.packCount : b.unpackCount;
      return b.fixed >= 0 && IsPackedFor(b, modelType_) && a >= b.fixed && a < b.fixed + elements * b.elementSize;
    });
    if (!packed) return Fail(Format("address %ld is in no block packed for model type %ld", a, modelType_));
  }
  return true;
}

bool indInitialImageBuilder::BytesLine(const Tokens& tokens) {
  long address = 0;
  if (!NeedModelType()) return false;
  if (tokens.size() < 4 || !S::ParseNumber(tokens[1], address) || tokens[2] != "=")
    return Fail("expected 'byte ADDRESS = HEX...'");
  std::string hex;
  for (size_t i = 3; i < tokens.size(); ++i) hex += tokens[i];
  if (hex.size() % 2 != 0 || !std::all_of(hex.begin(), hex.end(), [](char c) { return S::HexDigit(c) >= 0; }))
    return Fail("expected pairs of hexadecimal digits after '='");
  const long count = static_cast<long>(hex.size() / 2);
  if (!CheckWritable(address, count)) return false;
  for (long i = 0; i < count; ++i)
    image_.SetByte(static_cast<int>(address + i),
                   static_cast<uint8_t>(S::HexDigit(hex[2 * i]) * 16 + S::HexDigit(hex[2 * i + 1])));
  return true;
}

bool indInitialImageBuilder::WordLine(const Tokens& tokens) {
  long address = 0, value = 0;
  if (!NeedModelType()) return false;
  if (tokens.size() != 4 || !S::ParseNumber(tokens[1], address) || tokens[2] != "=")
    return Fail("expected 'word ADDRESS = NUMBER'");
  if (!S::ParseNumber(tokens[3], value) || value > 0xFFFF) return Fail("a word holds a number 0-65535");
  if (!CheckWritable(address, 2)) return false;
  image_.SetWord(static_cast<int>(address), static_cast<int>(value));
  return true;
}

bool indInitialImageBuilder::TextLine(const Tokens& tokens) {
  long address = 0;
  if (!NeedModelType()) return false;
  if (tokens.size() != 3 || !S::ParseNumber(tokens[1], address) || !S::IsQuoted(tokens[2]))
    return Fail("expected 'text ADDRESS \"TEXT\"'");
  const std::string text = S::Unquoted(tokens[2]);
  if (text.empty() || !S::IsRadioText(text)) return Fail("a text holds one or more printable characters");
  if (!CheckWritable(address, static_cast<long>(text.size()))) return false;
  image_.WriteBlock(static_cast<int>(address), reinterpret_cast<const uint8_t*>(text.data()),
                    static_cast<int>(text.size()));
  return true;
}

bool indInitialImageBuilder::FillLine(const Tokens& tokens) {
  long address = 0, count = 0;
  if (!NeedModelType()) return false;
  if (tokens.size() != 5 || !S::ParseNumber(tokens[1], address) || !S::ParseNumber(tokens[2], count) ||
      tokens[3] != "=" || tokens[4].size() != 2 || S::HexDigit(tokens[4][0]) < 0 || S::HexDigit(tokens[4][1]) < 0)
    return Fail("expected 'fill ADDRESS COUNT = HEX' with one byte of two hexadecimal digits");
  if (!CheckWritable(address, count)) return false;
  const uint8_t value = static_cast<uint8_t>(S::HexDigit(tokens[4][0]) * 16 + S::HexDigit(tokens[4][1]));
  for (long i = 0; i < count; ++i) image_.SetByte(static_cast<int>(address + i), value);
  return true;
}

bool indInitialImageBuilder::BankLine(const Tokens& tokens) {
  long bank = 0;
  if (!NeedModelType()) return false;
  if (tokens.size() < 2 || !S::ParseNumber(tokens[1], bank) || bank >= kBanks)
    return Fail("expected 'bank B ...' with B 0-7");
  if (tokens.size() % 2 != 0) return Fail("'" + tokens.back() + "' has no value");
  datChBank banks(&image_);
  datCh rec(&image_);
  rec.Load(datChKind::kBank, static_cast<int>(bank));
  for (size_t i = 2; i < tokens.size(); i += 2) {
    const std::string& key = tokens[i];
    const std::string& value = tokens[i + 1];
    long n = 0;
    bool on = false;
    if (key == "name") {
      const std::string text = S::Unquoted(value);
      if (!S::IsQuoted(value) || text.size() > 8 || !S::IsRadioText(text))
        return Fail("a bank name is a quoted text of up to 8 characters");
      rec.name.fill(0);
      std::fill(rec.name.begin(), rec.name.begin() + 8, ' ');
      std::copy(text.begin(), text.end(), rec.name.begin());
    } else if (key == "channels") {
      if (!S::ParseNumber(value, n) || n > kChannelSlots) return Fail("a bank holds 0-128 channels");
      banks.SetBankCount(static_cast<int>(bank), static_cast<int>(n));
    } else if (key == "smartrunk") {
      if (!S::ParseSwitch(value, on)) return Fail("smartrunk expects on or off");
      banks.SetBankFlag(static_cast<int>(bank), on);
    } else {
      return Fail("unknown bank field '" + key + "' (name, channels, smartrunk)");
    }
  }
  rec.Store();
  lastBankLine_ = line_;
  return true;
}

bool indInitialImageBuilder::BlankNamesLine(const Tokens& tokens) {
  if (!NeedModelType()) return false;
  const NamedKind* named = nullptr;
  for (const NamedKind& k : kNamedKinds)
    if (tokens.size() == 2 && tokens[1] == k.word) named = &k;
  if (named == nullptr) {
    std::string words;
    for (const NamedKind& k : kNamedKinds) words += std::string(words.empty() ? "" : ", ") + k.word;
    return Fail("expected 'blank-names LIST' with LIST one of " + words);
  }
  const datChKindInfo& info = datChKindOf(named->kind);
  for (int r = 0; r < info.regionCount; ++r) {
    const datChRegion& g = info.regions[static_cast<size_t>(r)];
    if (!CheckWritable(g.base + g.stride * info.first, g.stride * (info.last - info.first) + g.size)) return false;
  }
  datCh rec(&image_);
  const size_t length = named->kind == datChKind::kDigStatus ? 16 : 8;
  const bool second = named->kind == datChKind::kMskStatus || named->kind == datChKind::kDigStatus;
  for (int n = info.first; n <= info.last; ++n) {
    rec.Load(named->kind, n);
    std::fill(rec.name.begin(), rec.name.begin() + static_cast<long>(length), ' ');
    if (second) std::fill(rec.name2.begin(), rec.name2.begin() + static_cast<long>(length), ' ');
    rec.Store();
  }
  return true;
}

bool indInitialImageBuilder::ApplyFields(datCh& ch, const Tokens& tokens, size_t first) {
  if ((tokens.size() - first) % 2 != 0) return Fail("'" + tokens.back() + "' has no value");
  for (size_t i = first; i < tokens.size(); i += 2) {
    if (!S::IsChannelField(tokens[i])) return Fail("unknown channel field '" + tokens[i] + "'");
    const std::string problem = S::SetChannelField(ch, tokens[i], tokens[i + 1]);
    if (!problem.empty()) return Fail("'" + tokens[i] + "' " + problem + ", not '" + tokens[i + 1] + "'");
  }
  return true;
}

bool indInitialImageBuilder::DefaultsLine(const Tokens& tokens) {
  if (!NeedModelType()) return false;
  if (!channelLines_.empty()) return Fail("channel defaults must come before the first channel line");
  for (size_t i = 1; i < tokens.size(); i += 2)
    if (tokens[i] == "rx" || tokens[i] == "tx" || tokens[i] == "name")
      return Fail("'" + tokens[i] + "' belongs to a channel, not to the defaults");
  datCh scratch(&image_);
  if (!ApplyFields(scratch, tokens, 1)) return false;
  defaults_.insert(defaults_.end(), tokens.begin() + 1, tokens.end());
  return true;
}

bool indInitialImageBuilder::ChannelLine(const Tokens& tokens) {
  long n = 0;
  if (!NeedModelType()) return false;
  if (tokens.size() < 2 || !S::ParseNumber(tokens[1], n) || n >= kChannelSlots)
    return Fail("expected 'channel N ...' with N 0-127");
  const auto seen = channelLines_.find(static_cast<int>(n));
  if (seen != channelLines_.end()) return Fail(Format("channel %ld is already described on line %ld", n, seen->second));
  datCh check(&image_);
  if (!ApplyFields(check, tokens, 2)) return false;
  channelLines_[static_cast<int>(n)] = line_;
  StoreChannel(static_cast<int>(n), Tokens(tokens.begin() + 2, tokens.end()));
  return true;
}

// A channel is its defaults and its own fields over a blank record: not in use, tones
// off, a blank name. The transmit frequency follows the receive one unless given.
void indInitialImageBuilder::StoreChannel(int n, const Tokens& own) {
  datCh ch(&image_);
  ch.Load(ChannelKindOf(modelType_), n);
  datCh blank(&image_);
  blank.kind = ch.kind;
  blank.index = n;
  blank.raw = ch.raw;
  blank.attr = ch.attr;
  blank.inUse = false;
  blank.toneR.on = blank.toneT.on = false;
  blank.chName.fill(' ');
  ApplyFields(blank, defaults_, 0);
  ApplyFields(blank, own, 0);
  if (!S::HasField(own, 0, "tx")) blank.freqT = blank.freqR;
  blank.inUse = blank.freqR != 0;
  blank.Store();
}

bool indInitialImageBuilder::Finish() {
  if (modelType_ < 0) return Fail("the description has no 'model-type' line");
  datChBank banks(&image_);
  const int total = banks.TotalChannels();
  line_ = lastBankLine_;
  if (total < kTemplateChannels)
    return Fail(
        Format("the banks hold %ld channels; an initial image needs at least %ld, the channels that new "
               "channels are copied from",
               total, kTemplateChannels));
  if (total > kChannelSlots) return Fail(Format("the banks hold %ld channels, more than %ld", total, kChannelSlots));
  for (const auto& [n, line] : channelLines_) {
    line_ = line;
    if (n >= total) return Fail(Format("channel %ld lies beyond the %ld channels of the banks", n, total));
  }
  for (int n = 0; n < kChannelSlots; ++n)
    if (!channelLines_.contains(n)) StoreChannel(n, {});

  // Channels that are not presets are numbered in channel order, those that may transmit
  // and those that may not each from 1, as saving numbers them.
  int transmitting = 0, receiveOnly = 0;
  datCh ch(&image_);
  for (int n = 0; n < kChannelSlots; ++n) {
    ch.Load(ChannelKindOf(modelType_), n);
    if (!ch.inUse || ch.preset) continue;
    ch.presetNo = 1 + (ch.inhT ? receiveOnly++ : transmitting++);
    ch.Store();
  }
  if (!CheckSharedExtensions(total)) return false;

  const int flagged = ModelTypeOfFlags(image_.GetByte(kModelTypeFlags));
  if (flagged != modelType_) {
    line_ = modelTypeLine_;
    return Fail(Format("the model type flags at %ld (0x%02lX) give model type %ld", kModelTypeFlags,
                       image_.GetByte(kModelTypeFlags), flagged));
  }
  PackImage(image_, modelType_);
  line_ = 0;
  return true;
}

// Unpacking an initial image gives every channel the extension of channel 0 (power,
// timers, signalling, preset number), so the channels of a new document differ only in
// their main records (frequencies, tones, name, mode, duplex, width). A channel whose
// extension differs would not be what the description says; only the numbers that
// saving gives channels that are not presets may differ.
bool indInitialImageBuilder::CheckSharedExtensions(int total) {
  datCh ch(&image_);
  for (int n = 1; n < total; ++n) {
    ch.Load(ChannelKindOf(modelType_), n);
    for (int i = 0; i < kChannelExtSize; ++i) {
      const uint8_t mask = (i == 5 && ch.inUse && !ch.preset) ? 0x80 : 0xFF;
      if (((image_.GetByte(kChannelExt + kChannelExtSize * n + i) ^ image_.GetByte(kChannelExt + i)) & mask) == 0)
        continue;
      const auto described = channelLines_.find(n);
      line_ = described == channelLines_.end() ? 0 : described->second;
      return Fail(
          Format("channel %ld differs from channel 0 in extension byte %ld; a new document gives every "
                 "channel the extension of channel 0 (power, timers, scan and signalling settings, preset, "
                 "duplex enable), so these must match",
                 n, i));
    }
  }
  return true;
}

int indInitialImageBuilder::FirstUnsavedAddress() const {
  // Open: the initial image is this file unpacked as a template; the working image is
  // that packed, with the file's radio area over it, unpacked and prepared. Save:
  // prepared again and packed.
  cmcEeprom file;
  file.SetSize(cmcEeprom::kImageSize);
  file.WriteBlock(0, image_.Data(), cmcEeprom::kEepromSize);
  cmcEeprom tmpl;
  tmpl.Assign(file);
  UnpackInitialImage(tmpl);
  cmcEeprom working;
  working.Assign(tmpl);
  PackImage(working, modelType_);
  working.WriteBlock(0, file.Data(), cmcEeprom::kEepromSize);
  UnpackImage(working);
  const indImagePreparer preparer(tmpl, modelType_);
  preparer.PrepareImage(working, indImagePreparer::kLoaded);
  preparer.PrepareImage(working, indImagePreparer::kSave);
  for (int a = 0; a < cmcEeprom::kEepromSize; ++a)
    if (working.GetByte(a) != file.GetByte(a)) return a;
  return -1;
}

int indInitialImageBuilder::DescribedAddressOf(int address) const {
  if (address < kPackStart) return address;
  const int entries = image_.GetWord(kDirHeader + 4);
  const int directory = image_.GetWord(kDirHeader + 6);
  for (int i = 0; i < entries; ++i) {
    const int at = directory + kDirEntrySize * i;
    const int size = image_.GetWord(at + 2);
    const int start = image_.GetWord(at + 6);
    const indPackBlock* block = FindPackBlock(image_.GetWord(at));
    if (block == nullptr || block->fixed < 0 || size == 0) continue;
    if (address < start || address >= start + size * image_.GetWord(at + 4)) continue;
    return block->fixed + (address - start) / size * block->elementSize + (address - start) % size;
  }
  return -1;
}

int indInitialImageBuilder::WriteCloneFile(const std::string& path) const {
  cmcEeprom image;
  image.Assign(image_);
  QuietPrompts prompts;
  cmcQclFile file(prompts, [](const std::string& key) { return key; });
  file.AttachImage(image);
  file.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
  file.SetComment(cmcQclFile::MakeSaveComment(image));
  file.SetMapRevision(1);
  return file.Write(path, cmcAddressRanges::EepromArea());
}
