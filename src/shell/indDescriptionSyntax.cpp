#include "shell/indDescriptionSyntax.h"

#include <algorithm>
#include <functional>

#include "channel/datCh.h"
#include "channel/datChKinds.h"

using Tokens = indDescriptionSyntax::Tokens;

bool indDescriptionSyntax::IsQuoted(const std::string& token) { return !token.empty() && token[0] == '"'; }
std::string indDescriptionSyntax::Unquoted(const std::string& token) { return token.substr(1); }

std::optional<indDescriptionSyntax::Tokens> indDescriptionSyntax::Tokenize(std::string_view line, std::string& error) {
  Tokens tokens;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == ';') {
      break;
    } else if (c == '"') {
      const size_t end = line.find('"', i + 1);
      if (end == std::string_view::npos) {
        error = "the text has no closing quote";
        return std::nullopt;
      }
      tokens.push_back("\"" + std::string(line.substr(i + 1, end - i - 1)));
      i = end + 1;
    } else {
      size_t end = i;
      while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r' && line[end] != ';') ++end;
      const std::string word(line.substr(i, end - i));
      if (word.find('"') != std::string::npos) {
        error = "a quote inside the word '" + word + "'";
        return std::nullopt;
      }
      tokens.push_back(word);
      i = end;
    }
  }
  return tokens;
}

bool indDescriptionSyntax::ParseNumber(const std::string& token, long& value) {
  if (token.empty() || IsQuoted(token)) return false;
  const bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
  const std::string digits = hex ? token.substr(2) : token;
  if (digits.empty() || digits.size() > 8) return false;
  value = 0;
  for (const char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0) return false;
    value = value * (hex ? 16 : 10) + d;
  }
  return true;
}

int indDescriptionSyntax::HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool indDescriptionSyntax::ParseSwitch(const std::string& token, bool& on) {
  if (token != "on" && token != "off") return false;
  on = token == "on";
  return true;
}

