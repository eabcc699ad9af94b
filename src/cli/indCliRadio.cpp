#include "cli/indCliRadio.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "cli/indCli.h"
#include "clone/cmcDevPortDiscovery.h"
#include "clone/indCloneMan.h"
#include "image/cmcClonePassword.h"
#include "image/cmcQclFile.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"
#include "shell/indSheetRender.h"
#include "shell/indWarningChecks.h"

namespace {

constexpr char kUsage[] =
    "radio commands (exit status: 0 done, 1 cancelled at a question, 2 and 4-17 the clone\n"
    "result code, 20 the data refused before writing, 21 the clone file unusable):\n"
    "  ports                   list the serial devices found and the simulated radio:\n"
    "                          NUMBER<tab>DEVICE<tab>DESCRIPTION<tab>BY-ID NAMES\n"
    "  info [PORT]             identify the radio and print its information\n"
    "  read -o OUT [PORT]      read the radio and save it to OUT as Save does (OUT is checked\n"
    "                          first; when saving fails, the data is saved beside the working\n"
    "                          folder under a new name, which the message gives)\n"
    "  write FILE [PORT]       open FILE as Open does and write it to the radio; the radio is\n"
    "                          read first and a model type other than the file's is warned of\n"
    "                          (--no-model-check skips that read)\n"
    "  PORT options: --port N (1-256, see ports), --device PATH, or --simulated (the demo\n"
    "  radio, in-process); without one, port 1 (/dev/ttyS0). --high-speed on|off (38400 or\n"
    "  9600 baud), --password TEXT (the radio's clone password, 1-16 characters; asked on a\n"
    "  terminal when needed), --yes (answer yes to the questions; else they are asked on a\n"
    "  terminal)\n";

// Far beyond the longest exchange; every step of one has its own time-out.
constexpr uint32_t kExchangeLimitMs = 30 * 60 * 1000;

bool ParseNumber(const std::string& text, int& value) {
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') return false;
  value = static_cast<int>(n);
  return true;
}

std::string Hex(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
  return text;
}

std::string Chars(const uint8_t* bytes, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '?';
  return text;
}

}  // namespace

bool indCliRadio::IsCommand(const std::string& name) {
  return name == "ports" || name == "info" || name == "read" || name == "write";
}

const char* indCliRadio::Usage() { return kUsage; }

indCliRadio::Options indCliRadio::Parse(const std::vector<std::string>& args) {
  Options o;
  if (!args.empty()) o.command = args[0];
  int portChoices = 0;
  auto fail = [&o](const std::string& problem) {
    if (o.problem.empty()) o.problem = problem;
  };
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    const std::string value = hasValue ? args[i + 1] : std::string();
    const bool takesValue = a == "-o" || a == "--port" || a == "--device" || a == "--high-speed" || a == "--password";
    if (takesValue && !hasValue) {
      fail(a + " needs a value");
      continue;
    }
    if (a == "-o") {
      if (!o.output.empty()) fail("-o given twice");
      o.output = value;
    } else if (a == "--port") {
      if (!ParseNumber(value, o.port) || o.port < 1 || o.port > cmcPortTable::kMaxPort)
        fail("--port takes a number from 1 to 256");
      ++portChoices;
    } else if (a == "--device") {
      o.device = value;
      if (value.empty()) fail("--device takes a path");
      ++portChoices;
    } else if (a == "--high-speed") {
      if (value != "on" && value != "off") fail("--high-speed takes on or off");
      o.highSpeed = value == "on";
    } else if (a == "--password") {
      if (value.empty() || value.size() > 16) fail("--password takes 1 to 16 characters");
      o.password = value;
    } else if (a == "--simulated") {
      o.simulated = true;
      ++portChoices;
    } else if (a == "--yes") {
      o.yes = true;
    } else if (a == "--no-model-check") {
      o.modelCheck = false;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      fail("unknown option '" + a + "'");
    } else {
      o.positional.push_back(a);
    }
    if (takesValue) ++i;
  }
  if (portChoices > 1) fail("give at most one of --port, --device and --simulated");
  if (o.command == "ports" && args.size() > 1) fail("ports takes no options");
  if (o.command == "info" && (!o.positional.empty() || !o.output.empty())) fail("info takes no FILE");
  if (o.command == "read" && (!o.positional.empty() || o.output.empty())) fail("read takes -o OUT");
  if (o.command == "write" && (o.positional.size() != 1 || !o.output.empty())) fail("write takes one FILE");
  return o;
}

