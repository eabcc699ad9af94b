#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "image/cmcEeprom.h"
#include "image/cmcModelCodes.h"
#include "image/cmcQclFile.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcScriptedPrompts.h"
#include "support/Slurp.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string Fixture(const std::string& name) { return std::string(RX93_TEST_DATA) + "/image/" + name; }

void Spit(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string ToCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// Every message text is the key in brackets, so tests read back which keys were shown.
std::string KeyText(const std::string& key) { return "[" + key + "]"; }

class QclFileTest : public ::testing::Test {
 protected:
  void SetUp() override { image_.SetSize(cmcEeprom::kImageSize); }

  std::string Path(const std::string& name) const { return temp_.Dir() + name; }

  // A reader set up as opening a file does: family model check and map revision check.
  cmcQclFile& Opener() {
    file_.AttachImage(image_);
    file_.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
    file_.SetModelCheck(
        [](int model, int subCode, int& code) { return cmcModelCodes().CheckModelCode(model, subCode, code); });
    file_.SetMapRevisionCheck(cmcModelCodes::CheckMapRevision);
    return file_;
  }

  // A writer set up as saving does.
  cmcQclFile& Saver(cmcEeprom& image) {
    file_.AttachImage(image);
    file_.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
    file_.SetMapRevision(1);
    return file_;
  }

  static void FillRandom(cmcEeprom& image, unsigned seed) {
    std::mt19937 rng(seed);
    for (int a = 0; a < image.GetSize(); ++a) image.SetByte(a, static_cast<uint8_t>(rng()));
  }

  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(temp_.Dir())) names.push_back(e.path().filename().string());
    return names;
  }

  TempDir temp_;
  cmcEeprom image_;
  cmcScriptedPrompts prompts_;
  cmcQclFile file_{prompts_, KeyText};
};

// --- Reading small files ---------------------------------------------------------------------

struct ReadCase {
  const char* fixture;
  bool eeprom_coverage;  // read with the 0000-7D7F list instead of none
  int code;
};

