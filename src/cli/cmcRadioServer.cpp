#include "cli/cmcRadioServer.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "cli/indCli.h"
#include "clone/cmcDemoRadio.h"
#include "clone/cmcPtyRadio.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcLanguages.h"
#include "overlay/cmcTextUtil.h"
#include "runtime/cmcEventLoop.h"
#include "runtime/cmcStreamPrompts.h"

namespace {

constexpr char kUsage[] =
    "usage: rx93kit-radio [OPTIONS]\n"
    "\n"
    "A simulated radio on a pseudo-terminal: prints the device path to open, then answers\n"
    "identifications, reads and writes at the line rate until it is stopped.\n"
    "\n"
    "options:\n"
    "  --type N                serve the initial image of model type N (0-3, default 1)\n"
    "  --image FILE            serve the memory of a clone file instead\n"
    "  --model-code HEX        the model code the radio answers with (default 3621)\n"
    "  --sub-code HEX          its sub-code (default 0001)\n"
    "  --data-revision N       its data revision (default 1)\n"
    "  --highest HEX           the highest address it reports and reads up to (default 7D7F)\n"
    "  --serial TEXT           its serial number: 12 characters, year, month, running number\n"
    "  --echo                  the cable echoes every byte sent to the radio\n"
    "  --password TEXT         the radio is protected by this clone password\n"
    "  --password-not-enforced the radio reports its password but does not enforce it\n"
    "  --fault NAME[=VALUE]    inject a fault (repeatable):\n"
    "                            no-answer, drop-byte=N, corrupt-byte=N, bad-checksum-frame=N,\n"
    "                            lowercase-hex, stop-after-frames=N, answer-model-code=HEX,\n"
    "                            end-counter=missing|wrong, refuse-write, end-answer=HEX\n"
    "                          (byte N counts the radio's own bytes from 0, frame N the\n"
    "                          data frames of a read or a write from 0)\n"
    "  --save FILE             save the radio's memory as a clone file after each write\n"
    "  --once                  end after one read or write, once the port is closed\n"
    "  --stats                 print the bytes and line time of each exchange on stderr, and\n"
    "                          of its data phase (from the read or write request on)\n"
    "  --help                  show this text\n";

bool ParseInt(const std::string& text, int base, int& value) {
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, base);
  if (text.empty() || *end != '\0' || n < 0 || n > 0xFFFFFF) return false;
  value = static_cast<int>(n);
  return true;
}

void ParseFault(const std::string& fault, cmcSimRadio::Faults& f, std::string& problem) {
  const size_t eq = fault.find('=');
  const std::string name = fault.substr(0, eq);
  const std::string value = eq == std::string::npos ? std::string() : fault.substr(eq + 1);
  int n = 0;
  const bool decimal = ParseInt(value, 10, n);
  const bool hex = ParseInt(value, 16, n) || decimal;
  bool ok = true;
  if (name == "no-answer") {
    f.noAnswer = true;
  } else if (name == "lowercase-hex") {
    f.lowercaseHex = true;
  } else if (name == "refuse-write") {
    f.refuseWrite = true;
  } else if (name == "drop-byte" && decimal) {
    ParseInt(value, 10, f.dropByte);
  } else if (name == "corrupt-byte" && decimal) {
    ParseInt(value, 10, f.corruptByte);
  } else if (name == "bad-checksum-frame" && decimal) {
    ParseInt(value, 10, f.badChecksumFrame);
  } else if (name == "stop-after-frames" && decimal) {
    ParseInt(value, 10, f.stopAfterFrames);
  } else if (name == "answer-model-code" && hex) {
    ParseInt(value, 16, f.answerModelCode);
  } else if (name == "end-counter" && (value == "missing" || value == "wrong")) {
    f.endCounter = value == "missing" ? cmcSimRadio::EndCounter::Missing : cmcSimRadio::EndCounter::Wrong;
  } else if (name == "end-answer" && !value.empty()) {
    f.endAnswer = cmcHexToBytes(value);
  } else {
    ok = false;
  }
  if (!ok && problem.empty()) problem = "unknown fault '" + fault + "'";
}

struct Served {
  int infos = 0;
  int reads = 0;
  int writes = 0;
  int dataPhases = 0;
};

}  // namespace

const char* cmcRadioServer::Usage() { return kUsage; }

