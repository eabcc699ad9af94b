#include "cell/cmcCellObj.h"

#include <algorithm>
#include <string>

#include "cell/cmcCellNumber.h"
#include "cell/cmcCellRegistry.h"
#include "overlay/cmcGTexBase.h"
#include "runtime/cmcFatal.h"

namespace {

constexpr char kCounterError[] = "Ch No. Error";
constexpr int kMaxModelDepth = 64;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every backslash removed, the character after it kept.
std::string Unescaped(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && ++i == s.size()) break;
    out += s[i];
  }
  return out;
}

// The end of a "(" property starting at open: the next ")" not after a backslash.
std::size_t PropertyEnd(std::string_view d, std::size_t open) {
  std::size_t j = open + 1;
  for (; j < d.size(); ++j) {
    if (d[j] == '\\') {
      ++j;
      continue;
    }
    if (d[j] == ')') break;
  }
  return j < d.size() ? j : d.size();
}

}  // namespace

std::string_view cmcCellObj::ParseCell(std::string_view row, cmcCellCounters* rowCounters, const cmcCellObj* baseCell,
                                       cmcGTexBase* models, bool countOnly) {
  std::size_t end = 0;
  for (; end < row.size(); ++end) {
    if (row[end] == '\\') {
      ++end;
      continue;
    }
    if (row[end] == '|') break;
  }
  const std::string_view cell = row.substr(0, end);
  const std::string_view rest = end < row.size() ? row.substr(end + 1) : std::string_view();

  base = baseCell;
  InheritFrom();
  if (countOnly) return rest;

  // Brace groups anywhere in the cell form the descriptor; the rest is the text.
  std::string descriptor;
  std::string display;
  bool inDescriptor = false;
  for (const char c : cell) {
    if (c == '{')
      inDescriptor = true;
    else if (c == '}')
      inDescriptor = false;
    else
      (inDescriptor ? descriptor : display) += c;
  }
  counters = rowCounters;
  models_ = models;
  ApplyDescriptor(descriptor);
  ApplyText(display);
  counters = nullptr;
  models_ = nullptr;
  return rest;
}

void cmcCellObj::ApplyDescriptor(std::string_view d) {
  bool negate = false;
  for (std::size_t i = 0; i < d.size(); ++i) {
    const char c = d[i];
    const bool negated = negate;
    negate = c == '!';
    if (c == '!') continue;
    if (c == '\\') {
      ++i;
    } else if (c == '(') {
      const std::size_t close = PropertyEnd(d, i);
      ApplyProperty(d.substr(i + 1, close - i - 1));
      i = close;
    } else {
      ApplySwitch(c, negated);
    }
  }
}

void cmcCellObj::ApplySwitch(char c, bool negated) {
  const auto setBit = [negated](uint8_t& byte, uint8_t bit) { byte = negated ? byte & ~bit : byte | bit; };
  const auto setField = [](uint8_t& byte, uint8_t mask, int shift, int value) {
    byte = static_cast<uint8_t>((byte & ~mask) | (value << shift));
  };
  switch (c) {
    case '<':
      return setField(layout, kHAlignMask, 0, 0);
    case '^':
      return setField(layout, kHAlignMask, 0, 1);
    case '>':
      return setField(layout, kHAlignMask, 0, 2);
    case '~':
      return setField(layout, kVAlignMask, 2, 0);
    case '-':
      return setField(layout, kVAlignMask, 2, 1);
    case '_':
      return setField(layout, kVAlignMask, 2, 2);
    case 'W':
      return setBit(layout, kFitWidth);
    case 'H':
      return setBit(layout, kFitHeight);
    case '+':
      return setBit(layout, kJoined);
    case 'B':
      return setBit(layout, kBottomRule);
    case 'U':
      return setBit(rule, kTopRule);
    case 'X':
      return setField(rule, kRightRuleMask, 1, negated ? 0 : 1);
    case 'Q':
      return setField(rule, kRightRuleMask, 1, negated ? 0 : 2);
    case 'Y':
      return setField(rule, kRightRuleMask, 1, negated ? 0 : 3);
    case 'S':
      return setBit(rule, kSelectable);
    case 'T':
      return setBit(rule, kTail);
    default:
      return;
  }
}

void cmcCellObj::ApplyProperty(std::string_view p) {
  const std::size_t eq = p.find('=');
  const std::string_view value = eq == std::string_view::npos ? std::string_view() : p.substr(eq + 1);
  const bool hasValue = eq != std::string_view::npos;

  if (p.starts_with('$')) {
    const std::string key = std::string("CellModel_").append(p.substr(1));
    if (!models_) cmcFatal("No overlay for the cell model '" + key + "'.");
    // A model that reaches itself again would recurse until the stack runs out.
    static int depth = 0;
    if (depth == kMaxModelDepth) cmcFatal("The cell model '" + key + "' is nested too deeply.");
    ++depth;
    ApplyDescriptor(models_->GetLine(key, 0));
    --depth;
  } else if (p.starts_with("Color")) {
    if (const auto c = ColourByName(value); hasValue && c) colour = *c;
  } else if (p.starts_with("Font")) {
    if (!font) font = base && base->font ? *base->font : cmcCellFont();
    if (hasValue) font->ApplyFields(value);
  } else if (p.starts_with('%')) {
    ApplyBinding(p.substr(1));
  } else if (p.starts_with('@')) {
    ApplyCounterOp(p);
  } else if (p.starts_with("ImageIndex")) {
    if (hasValue) ParseCellDecimal(value, imageIndex);
  } else if (p.starts_with("PopupMenu")) {
    if (hasValue) popupMenu = value;
  } else if (p.size() >= 7 && p.starts_with("Flag") && p[4] >= '0' && p[4] <= '7' && p[5] == '=' &&
             (p[6] == '0' || p[6] == '1')) {
    SetFlag(p[4] - '0', p[6] == '1');
  }
}