int indCliRadio::Run(const Options& o, std::ostream& out, std::ostream& err, const std::string& exeDir,
                     const dst_CliTerminal& terminal) {
  if (o.command == "ports") return Ports(out);
  indCliRadio session(o, out, err, exeDir, terminal);
  // A password the clone frame cannot carry is refused before any port is opened.
  if (o.password && !cmcClonePassword::FitsFrame(*o.password)) {
    err << "rx93kit-cli: --password: " << session.program_.Overlay().GetLine(cmcClonePassword::kRefusedKey, 0) << "\n";
    return kCliUsageError;
  }
  if (o.command == "info") return session.Info();
  if (o.command == "read") return session.Read(o.output);
  return session.Write(o.positional[0]);
}

int indCliRadio::Ports(std::ostream& out, const std::string& devDir, const std::string& sysTtyDir,
                       const std::string& byIdDir) {
  cmcPortTable table(devDir);
  table.SetEntry(cmcDemoRadio::kPort, cmcSerialFactory::kSimulatedRadioPath);
  cmcDevPortDiscovery discovery(table, devDir, sysTtyDir, byIdDir);
  for (const cmcPortInfo& port : discovery.List()) {
    const bool simulated = port.path == cmcSerialFactory::kSimulatedRadioPath;
    out << port.number << '\t' << port.path << '\t'
        << (simulated ? "the simulated radio (--simulated)" : port.friendlyName) << '\t';
    for (size_t i = 0; i < port.links.size(); ++i) out << (i ? " " : "") << port.links[i];
    out << '\n';
  }
  return 0;
}

indCliRadio::indCliRadio(const Options& o, std::ostream& out, std::ostream& err, const std::string& exeDir,
                         const dst_CliTerminal& terminal)
    : err_(err),
      modelCheck_(o.modelCheck),
      seams_(err, o.yes, terminal),
      devices_(ports_),
      demo_(seams_.loop),
      progress_(err, seams_.loop),
      line_{seams_.loop, seams_.loop, devices_, waiter_},
      program_(seams_.For(exeDir, &line_)),
      view_(out, program_.Main()) {
  indMain& main = program_.Main();
  main.SetView(&view_);
  main.CloneMan()->SetCommandLineWording(true);
  if (o.simulated) {
    demo_.Install(ports_, devices_);
    demo_.LoadInitialImage(exeDir, main.ModelType(), seams_.prompts, program_.Overlay());
    program_.Environ().comPort = cmcDemoRadio::kPort;
  } else if (!o.device.empty()) {
    // A device outside the default families gets a number of its own, as the port
    // chooser gives one.
    program_.Environ().comPort = ports_.NumberFor(o.device);
  } else if (o.port > 0) {
    program_.Environ().comPort = o.port;
  }
  if (o.highSpeed) program_.Environ().comSpeedHigh = *o.highSpeed ? 1 : 0;
  if (o.password) seams_.prompts.SetTextAnswer(*o.password);
  if (terminal.errIsTerminal) main.CloneMan()->SetProgress(&progress_);
}

int indCliRadio::WaitForOutcome() {
  seams_.loop.RunUntil([this] { return Main().CloneOutcome() != indMain::kCloneRunning; }, kExchangeLimitMs);
  const int outcome = Main().CloneOutcome();
  return outcome == indMain::kCloneRunning ? dst_CDrv_Result::kTimeOut : outcome;
}

int indCliRadio::Info() {
  Main().CloneInfo();
  return WaitForOutcome();
}