class QclFileReadTable : public QclFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(QclFileReadTable, SameCodeForLfAndCrLf) {
  const ReadCase& c = GetParam();
  const cmcAddressRanges area = cmcAddressRanges::EepromArea();
  const std::string lf = Slurp(Fixture(c.fixture));
  Spit(Path("crlf.qcl"), ToCrLf(lf));
  for (const std::string& path : {Fixture(c.fixture), Path("crlf.qcl")}) {
    image_.Fill(0x33);
    cmcEeprom before;
    before.Assign(image_);
    cmcQclFile& file = Opener();
    EXPECT_EQ(file.Read(path, c.eeprom_coverage ? &area : nullptr), c.code) << path;
    if (c.code != cmcQclFile::kOk) {
      EXPECT_TRUE(image_.Equals(before)) << "a failed read must not touch the image";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, QclFileReadTable,
    ::testing::Values(ReadCase{"header_with_letter.qcl", false, 6},
                      ReadCase{"header_with_trailing_blank.qcl", false, 6},
                      ReadCase{"header_seven_digits.qcl", false, 6}, ReadCase{"empty.qcl", false, 6},
                      ReadCase{"no_map_revision.qcl", false, 0}, ReadCase{"map_revision_2.qcl", false, 5},
                      ReadCase{"map_revision_without_digits.qcl", false, 0},
                      ReadCase{"map_revision_overflows.qcl", false, 5}, ReadCase{"last_line_without_end.qcl", false, 6},
                      ReadCase{"lowercase_data.qcl", false, 0}, ReadCase{"byte_past_eeprom_area.qcl", false, 0},
                      ReadCase{"byte_past_eeprom_area.qcl", true, 8}, ReadCase{"alternate_model.qcl", false, 0},
                      ReadCase{"foreign_model.qcl", false, 3}, ReadCase{"foreign_sub_code.qcl", false, 4},
                      ReadCase{"blank_line_in_data.qcl", false, 6}, ReadCase{"count_longer_than_line.qcl", false, 6},
                      ReadCase{"letter_g_in_data.qcl", false, 6}, ReadCase{"address_past_image.qcl", false, 8},
                      ReadCase{"long_comment_tail_looks_like_data.qcl", false, 0},
                      ReadCase{"nul_first_in_line.qcl", false, 0}),
    [](const auto& info) {
      std::string name = fs::path(info.param.fixture).stem().string() + (info.param.eeprom_coverage ? "_covered" : "");
      return name;
    });

TEST_F(QclFileTest, StoredBytesAndRevisionOfGoodFiles) {
  struct Case {
    const char* fixture;
    int address;
    std::vector<uint8_t> bytes;
    int mapRevision;
  };
  const Case cases[] = {
      {"no_map_revision.qcl", 0, {0x5A, 0xA5}, -1},
      {"lowercase_data.qcl", 0, {0xAB, 0xCD}, 1},
      {"later_line_overwrites.qcl", 0, {0x11, 0xA5}, 1},
      {"byte_past_eeprom_area.qcl", 0x7D7F, {0xAA, 0xBB}, 1},
      {"long_comment_tail_looks_like_data.qcl", 0, {0x5A, 0xA5}, 1},
      {"nul_first_in_line.qcl", 0, {0x5A, 0xA5}, 1},
  };
  for (const Case& c : cases) {
    image_.Fill(0);
    cmcQclFile file(prompts_, KeyText);
    file.AttachImage(image_);
    file.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
    file.SetMapRevisionCheck(cmcModelCodes::CheckMapRevision);
    ASSERT_EQ(file.Read(Fixture(c.fixture), nullptr), 0) << c.fixture;
    for (size_t i = 0; i < c.bytes.size(); ++i) {
      EXPECT_EQ(image_.GetByte(c.address + static_cast<int>(i)), c.bytes[i]) << c.fixture << " byte " << i;
      EXPECT_TRUE(file.IsLoaded(c.address + static_cast<int>(i))) << c.fixture;
    }
    EXPECT_FALSE(file.IsLoaded(c.address + static_cast<int>(c.bytes.size()))) << c.fixture;
    EXPECT_EQ(file.GetMapRevision(), c.mapRevision) << c.fixture;
  }
  EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(QclFileTest, MapRevisionFailsBeforeAnyDataIsStored) {
  cmcQclFile& file = Opener();
  EXPECT_EQ(file.Read(Fixture("map_revision_2.qcl"), nullptr), cmcQclFile::kMapRevError);
  EXPECT_EQ(file.GetMapRevision(), 2);
  EXPECT_FALSE(file.IsLoaded(0));
}

TEST_F(QclFileTest, DataWithoutAMapRevisionCheckFails) {
  file_.AttachImage(image_);
  file_.SetModelCodes(cmcModelCodes::kMainModel, cmcModelCodes::kSubCode);
  EXPECT_EQ(file_.Read(Fixture("no_map_revision.qcl"), nullptr), cmcQclFile::kMapRevError);
}

TEST_F(QclFileTest, ModelCheckCallbackDecidesTheCode) {
  struct Case {
    const char* name;
    bool accept;
    int written;  // -1: the callback leaves the code alone
    int expected;
  };
  const Case cases[] = {
      {"accepts", true, -1, 0},
      {"rejects as newer", false, 9, 9},
      {"rejects without writing", false, -1, 3},
      {"rejects writing zero", false, 0, 3},
  };
  for (const Case& c : cases) {
    int seenModel = 0, seenSub = 0;
    cmcQclFile file(prompts_, KeyText);
    file.AttachImage(image_);
    file.SetMapRevisionCheck(cmcModelCodes::CheckMapRevision);
    file.SetModelCheck([&](int model, int subCode, int& code) {
      seenModel = model;
      seenSub = subCode;
      if (c.written >= 0) code = c.written;
      return c.accept;
    });
    EXPECT_EQ(file.Read(Fixture("alternate_model.qcl"), nullptr), c.expected) << c.name;
    EXPECT_EQ(seenModel, 0x2926) << c.name;
    EXPECT_EQ(seenSub, 0x0100) << c.name;
  }
}

// --- Coverage ---------------------------------------------------------------------------------

TEST_F(QclFileTest, OneMissingByteFailsCoverageAndKeepsTheImage) {
  cmcEeprom source;
  source.SetSize(cmcEeprom::kImageSize);
  FillRandom(source, 7);
  ASSERT_EQ(Saver(source).Write(Path("full.qcl"), cmcAddressRanges::EepromArea()), 0);
  // Drop byte 0x1234 by shortening its line: 1230 10 ... -> 1230 04 + 1235 0B.
  std::string text = Slurp(Path("full.qcl"));
  const size_t at = text.find("\n123010");
  ASSERT_NE(at, std::string::npos);
  const std::string line = text.substr(at + 1, 38);
  const std::string split = "123004" + line.substr(6, 8) + "\n12350B" + line.substr(16);
  text.replace(at + 1, 38, split);
  Spit(Path("missing_one_byte.qcl"), text);

  FillRandom(image_, 99);
  cmcEeprom before;
  before.Assign(image_);
  const cmcAddressRanges area = cmcAddressRanges::EepromArea();
  cmcQclFile& file = Opener();
  EXPECT_EQ(file.Read(Path("missing_one_byte.qcl"), &area), cmcQclFile::kCoverageError);
  EXPECT_TRUE(image_.Equals(before));
  EXPECT_FALSE(file.IsLoaded(0x1234));
  EXPECT_TRUE(file.IsLoaded(0x1233));
  EXPECT_TRUE(file.IsLoaded(0x1235));
}

TEST_F(QclFileTest, CheckCoverageAgainstTheLoadedAddresses) {
  // lowercase_data.qcl loads 0000-0001.
  struct Case {
    const char* name;
    cmcAddressRanges ranges;
    int code;
  };
  const Case cases[] = {
      {"exact", {{0, 1}}, 0},
      {"exact in two pairs", {{0, 0}, {1, 1}}, 0},
      {"one more required", {{0, 2}}, 7},
      {"one fewer required", {{0, 0}}, 8},
      {"disjoint", {{5, 9}}, 8},
      {"pairs after the terminator are ignored", {{0, 1}, {1, 0}, {2, 9}}, 0},
      {"an invalid address ends the list", {{0, 1}, {0, cmcEeprom::kImageSize}, {2, 9}}, 0},
      {"nothing required", {}, 8},
  };
  cmcQclFile& file = Opener();
  ASSERT_EQ(file.Read(Fixture("lowercase_data.qcl"), nullptr), 0);
  for (const Case& c : cases) EXPECT_EQ(file.CheckCoverage(c.ranges), c.code) << c.name;
}

TEST_F(QclFileTest, AttachRequiresTheWholeImage) {
  cmcEeprom small;
  small.SetSize(13);
  file_.AttachImage(small);
  EXPECT_EQ(file_.RequiredBitmap(), (std::vector<uint8_t>{0xFF, 0x1F}));
  EXPECT_EQ(file_.LoadedBitmap(), (std::vector<uint8_t>{0x00, 0x00}));
}

// --- Writing ----------------------------------------------------------------------------------

TEST_F(QclFileTest, PartialRangeBreaksAtSixteenByteBoundaries) {
  for (int a = 0; a < 0x30; ++a) image_.SetByte(a, static_cast<uint8_t>(a));
  cmcQclFile& file = Saver(image_);
  file.SetComment("x");
  ASSERT_EQ(file.Write(Path("part.qcl"), {{0x05, 0x25}}), 0);
  EXPECT_EQ(Slurp(Path("part.qcl")),
            "36210001\n#Comment=x\n#MapRev=1\n"
            "00050B05060708090A0B0C0D0E0F\n"
            "001010101112131415161718191A1B1C1D1E1F\n"
            "002006202122232425\n");
}

TEST_F(QclFileTest, FullSaveLayout) {
  image_.SetByte(0x10, 0xAB);
  image_.SetByte(0x7D7F, 0xC3);
  cmcQclFile& file = Saver(image_);
  file.SetComment("ABCD");
  ASSERT_EQ(file.Write(Path("full.qcl"), cmcAddressRanges::EepromArea()), 0);
  const std::vector<std::string> lines = Lines(Slurp(Path("full.qcl")));
  ASSERT_EQ(lines.size(), 3u + 2008u);
  EXPECT_EQ(lines[0], "36210001");
  EXPECT_EQ(lines[1], "#Comment=ABCD");
  EXPECT_EQ(lines[2], "#MapRev=1");
  EXPECT_EQ(lines[3], "000010" + std::string(32, '0'));
  EXPECT_EQ(lines[4].substr(0, 8), "001010AB");
  EXPECT_EQ(lines.back(), "7D7010" + std::string(30, '0') + "C3");
  for (size_t i = 3; i < lines.size(); ++i) ASSERT_EQ(lines[i].size(), 38u) << "line " << i;
  EXPECT_EQ(Slurp(Path("full.qcl")).find('\r'), std::string::npos);
}

TEST_F(QclFileTest, WriteStopsAtTheTerminatorOrAnInvalidPair) {
  struct Case {
    const char* name;
    cmcAddressRanges ranges;
    size_t dataLines;
  };
  const Case cases[] = {
      {"terminator", {{0, 0xF}, {1, 0}, {0x20, 0x2F}}, 1},
      {"end past the image", {{0, 0xF}, {0x10, cmcEeprom::kImageSize}, {0x20, 0x2F}}, 1},
      {"negative start", {{-1, 0xF}, {0x20, 0x2F}}, 0},
      {"last byte of the image", {{cmcEeprom::kImageSize - 1, cmcEeprom::kImageSize - 1}}, 1},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Saver(image_).Write(Path("r.qcl"), c.ranges), 0) << c.name;
    EXPECT_EQ(Lines(Slurp(Path("r.qcl"))).size(), 3 + c.dataLines) << c.name;
  }
}

TEST_F(QclFileTest, RoundTripAndCrLfCopyReadAlike) {
  cmcEeprom source;
  source.SetSize(cmcEeprom::kImageSize);
  FillRandom(source, 1);
  ASSERT_EQ(Saver(source).Write(Path("lf.qcl"), cmcAddressRanges::EepromArea()), 0);
  Spit(Path("crlf.qcl"), ToCrLf(Slurp(Path("lf.qcl"))));
  const cmcAddressRanges area = cmcAddressRanges::EepromArea();
  for (const char* name : {"lf.qcl", "crlf.qcl"}) {
    image_.Fill(0);
    cmcQclFile& file = Opener();
    ASSERT_EQ(file.Read(Path(name), &area), 0) << name;
    EXPECT_EQ(std::vector<uint8_t>(image_.Data(), image_.Data() + cmcEeprom::kEepromSize),
              std::vector<uint8_t>(source.Data(), source.Data() + cmcEeprom::kEepromSize))
        << name;
    EXPECT_EQ(image_.GetByte(cmcEeprom::kEepromSize), 0) << "program-side data is not in the file";
    EXPECT_EQ(file.GetMapRevision(), 1);
  }
}

TEST_F(QclFileTest, CommentLineEndsBecomeBlanks) {
  cmcQclFile& file = Saver(image_);
  file.SetComment("one\ntwo\r");
  ASSERT_EQ(file.Write(Path("c.qcl"), {{0, 0}}), 0);
  EXPECT_EQ(Lines(Slurp(Path("c.qcl")))[1], "#Comment=one two ");
}

TEST_F(QclFileTest, InterruptedSaveKeepsThePreviousFile) {
  const std::string previous = "the previous clone file\n";
  const std::string fullSize = [&] {
    ::unlink(Path("probe.qcl").c_str());
    EXPECT_EQ(Saver(image_).Write(Path("probe.qcl"), cmcAddressRanges::EepromArea()), 0);
    const std::string s = Slurp(Path("probe.qcl"));
    ::unlink(Path("probe.qcl").c_str());
    return s;
  }();
  const long long size = static_cast<long long>(fullSize.size());
  for (long long failAfter : {0LL, 5LL, 20LL, 65536LL, size - 1}) {
    Spit(Path("target.qcl"), previous);
    prompts_.asked.clear();
    cmcQclFile& file = Saver(image_);
    file.SetWriteFailureAfter(failAfter);
    EXPECT_EQ(file.Write(Path("target.qcl"), cmcAddressRanges::EepromArea()), cmcQclFile::kAccessError)
        << "after " << failAfter;
    EXPECT_EQ(Slurp(Path("target.qcl")), previous) << "after " << failAfter;
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"target.qcl"}) << "after " << failAfter;
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].text, "[GI_Mess_FileErr_Headline]\n\n[GI_Mess_FileErr_FileAccess]\n" +
                                          Path("target.qcl") + ": Input/output error");
  }
  // A budget of exactly the file's size is enough.
  cmcQclFile& file = Saver(image_);
  file.SetWriteFailureAfter(size);
  EXPECT_EQ(file.Write(Path("target.qcl"), cmcAddressRanges::EepromArea()), 0);
  EXPECT_EQ(Slurp(Path("target.qcl")), fullSize);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"target.qcl"});
}

