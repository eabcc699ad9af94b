// End to end through the real serial path: rx93kit-radio serves a pseudo-terminal,
// rx93kit-cli (as a process, or in-process with --device) identifies, reads and writes
// it through the POSIX terminal backend at the line rate.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "cli/indCli.h"
#include "clone/cmcDemoRadio.h"
#include "clone/dst_CDrv_Result.h"
#include "image/cmcEeprom.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcLanguages.h"
#include "radio/ChildProcess.h"
#include "runtime/cmcScriptedPrompts.h"
#include "support/ProgramDir.h"
#include "support/Slurp.h"

namespace {

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// A radio process with the options; its device path once it is serving.
struct Radio {
  explicit Radio(const std::vector<std::string>& args) : process("rx93kit-radio", args), path(process.FirstLine()) {}
  ChildProcess process;
  std::string path;
};

class RadioPty : public ::testing::Test {
 protected:
  int Cli(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunCli(args, out_, err_, dir_.Dir());
  }
  // The memory area of a clone file, through the program's own reader.
  cmcEeprom ImageOf(const std::string& path) {
    cmcGTex mainOverlay, indexOverlay;
    cmcHelpGTex help;
    cmcLanguages(dir_.Dir(), indexOverlay, mainOverlay, help).Open(0);
    cmcScriptedPrompts quiet;
    cmcEeprom image;
    image.SetSize(cmcEeprom::kImageSize);
    EXPECT_EQ(cmcDemoRadio::ReadCloneFile(path, image, quiet, mainOverlay), 0) << path;
    return image;
  }
  // The first address of the memory area where the images differ, apart from skip; -1 for none.
  static int FirstDifference(const cmcEeprom& a, const cmcEeprom& b, int skip = -1) {
    for (int i = 0; i < cmcEeprom::kEepromSize; ++i)
      if (i != skip && a.GetByte(i) != b.GetByte(i)) return i;
    return -1;
  }

  ProgramDir dir_;
  std::ostringstream out_, err_;
};

TEST_F(RadioPty, InfoAsAProcess) {
  Radio radio({"--serial", "202312000042"});
  ASSERT_FALSE(radio.path.empty()) << radio.process.Stderr();
  ChildProcess cli("rx93kit-cli", {"info", "--device", radio.path});
  const std::string out = cli.AllOutput(30000);
  EXPECT_EQ(cli.WaitExit(30000), 0) << cli.Stderr();
  EXPECT_EQ(out,
            "model code: 3621\n"
            "sub-code: 0001\n"
            "serial number: 202312000042 (year 2023, month 12, number 000042)\n"
            "data revision: 1\n"
            "highest address: 7D7F\n"
            "clone password: none\n");
}

TEST_F(RadioPty, ReadWriteReadReturnsTheSameImage) {
  const std::string saved = dir_.Dir() + "radio-saved.qcl";
  Radio radio({"--type", "1", "--save", saved});
  ASSERT_FALSE(radio.path.empty()) << radio.process.Stderr();

  // A read saves exactly the file the radio was given: the initial images are in the
  // form Save writes.
  const std::string first = dir_.Dir() + "first.qcl";
  ASSERT_EQ(Cli({"read", "--device", radio.path, "-o", first}), 0) << err_.str();
  EXPECT_EQ(Slurp(first), Slurp(dir_.Dir() + "RX93PMR.qcl"));

  // The model check would only read the same memory again, at a quarter of the speed
  // (minutes); the in-process tests cover it.
  ASSERT_EQ(Cli({"write", first, "--device", radio.path, "--yes", "--high-speed", "off", "--no-model-check"}), 0)
      << err_.str();
  ASSERT_TRUE(Exists(saved)) << "saved before the write's end was answered";
  // The radio holds what was read, with its own data revision in place of the file's.
  const cmcEeprom written = ImageOf(saved);
  EXPECT_EQ(FirstDifference(written, ImageOf(first), 520), -1);
  EXPECT_EQ(written.GetByte(520), 1);

  const std::string second = dir_.Dir() + "second.qcl";
  ASSERT_EQ(Cli({"read", "--device", radio.path, "-o", second}), 0) << err_.str();
  EXPECT_EQ(Slurp(second), Slurp(first));
}

TEST_F(RadioPty, WriteSendsWhatTheAppWritesAndOnceEndsTheRadio) {
  // The radio holds an LMR image; the PMR file written over it replaces 0200 up to the
  // file's packed end, exactly as the demo radio in-process receives it.
  const std::string saved = dir_.Dir() + "radio-saved.qcl";
  Radio radio({"--type", "0", "--once", "--save", saved, "--data-revision", "0"});
  ASSERT_FALSE(radio.path.empty()) << radio.process.Stderr();
  const std::string file = dir_.Dir() + "RX93PMR.qcl";
  ASSERT_EQ(Cli({"write", file, "--device", radio.path, "--yes", "--no-model-check"}), 0) << err_.str();
  EXPECT_NE(err_.str().find("The data was written to the radio."), std::string::npos);
  EXPECT_EQ(radio.process.WaitExit(10000), 0) << "--once ends after the write";

  const std::string demoSaved = dir_.Dir() + "demo-saved.qcl";
  {
    // The same write against the demo radio, saved by the same routine.
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"write", file, "--simulated", "--yes", "--no-model-check"}, out, err, dir_.Dir()), 0)
        << err.str();
  }
  const cmcEeprom pty = ImageOf(saved);
  const cmcEeprom lmr = ImageOf(dir_.Dir() + "RX93LMR.qcl");
  const cmcEeprom pmr = ImageOf(file);
  EXPECT_EQ(pty.GetByte(520), 0) << "the radio's data revision";
  for (int a = 0; a < 0x200; ++a) ASSERT_EQ(pty.GetByte(a), lmr.GetByte(a)) << "the radio keeps " << a;
  const int end = (pmr.GetWord(530) & ~0x7F) + 127;
  for (int a = 0x200; a <= end; ++a)
    if (a != 520) {
      ASSERT_EQ(pty.GetByte(a), pmr.GetByte(a)) << "written " << a;
    }
  for (int a = end + 1; a < cmcEeprom::kEepromSize; ++a) ASSERT_EQ(pty.GetByte(a), lmr.GetByte(a)) << "kept " << a;
}