bool indDescriptionSyntax::IsRadioText(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool indDescriptionSyntax::HasField(const Tokens& tokens, size_t first, const char* field) {
  for (size_t i = first; i < tokens.size(); i += 2)
    if (tokens[i] == field) return true;
  return false;
}

namespace {

using S = indDescriptionSyntax;

// Megahertz with at most six decimals, as the sheets show them, into hertz.
bool ParseFrequency(const std::string& token, uint32_t& hertz) {
  const size_t dot = token.find('.');
  const std::string whole = token.substr(0, dot);
  const std::string fraction = dot == std::string::npos ? "" : token.substr(dot + 1);
  if (whole.empty() || whole.size() > 3 || fraction.size() > 6) return false;
  long mhz = 0, part = 0;
  const auto digits = [](const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(whole) || !digits(fraction) || !S::ParseNumber(whole, mhz)) return false;
  if (!fraction.empty() && !S::ParseNumber(fraction, part)) return false;
  for (size_t i = fraction.size(); i < 6; ++i) part *= 10;
  const long value = mhz * 1000000 + part;
  if (value > static_cast<long>(datCh::kMaxFrequency)) return false;
  hertz = static_cast<uint32_t>(value);
  return true;
}

// "off", "ctcss:N" (the item index) or "dtcs:DDDn" / "dtcs:DDDi" (octal code, polarity).
bool ParseTone(const std::string& token, datChTone& tone) {
  tone = datChTone{};
  if (token == "off") return true;
  long index = 0;
  if (token.rfind("ctcss:", 0) == 0 && S::ParseNumber(token.substr(6), index) && index <= 255) {
    tone.on = true;
    tone.ctcssIndex = static_cast<int>(index);
    return true;
  }
  if (token.rfind("dtcs:", 0) != 0 || token.size() != 9) return false;
  int code = 0;
  for (size_t i = 5; i < 8; ++i) {
    if (token[i] < '0' || token[i] > '7') return false;
    code = code * 8 + (token[i] - '0');
  }
  if (token[8] != 'n' && token[8] != 'i') return false;
  tone.on = true;
  tone.dtcs = true;
  tone.inverted = token[8] == 'i';
  tone.dtcsCode = code;
  return true;
}

// One channel field: applies the value or returns what is wrong with it.
using Setter = std::function<std::string(datCh&, const std::string&)>;

Setter Switch(bool datCh::*member) {
  return [member](datCh& ch, const std::string& value) -> std::string {
    bool on = false;
    if (!S::ParseSwitch(value, on)) return "expects on or off";
    ch.*member = on;
    return "";
  };
}

Setter Number(int datCh::*member, int lo, int hi) {
  return [member, lo, hi](datCh& ch, const std::string& value) -> std::string {
    long n = 0;
    if (!S::ParseNumber(value, n) || n < lo || n > hi)
      return "expects a number " + std::to_string(lo) + "-" + std::to_string(hi);
    ch.*member = static_cast<int>(n);
    return "";
  };
}

Setter Frequency(uint32_t datCh::*member) {
  return [member](datCh& ch, const std::string& value) -> std::string {
    uint32_t hz = 0;
    if (!ParseFrequency(value, hz)) return "expects megahertz with at most six decimals, below 800";
    ch.*member = hz;
    return "";
  };
}

Setter Tone(datChTone datCh::*member) {
  return [member](datCh& ch, const std::string& value) -> std::string {
    if (!ParseTone(value, ch.*member)) return "expects off, ctcss:INDEX or dtcs:DDDn / dtcs:DDDi";
    return "";
  };
}

std::string SetName(datCh& ch, const std::string& value) {
  const std::string text = S::Unquoted(value);
  if (!S::IsQuoted(value) || text.size() > 8 || !S::IsRadioText(text))
    return "expects a quoted text of up to 8 characters";
  ch.chName.fill(' ');
  std::copy(text.begin(), text.end(), ch.chName.begin());
  return "";
}

std::string SetPreset(datCh& ch, const std::string& value) {
  long n = 0;
  if (!S::ParseNumber(value, n) || n < 1 || n > 98) return "expects a preset number 1-98";
  ch.preset = true;
  ch.presetNo = static_cast<int>(n);
  return "";
}

struct Field {
  const char* name;
  Setter set;
};

const std::vector<Field>& ChannelFields() {
  static const std::vector<Field> fields = {
      {"rx", Frequency(&datCh::freqR)},
      {"tx", Frequency(&datCh::freqT)},
      {"rx-inhibit", Switch(&datCh::inhR)},
      {"tx-inhibit", Switch(&datCh::inhT)},
      {"tone-rx", Tone(&datCh::toneR)},
      {"tone-tx", Tone(&datCh::toneT)},
      {"name", SetName},
      {"mode", Number(&datCh::chMode, 0, 3)},
      {"dup", Switch(&datCh::dup)},
      {"dup-enable", Switch(&datCh::dupEna)},
      {"width", Number(&datCh::width, 0, 1)},
      {"scan-list", Number(&datCh::scanList, 0, 255)},
      {"scan", Number(&datCh::scan, 0, 15)},
      {"power", Number(&datCh::rfPower, 0, 3)},
      {"lockout", Number(&datCh::lockout, 0, 7)},
      {"tot", Switch(&datCh::tot)},
      {"scan-list-select", Switch(&datCh::scanListSel)},
      {"monitor", Switch(&datCh::moniPmr)},
      {"power-save", Number(&datCh::powerSave, 0, 3)},
      {"mute", Switch(&datCh::chMute)},
      {"scan-include", Switch(&datCh::scanInc)},
      {"tight-squelch", Switch(&datCh::sqlTight)},
      {"select", Switch(&datCh::selPmr)},
      {"log", Number(&datCh::log, 0, 15)},
      {"auto-reset", Number(&datCh::autoReset, 0, 3)},
      {"call", Number(&datCh::callPmr, 0, 7)},
      {"ptt", Number(&datCh::pttPmr, 0, 7)},
      {"auto-scan", Switch(&datCh::autoChScan)},
      {"msk-send-status", Switch(&datCh::mskSendStatus)},
      {"msk-signal", Switch(&datCh::mskSig)},
      {"compander", Switch(&datCh::compander)},
      {"scrambler", Number(&datCh::scrambler, 0, 3)},
      {"scrambler-code", Number(&datCh::scrmCode, 0, 255)},
      {"sig-log", Number(&datCh::sigLog, 0, 3)},
      {"sig-decode", Number(&datCh::sigDec, 0, 3)},
      {"sig-emergency", Number(&datCh::sigEmg, 0, 3)},
      {"mdc-system", Number(&datCh::mdcSystem, 0, 15)},
      {"preset", SetPreset},
      {"repeater-code", Number(&datCh::rptCode, 0, 15)},
      {"form-flag", Switch(&datCh::formFlag)},
      {"code-flag", Switch(&datCh::codeFlag)},
      {"station-code", Number(&datCh::stnCode, 0, 127)},
      {"id-code", Number(&datCh::idCode, 0, 127)},
      {"two-tone", Number(&datCh::twoTone, 0, 127)},
      {"rx-code", Number(&datCh::rxCode, 0, 1023)},
      {"ctone-edit", Switch(&datCh::ctoneEdit)},
      {"ctone-select", Switch(&datCh::ctoneSel)},
  };
  return fields;
}

const Field* FindField(const std::string& name) {
  for (const Field& f : ChannelFields())
    if (name == f.name) return &f;
  return nullptr;
}

}  // namespace

bool indDescriptionSyntax::IsChannelField(const std::string& name) { return FindField(name) != nullptr; }

std::string indDescriptionSyntax::SetChannelField(datCh& ch, const std::string& name, const std::string& value) {
  const Field* field = FindField(name);
  if (field == nullptr) return "is not a channel field";
  return field->set(ch, value);
}