TEST_F(QclFileTest, SaveKeepsTheTargetsPermissionsAndFollowsLinks) {
  Spit(Path("kept.qcl"), "old\n");
  ASSERT_EQ(::chmod(Path("kept.qcl").c_str(), 0640), 0);
  ASSERT_EQ(Saver(image_).Write(Path("kept.qcl"), {{0, 0}}), 0);
  struct stat st;
  ASSERT_EQ(::stat(Path("kept.qcl").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  const mode_t mask = ::umask(022);
  ASSERT_EQ(Saver(image_).Write(Path("new.qcl"), {{0, 0}}), 0);
  ::umask(mask);
  ASSERT_EQ(::stat(Path("new.qcl").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);

  fs::create_symlink("kept.qcl", Path("link.qcl"));
  image_.SetByte(0, 0x7E);
  ASSERT_EQ(Saver(image_).Write(Path("link.qcl"), {{0, 0}}), 0);
  EXPECT_TRUE(fs::is_symlink(Path("link.qcl")));
  EXPECT_EQ(Lines(Slurp(Path("kept.qcl"))).back(), "0000017E");
}

TEST_F(QclFileTest, OpenFailures) {
  fs::create_directory(Path("folder.qcl"));
  EXPECT_EQ(Saver(image_).Write(Path("no/such/folder.qcl"), {{0, 0}}), cmcQclFile::kOpenError);
  EXPECT_EQ(Saver(image_).Write(Path("folder.qcl"), {{0, 0}}), cmcQclFile::kOpenError);
  EXPECT_EQ(Opener().Read(Path("absent.qcl"), nullptr), cmcQclFile::kOpenError);
  EXPECT_EQ(Opener().Read(Path("folder.qcl"), nullptr), cmcQclFile::kOpenError);
  if (::geteuid() != 0) {
    Spit(Path("readonly.qcl"), "keep\n");
    ::chmod(Path("readonly.qcl").c_str(), 0444);
    EXPECT_EQ(Saver(image_).Write(Path("readonly.qcl"), {{0, 0}}), cmcQclFile::kOpenError);
    EXPECT_EQ(Slurp(Path("readonly.qcl")), "keep\n");
  }
  EXPECT_EQ(FolderEntries().size(), ::geteuid() != 0 ? 2u : 1u) << "no temporary file is left behind";
}

// The check before a long read finds what a save would find, and leaves nothing behind.
TEST_F(QclFileTest, CheckWritableAsASaveWould) {
  fs::create_directory(Path("folder.qcl"));
  EXPECT_EQ(Saver(image_).CheckWritable(Path("new.qcl")), 0);
  EXPECT_EQ(Saver(image_).CheckWritable(Path("no/such/folder.qcl")), cmcQclFile::kOpenError);
  EXPECT_EQ(file_.FailureDetail(), Path("no/such/folder.qcl") + ": No such file or directory");
  EXPECT_EQ(Saver(image_).CheckWritable(Path("folder.qcl")), cmcQclFile::kOpenError);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"folder.qcl"});
  ASSERT_EQ(prompts_.asked.size(), 2u) << "each refusal is shown";
}

// --- Messages and the save comment ------------------------------------------------------------

TEST_F(QclFileTest, ShowFileErrorTexts) {
  const char* keys[] = {"FileOpen", "FileAccess", "Model", "Extra", "MapRev", "Format", "Coverage", "Data", "Newer"};
  for (int code = 1; code <= 9; ++code) {
    prompts_.asked.clear();
    file_.ShowFileError(code);
    ASSERT_EQ(prompts_.asked.size(), 1u) << code;
    const auto& box = prompts_.asked[0];
    EXPECT_EQ(box.icon, cmcPromptIcon::Warning);
    EXPECT_EQ(box.buttons, cmcPromptButtons::Ok);
    EXPECT_EQ(box.caption, "[GI_Sys_AppTitle]");
    EXPECT_EQ(box.text, std::string("[GI_Mess_FileErr_Headline]\n\n[GI_Mess_FileErr_") + keys[code - 1] + "]");
  }
  prompts_.asked.clear();
  for (int code : {0, -1, 10, 1000}) file_.ShowFileError(code);
  EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(QclFileTest, MessageTextsFromTheOverlay) {
  const std::vector<std::string> lines = {"#GI_Sys_AppTitle",
                                          "Title",
                                          "#GI_Mess_FileErr_Headline",
                                          "Cannot use the file.",
                                          "#GI_Mess_FileErr_Coverage",
                                          "Missing",
                                          "#End_Of_Ovl"};
  cmcGTex overlay;
  overlay.SetLines(lines);
  cmcQclFile file(prompts_, overlay);
  file.ShowFileError(cmcQclFile::kCoverageError);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_EQ(prompts_.asked[0].caption, "Title");
  EXPECT_EQ(prompts_.asked[0].text, "Cannot use the file.\n\nMissing");
}

TEST_F(QclFileTest, ShippedOverlayHoldsEveryMessage) {
  cmcGTex overlay;
  overlay.SetFile(std::string(RX93_BIN_DIR) + "/RX93KITD_ENG.OVL");
  cmcQclFile file(prompts_, overlay);
  for (int code = 1; code <= 9; ++code) file.ShowFileError(code);  // a missing key would end the process
  ASSERT_EQ(prompts_.asked.size(), 9u);
  EXPECT_EQ(prompts_.asked[0].caption, "RX-93KIT Dealer");
}

TEST_F(QclFileTest, ReadShowsItsFailure) {
  EXPECT_EQ(Opener().Read(Fixture("header_with_letter.qcl"), nullptr), cmcQclFile::kFormatError);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_EQ(prompts_.asked[0].text, "[GI_Mess_FileErr_Headline]\n\n[GI_Mess_FileErr_Format]\n" +
                                        Fixture("header_with_letter.qcl") + ", line 1");
}

// The message after the keyed text names the file and the system's reason, or the line
// where reading stopped; the result codes are those of the keyed texts.
TEST_F(QclFileTest, FailuresNameTheFileAndTheReason) {
  fs::create_directory(Path("folder.qcl"));
  Spit(Path("readonly.qcl"), "keep\n");
  ::chmod(Path("readonly.qcl").c_str(), 0444);
  struct Case {
    const char* what;
    bool write;
    std::string path;
    int code;
    std::string detail;  // after the path
  };
  const std::vector<Case> cases = {
      {"a missing file", false, Path("absent.qcl"), 1, ": No such file or directory"},
      {"a folder opened", false, Path("folder.qcl"), 1, ": Is a directory"},
      {"a folder saved over", true, Path("folder.qcl"), 1, ": Is a directory"},
      {"a missing folder", true, Path("no/such/folder.qcl"), 1, ": No such file or directory"},
      {"a bad data line", false, Fixture("letter_g_in_data.qcl"), 6, ", line 4"},
      {"an address past the image", false, Fixture("address_past_image.qcl"), 8, ", line 4"},
      {"a bad header", false, Fixture("header_seven_digits.qcl"), 6, ", line 1"},
      {"a foreign model", false, Fixture("foreign_model.qcl"), 3, ""},
  };
  for (const auto& c : cases) {
    prompts_.asked.clear();
    const int code = c.write ? Saver(image_).Write(c.path, {{0, 0}}) : Opener().Read(c.path, nullptr);
    EXPECT_EQ(code, c.code) << c.what;
    ASSERT_EQ(prompts_.asked.size(), 1u) << c.what;
    const std::string& text = prompts_.asked[0].text;
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), c.path + c.detail) << c.what;
  }
  if (::geteuid() != 0) {
    prompts_.asked.clear();
    EXPECT_EQ(Saver(image_).Write(Path("readonly.qcl"), {{0, 0}}), cmcQclFile::kOpenError);
    EXPECT_EQ(file_.FailureDetail(), Path("readonly.qcl") + ": Permission denied");
  }
}