TEST_F(RadioPty, FaultsGiveTheirExitStatusAndLeaveTheFiles) {
  struct Case {
    const char* name;
    std::vector<std::string> radio;
    std::vector<std::string> cli;  // the command, then options after the device
    int status;
  };
  const std::string out = dir_.Dir() + "out.qcl";
  const std::string file = dir_.Dir() + "RX93PMR.qcl";
  const Case cases[] = {
      {"no answer", {"--fault", "no-answer"}, {"info"}, 5},
      {"foreign model code", {"--fault", "answer-model-code=1234"}, {"info"}, 11},
      {"information record of 77 bytes", {"--fault", "drop-byte=86"}, {"info"}, 11},
      {"information record not starting with 78", {"--fault", "corrupt-byte=9"}, {"info"}, 11},
      {"foreign sub-code", {"--sub-code", "0002"}, {"info"}, 11},
      {"newer radio", {"--data-revision", "2"}, {"info"}, 14},
      {"echoing cable", {"--echo"}, {"info"}, 0},
      {"corrupt data byte", {"--fault", "corrupt-byte=100"}, {"read", "-o", out}, 6},
      {"bad frame checksum", {"--fault", "bad-checksum-frame=3"}, {"read", "-o", out}, 6},
      {"lower-case hexadecimal", {"--fault", "lowercase-hex"}, {"read", "-o", out}, 6},
      {"silent during the read", {"--fault", "stop-after-frames=5"}, {"read", "-o", out}, 5},
      {"wrong frame count", {"--highest", "00FF", "--fault", "end-counter=wrong"}, {"read", "-o", out}, 7},
      {"no frame count", {"--highest", "00FF", "--fault", "end-counter=missing"}, {"read", "-o", out}, 6},
      {"header beyond the radio's memory", {"--highest", "00FF"}, {"read", "-o", out}, 15},
      {"wrong clone password", {"--password", "abc"}, {"read", "-o", out, "--password", "xyz"}, 5},
      {"no clone password given", {"--password", "abc"}, {"read", "-o", out}, 1},
      {"write refused", {"--fault", "refuse-write"}, {"write", file, "--yes", "--no-model-check"}, 6},
      {"bad end answer", {"--fault", "end-answer=EFEEE601"}, {"write", file, "--yes", "--no-model-check"}, 10},
      {"silent during the write", {"--fault", "stop-after-frames=3"}, {"write", file, "--yes", "--no-model-check"}, 5},
      {"not confirmed", {}, {"write", file, "--no-model-check"}, 1},
  };
  const std::string kept = "a file the failed read must not touch\n";
  for (const auto& c : cases) {
    const std::string saved = dir_.Dir() + "saved.qcl";
    std::filesystem::remove(saved);
    std::vector<std::string> radioArgs = c.radio;
    radioArgs.insert(radioArgs.end(), {"--save", saved});
    Radio radio(radioArgs);
    ASSERT_FALSE(radio.path.empty()) << c.name << radio.process.Stderr();
    std::vector<std::string> args = {c.cli[0], "--device", radio.path};
    args.insert(args.end(), c.cli.begin() + 1, c.cli.end());
    const bool read = c.cli[0] == "read";
    // Every other read starts with an output file in place.
    const bool existing = read && (&c - cases) % 2 == 0;
    std::filesystem::remove(out);
    if (existing) dir_.Write("out.qcl", kept);

    EXPECT_EQ(Cli(args), c.status) << c.name << "\n" << err_.str();
    if (c.status != 0) {
      EXPECT_NE(err_.str(), "") << c.name << ": a message says why";
    }
    if (read) {
      if (existing)
        EXPECT_EQ(Slurp(out), kept) << c.name;
      else
        EXPECT_FALSE(Exists(out)) << c.name;
    }
    // The end answer comes after the radio has stored the whole write.
    if (c.cli[0] == "write") {
      EXPECT_EQ(Exists(saved), c.status == dst_CDrv_Result::kBadEndAnswer) << c.name;
    }
  }
}

// A device another program holds (with the advisory lock serial programs take) is
// refused as in use, and the holder keeps it; once it lets go the exchange runs.
TEST_F(RadioPty, ADeviceInUseIsRefusedAndLeftAlone) {
  Radio radio({});
  ASSERT_FALSE(radio.path.empty()) << radio.process.Stderr();
  const int holder = ::open(radio.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(Cli({"info", "--device", radio.path}), 2);
  EXPECT_NE(err_.str().find("The serial device " + radio.path + " is in use by another program."), std::string::npos)
      << err_.str();
  ::close(holder);
  EXPECT_EQ(Cli({"info", "--device", radio.path}), 0) << err_.str();
}

TEST_F(RadioPty, AMissingDeviceIsExitStatus2) {
  EXPECT_EQ(Cli({"info", "--device", dir_.Dir() + "no-such-tty"}), 2);
  EXPECT_NE(err_.str().find("no-such-tty"), std::string::npos) << err_.str();
}

}  // namespace