cmcRadioServer::Options cmcRadioServer::Parse(const std::vector<std::string>& args) {
  Options o;
  auto fail = [&o](const std::string& problem) {
    if (o.problem.empty()) o.problem = problem;
  };
  static const char* const kWithValue[] = {"--type",    "--image",    "--model-code", "--sub-code", "--data-revision",
                                           "--highest", "--password", "--fault",      "--save",     "--serial"};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool takesValue = false;
    for (const char* name : kWithValue) takesValue = takesValue || a == name;
    if (takesValue && i + 1 >= args.size()) {
      fail(a + " needs a value");
      break;
    }
    const std::string value = takesValue ? args[++i] : std::string();
    int n = 0;
    if (a == "--type") {
      if (!ParseInt(value, 10, o.modelType) || o.modelType > 3) fail("--type takes 0 to 3");
    } else if (a == "--image") {
      o.image = value;
    } else if (a == "--model-code") {
      if (!ParseInt(value, 16, o.identity.modelCode) || o.identity.modelCode > 0xFFFF) fail("--model-code takes HEX");
    } else if (a == "--sub-code") {
      if (!ParseInt(value, 16, o.identity.subCode) || o.identity.subCode > 0xFFFF) fail("--sub-code takes HEX");
    } else if (a == "--data-revision") {
      if (!ParseInt(value, 10, n) || n > 255) fail("--data-revision takes 0 to 255");
      o.identity.dataRevision = static_cast<uint8_t>(n);
    } else if (a == "--highest") {
      if (!ParseInt(value, 16, o.identity.highestAddress) || o.identity.highestAddress > 0xFFFF)
        fail("--highest takes HEX");
    } else if (a == "--serial") {
      if (value.size() != 12) fail("--serial takes 12 characters");
      o.identity.serial = value;
    } else if (a == "--password") {
      if (value.empty() || value.size() > 16) fail("--password takes 1 to 16 characters");
      o.password = value;
    } else if (a == "--fault") {
      std::string problem;
      ParseFault(value, o.faults, problem);
      if (!problem.empty()) fail(problem);
    } else if (a == "--save") {
      o.save = value;
    } else if (a == "--echo") {
      o.echo = true;
    } else if (a == "--password-not-enforced") {
      o.passwordNotEnforced = true;
    } else if (a == "--once") {
      o.once = true;
    } else if (a == "--stats") {
      o.stats = true;
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else {
      fail("unknown argument '" + a + "'");
    }
  }
  return o;
}

int cmcRadioServer::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const std::string& exeDir, const volatile std::sig_atomic_t& stop) {
  const Options o = Parse(args);
  if (o.help) {
    out << kUsage;
    return 0;
  }
  if (!o.problem.empty()) {
    err << "rx93kit-radio: " << o.problem << "\n" << kUsage;
    return kCliUsageError;
  }

  cmcGTex mainOverlay;
  cmcGTex indexOverlay;
  cmcHelpGTex helpOverlay;
  cmcLanguages languages(exeDir, indexOverlay, mainOverlay, helpOverlay);
  languages.Open(0);
  cmcStreamPrompts prompts(err, false);
  cmcEventLoop loop;
  cmcDemoRadio demo(loop);
  cmcSimRadio& radio = demo.Radio();

  const int loaded = o.image.empty() ? demo.LoadInitialImage(exeDir, o.modelType, prompts, mainOverlay)
                                     : demo.LoadImage(o.image, prompts, mainOverlay);
  if (loaded != 0) return kExitNoImage;
  radio.GetIdentity() = o.identity;
  radio.GetFaults() = o.faults;
  // A read sends the memory up to the highest address the radio reports.
  radio.SetReadRanges(cmcAddressRanges{{0, (o.identity.highestAddress & ~0xF) + 15}});
  if (o.echo) radio.SetEcho(cmcSimRadio::Echo::All);
  if (o.password) {
    radio.SetPassword(*o.password);
    radio.GetIdentity().flags |= cmcSimRadio::kFlagPassword;
  }
  if (o.passwordNotEnforced) radio.GetIdentity().flags |= cmcSimRadio::kFlagPassword | cmcSimRadio::kFlagNotEnforced;

  cmcPtyRadio line(
      [] {
        return static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count());
      },
      radio);
  if (const int error = line.Open(); error != 0) {
    err << "rx93kit-radio: cannot create a pseudo-terminal: " << std::strerror(error) << "\n";
    return kExitNoPty;
  }
  out << line.SlavePath() << std::endl;

  constexpr int kTurnMs = 10;
  Served seen;
  // What has ended since the last statistics line, printed once the port closes.
  const char* ended = nullptr;
  // The figures when the last data phase began, if one did.
  cmcPtyRadio::Stats phaseStart;
  bool inPhase = false;
  bool served = false;
  bool wasOpen = false;
  while (!stop) {
    line.Turn(kTurnMs);
    if (radio.InfoAnswers() != seen.infos) ended = "information";
    if (radio.ReadsServed() != seen.reads) {
      ended = "read";
      served = true;
    }
    if (radio.WritesServed() != seen.writes) {
      ended = "write";
      served = true;
      // Saved before the answer to the end frame leaves, so that the file is in place
      // when the program hears that the write succeeded.
      if (!o.save.empty()) cmcDemoRadio::WriteCloneFile(o.save, radio.Image(), prompts, mainOverlay);
    }
    // The request is taken in this turn: what crosses from now on is the data phase.
    if (radio.DataPhasesStarted() != seen.dataPhases) {
      phaseStart = line.PeekStats();
      inPhase = true;
    }
    seen = {radio.InfoAnswers(), radio.ReadsServed(), radio.WritesServed(), radio.DataPhasesStarted()};
    const bool open = line.SlaveOpen();
    if (wasOpen && !open && ended && line.Idle()) {
      if (o.stats) {
        const cmcPtyRadio::Stats s = line.TakeStats();
        err << "rx93kit-radio: " << ended << ": " << s.bytesIn << " bytes in, " << s.bytesOut
            << " bytes out, line time " << static_cast<long long>(s.lineMs + 0.5) << " ms";
        if (inPhase)
          err << "; data phase: " << s.bytesIn + s.bytesOut - phaseStart.bytesIn - phaseStart.bytesOut
              << " bytes, line time " << static_cast<long long>(s.lineMs - phaseStart.lineMs + 0.5) << " ms";
        err << std::endl;
      }
      ended = nullptr;
      inPhase = false;
      if (o.once && served) break;
    }
    wasOpen = open;
  }
  return 0;
}