void cmcCellObj::ApplyBinding(std::string_view b) {
  // Names hold no "[", ":" or ".", so a category's dot comes before any index or argument.
  const std::size_t nameEnd = b.find_first_of("[:");
  const std::size_t dot = b.find('.');
  std::size_t pos = 0;
  if (dot != std::string_view::npos && dot < nameEnd && (dot == 0 || b[dot - 1] != '\\')) {
    category = CategoryIdOf(b.substr(0, dot));
    pos = dot + 1;
  }
  const std::size_t labelEnd = std::min(b.find_first_of("[:", pos), b.size());
  label = LabelIdOf(b.substr(pos, labelEnd - pos));
  pos = labelEnd;

  if (pos < b.size() && b[pos] == '[') {
    const std::size_t close = std::min(b.find(']', pos + 1), b.size());
    const std::string_view ref = b.substr(pos + 1, close - pos - 1);
    if (ref.starts_with('@')) {
      std::size_t after = 0;
      index = Counter(ref, after);
    } else {
      ParseCellDecimal(ref, index);
    }
    pos = close < b.size() ? close + 1 : close;
  }
  if (pos < b.size() && b[pos] == ':') argument = Unescaped(b.substr(pos + 1));
}

void cmcCellObj::ApplyCounterOp(std::string_view op) {
  std::size_t after = 0;
  int32_t& counter = Counter(op, after);
  std::string_view rest = op.substr(after);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  if (rest.starts_with("++")) {
    counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + 1u);
  } else if (rest.starts_with('=')) {
    ParseCellDecimal(rest.substr(1), counter);
  }
}

int32_t& cmcCellObj::Counter(std::string_view ref, std::size_t& after) const {
  if (!counters || ref.size() < 4 || !ref.starts_with("@ch") || !IsDigit(ref[3]) || (ref.size() > 4 && IsDigit(ref[4])))
    cmcFatal(kCounterError);
  after = 4;
  return (*counters)[static_cast<std::size_t>(ref[3] - '0')];
}

void cmcCellObj::ApplyText(std::string_view t) {
  while (!t.empty() && static_cast<unsigned char>(t.front()) <= 32) t.remove_prefix(1);
  while (!t.empty() && static_cast<unsigned char>(t.back()) <= 32) t.remove_suffix(1);

  std::string out;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] != '\\') {
      out += t[i];
      continue;
    }
    if (++i == t.size()) break;
    switch (t[i]) {
      case 'n':
      case 'N':
        out += '\n';
        break;
      case '_':
        out += ' ';
        break;
      case '(': {
        const std::size_t close = std::min(t.find(')', i + 1), t.size());
        std::string expr;
        for (const char c : t.substr(i + 1, close - i - 1))
          if (c != ' ' && c != '\t') expr += c;
        std::size_t after = 0;
        int64_t value = Counter(expr, after);
        int32_t offset = 0;
        if (after < expr.size() && expr[after] == '+' && ParseCellDecimal(expr.substr(after + 1), offset))
          value += offset;
        out += std::to_string(value).substr(0, 6);
        i = close;
        break;
      }
      default:
        out += t[i];
        break;
    }
  }
  text = std::move(out);
}

void cmcCellObj::InheritFrom() {
  argument.clear();
  text.clear();
  font.reset();
  popupMenu.clear();
  label = kNoLabel;
  imageIndex = -1;
  layout = rule = mark = 0;
  colour = kClWindow;
  if (!base) return;
  category = base->category;
  label = base->label;
  index = base->index;
  imageIndex = base->imageIndex;
  layout = base->layout;
  rule = base->rule;
  mark = base->mark;
  colour = base->colour;
  argument = base->argument;
  text = base->text;
}

std::string_view cmcCellObj::PopupMenuName() const {
  for (const cmcCellObj* c = this; c; c = c->base)
    if (!c->popupMenu.empty()) return c->popupMenu;
  return {};
}

void cmcCellObj::SetFlag(int n, bool on) {
  if (n < 0 || n > 7) return;
  uint8_t& byte = n < 3 ? rule : mark;
  const uint8_t bit = static_cast<uint8_t>(n < 3 ? 1 << (5 + n) : 1 << (n - 3));
  byte = on ? byte | bit : byte & ~bit;
}
