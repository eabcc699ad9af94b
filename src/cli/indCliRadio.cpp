#include "cli/indCliRadio.h"

#include <cstdio>
#include <cstdlib>

#include "clone/indCloneMan.h"

namespace {

constexpr char kUsage[] =
    "radio commands (exit status: 0 done, 1 cancelled at a question, 2 and 4-17 the clone\n"
    "result code, 20 the data refused before writing, 21 the clone file unusable):\n"
    "  info [PORT]             identify the radio and print its information\n"
    "  read -o OUT [PORT]      read the radio and save it to OUT as Save does\n"
    "  write FILE [PORT]       open FILE as Open does and write it to the radio\n"
    "  PORT options: --port N (1-256), --device PATH, or --simulated (the demo radio);\n"
    "  --high-speed on|off (38400 or 9600 baud), --password TEXT (the radio's clone\n"
    "  password, 1-16 characters), --yes (answer OK to the confirmations)\n";

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

bool indCliRadio::IsCommand(const std::string& name) { return name == "info" || name == "read" || name == "write"; }

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
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      fail("unknown option '" + a + "'");
    } else {
      o.positional.push_back(a);
    }
    if (takesValue) ++i;
  }
  if (portChoices > 1) fail("give at most one of --port, --device and --simulated");
  if (o.command == "info" && (!o.positional.empty() || !o.output.empty())) fail("info takes no FILE");
  if (o.command == "read" && (!o.positional.empty() || o.output.empty())) fail("read takes -o OUT");
  if (o.command == "write" && (o.positional.size() != 1 || !o.output.empty())) fail("write takes one FILE");
  return o;
}

int indCliRadio::Run(const Options& o, std::ostream& out, std::ostream& err, const std::string& exeDir,
                     bool errIsTerminal) {
  indCliRadio session(o, out, err, exeDir, errIsTerminal);
  if (o.command == "info") return session.Info();
  if (o.command == "read") return session.Read(o.output);
  return session.Write(o.positional[0]);
}

indCliRadio::indCliRadio(const Options& o, std::ostream& out, std::ostream& err, const std::string& exeDir,
                         bool errIsTerminal)
    : seams_(err, o.yes),
      devices_(ports_),
      demo_(seams_.loop),
      progress_(err),
      line_{seams_.loop, seams_.loop, devices_, waiter_},
      program_(seams_.For(exeDir, &line_)),
      view_(out, program_.Main()) {
  indMain& main = program_.Main();
  main.SetView(&view_);
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
  if (errIsTerminal) main.CloneMan()->SetProgress(&progress_);
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
  Main().CloneRead();
  const int outcome = WaitForOutcome();
  if (outcome != dst_CDrv_Result::kSuccess) return outcome;
  return Main().SaveCloneFile(path) ? kExitFileError : 0;
}

int indCliRadio::Write(const std::string& path) {
  if (Main().OpenCloneFile(path, false)) return kExitFileError;
  Main().StartCloneWrite();
  return WaitForOutcome();
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