TEST(cmcQclFileComment, SaveCommentFromTheTwoFields) {
  struct Case {
    const char* name;
    std::string field1, field2, comment;
  };
  const Case cases[] = {
      {"no blank between the parts", "AB" + std::string(14, ' '), "CD" + std::string(14, ' '), "ABCD"},
      {"inner and leading blanks stay", " A B" + std::string(12, ' '), "C D" + std::string(13, ' '), " A BC D"},
      {"non-printables become blanks", std::string("A\x01\x7F") + "B" + std::string(12, '\0'),
       std::string(15, '\xFF') + "Z", "A  B" + std::string(15, ' ') + "Z"},
      {"both full", std::string(16, 'x'), std::string(16, 'y'), std::string(16, 'x') + std::string(16, 'y')},
      {"both empty", std::string(16, '\0'), std::string(16, ' '), ""},
  };
  for (const Case& c : cases) {
    cmcEeprom image;
    image.SetSize(cmcEeprom::kImageSize);
    image.WriteBlock(0xA10E, reinterpret_cast<const uint8_t*>(c.field1.data()), 16);
    image.WriteBlock(0xA11E, reinterpret_cast<const uint8_t*>(c.field2.data()), 16);
    EXPECT_EQ(cmcQclFile::MakeSaveComment(image), c.comment) << c.name;
  }
}

TEST(cmcQclFileDeathTest, ReadWithoutAnImageIsFatal) {
  cmcScriptedPrompts prompts;
  cmcQclFile file(prompts, KeyText);
  EXPECT_EXIT(file.Read("/dev/null", nullptr), ::testing::ExitedWithCode(3), "No image attached");
}

}  // namespace