int indCliRadio::Read(const std::string& path) {
  // A read takes minutes: the file it ends in must be possible before it starts.
  cmcQclFile file(seams_.prompts, program_.Overlay());
  if (file.CheckWritable(path) != cmcQclFile::kOk) return kExitFileError;
  Main().CloneRead();
  const int outcome = WaitForOutcome();
  if (outcome != dst_CDrv_Result::kSuccess) return outcome;
  if (!Main().SaveCloneFile(path)) return 0;
  const std::string elsewhere = SaveElsewhere();
  if (elsewhere.empty())
    err_ << "rx93kit-cli: the data read from the radio could not be saved anywhere\n";
  else
    err_ << "rx93kit-cli: the data read from the radio was saved to " << elsewhere << " instead\n";
  return kExitFileError;
}

std::string indCliRadio::SaveElsewhere() {
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const char* tmp = std::getenv("TMPDIR");
  for (const std::string& folder : {std::string("."), std::string(tmp && *tmp ? tmp : "/tmp")}) {
    for (int n = 0; n < 100; ++n) {
      const std::string path =
          folder + "/rx93kit-read-" + stamp + (n ? "-" + std::to_string(n) : std::string()) + ".qcl";
      if (::access(path.c_str(), F_OK) == 0) continue;
      if (!Main().SaveCloneFile(path)) return path;
      break;
    }
  }
  return {};
}

int indCliRadio::Write(const std::string& path) {
  if (Main().OpenCloneFile(path, false)) return kExitFileError;
  if (modelCheck_) {
    // The radio's model type is known only from its memory: read it, then take the file again.
    const int fileType = Main().ModelType();
    Main().CloneRead();
    const int outcome = WaitForOutcome();
    if (outcome != dst_CDrv_Result::kSuccess) return outcome;
    const int radioType = Main().ModelType();
    if (Main().OpenCloneFile(path, false)) return kExitFileError;
    if (radioType != fileType)
      err_ << "warning: " << path << " holds " << ModelName(fileType) << " data, the radio holds "
           << ModelName(radioType) << " data; writing the file changes the radio's model type\n";
  }
  Main().StartCloneWrite();
  const int outcome = WaitForOutcome();
  if (outcome == indMain::kCloneRefused) ReportCheckErrors();
  return outcome;
}

void indCliRadio::ReportCheckErrors() {
  const indWarningChecks::Result checks =
      indWarningChecks(program_.Overlay(), program_.Dispatch()).Run(Main().ModelType());
  if (checks.errors.empty()) return;
  indSheetRender render(Main(), program_.Overlay(), program_.Events(), program_.Dispatch());
  const std::vector<indSheetRender::TreeSheet> sheets = render.TreeSheets();
  err_ << "rx93kit-cli: settings with errors are on these sheets (rx93kit-cli dump shows them):\n";
  for (const std::string& ref : checks.errors) {
    const auto sheet = std::find_if(sheets.begin(), sheets.end(), [&ref](const auto& s) { return s.ref == ref; });
    err_ << "  " << (sheet != sheets.end() ? sheet->caption + "\t" : std::string()) << ref << "\n";
  }
}

std::string indCliRadio::ModelName(int type) {
  std::string name = cmcTrim(program_.Overlay().GetLine("GI_AppInd_Model", type));
  if (name.size() >= 2 && name.front() == '(' && name.back() == ')') name = name.substr(1, name.size() - 2);
  return name;
}

std::string indCliRadio::InfoText(const indMain& main) {
  const auto& id = main.IdentityBytes();
  const auto& info = main.RadioInfo();
  const uint8_t flags = info[indMain::kInfoFlags];
  const std::string serial = Chars(info.data() + indMain::kInfoSerial, 12);
  std::string text;
  text += "model code: " + Hex(id[0] << 8 | id[1], 4) + "\n";
  text += "sub-code: " + Hex(id[2] << 8 | id[3], 4) + "\n";
  text += "serial number: " + serial + " (year " + serial.substr(0, 4) + ", month " + serial.substr(4, 2) +
          ", number " + serial.substr(6) + ")\n";
  text += "data revision: " + std::to_string(info[indMain::kInfoDataRevision]) + "\n";
  text += "highest address: " + Chars(info.data() + indMain::kInfoHighest, 4) + "\n";
  text += "clone password: ";
  if (!(flags & indMain::kInfoFlagPassword))
    text += "none\n";
  else
    text += flags & indMain::kInfoFlagNotEnforced ? "set, not enforced\n" : "set\n";
  return text;
}
