#include "cli/indCliCells.h"

#include <charconv>
#include <optional>
#include <span>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellGrid.h"
#include "cell/cmcCellNames.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcCellRegistry.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "channel/datChBank.h"
#include "channel/datChKinds.h"
#include "cli/indCliSession.h"
#include "shell/indCellShell.h"

namespace {

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kMaxPasses = 16;  // jumps and repeat keys followed for one key

std::optional<uint32_t> FindName(std::span<const char* const> names, std::string_view name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (name == names[i]) return static_cast<uint32_t>(i);
  return std::nullopt;
}

// A binding as the descriptor language writes it, checked against the name tables
// so that an unknown name is reported instead of being fatal.
std::optional<cmcCellObj> ParseBinding(std::string_view text, std::string& problem) {
  cmcCellObj cell;
  std::string_view rest = text;
  const size_t bracket = rest.find('[');
  const size_t dot = rest.substr(0, bracket).find('.');
  if (dot != std::string_view::npos) {
    const auto category = FindName(CellCategoryNames(), rest.substr(0, dot));
    if (!category) {
      problem = "unknown category '" + std::string(rest.substr(0, dot)) + "'";
      return std::nullopt;
    }
    cell.category = *category;
    rest.remove_prefix(dot + 1);
  }
  const std::string_view labelName = rest.substr(0, rest.find('['));
  const auto label = FindName(CellLabelNames(), labelName);
  if (!label) {
    problem = "unknown label '" + std::string(labelName) + "'";
    return std::nullopt;
  }
  cell.label = *label;
  rest.remove_prefix(labelName.size());
  if (!rest.empty()) {
    const char* first = rest.data() + 1;
    const char* last = rest.data() + rest.size() - 1;
    const auto [end, error] = std::from_chars(first, last, cell.index);
    if (rest.size() < 3 || rest.back() != ']' || error != std::errc() || end != last || cell.index < 0) {
      problem = "bad index '" + std::string(rest) + "'";
      return std::nullopt;
    }
  }
  return cell;
}

std::string BindingText(const cmcCellObj& cell) {
  std::string text;
  if (cell.category != kNoCategory) text = std::string(CellCategoryNames()[cell.category]) + ".";
  return text + std::string(LabelNameOf(cell.label)) + "[" + std::to_string(cell.index) + "]";
}

// Popup editors cannot open on a console: the grid only remembers that one would have.
class ConsoleGrid : public cmcCellGrid {
 public:
  void OpenChooser(cmcCellCapsule&, const std::string&, int, int, const std::string&) override { popup = true; }
  void OpenSegmentText(cmcCellCapsule&, std::span<const uint8_t>, bool, int, std::span<const uint8_t>) override {
    popup = true;
  }
  void OpenCharacterEditor(cmcCellCapsule&, int, uint16_t) override { popup = true; }
  bool popup = false;
};

// One cell command's objects: the session on the opened file, the dispatch and its host.
class CellRun {
 public:
  CellRun(std::ostream& err, const std::string& exeDir)
      : err_(err), session_(err, exeDir), shell_(session_.CellHost()), active_(session_.Dispatch()) {}

  // Opens the file; the clone file result code.
  int Open(const std::string& path) {
    session_.Main().OpenCloneFile(path, false);
    return session_.Main().LastFileError();
  }
  int Save(const std::string& path) {
    session_.Main().SaveCloneFile(path);
    return session_.Main().LastFileError();
  }

  // Parses every binding first; false (with the problems reported) when one is bad.
  bool ParseAll(const std::vector<std::string>& texts, std::vector<cmcCellObj>& cells) {
    bool good = true;
    for (const auto& text : texts) {
      std::string problem;
      auto cell = ParseBinding(text, problem);
      if (cell) problem = RangeProblem(*cell);
      if (!problem.empty()) {
        Fail(text, problem);
        good = false;
      } else {
        cells.push_back(*cell);
      }
    }
    return good;
  }

  std::string Shown(cmcCellObj cell) { return active_.CellText(cell, 0); }

  // False (reported) for a label the dispatch does not handle yet.
  bool Handled(const cmcCellObj& cell) {
    if (Shown(cell) != indCellHandlers::YetText(cell.label)) return true;
    Fail(BindingText(cell), "no handler for this label yet");
    return false;
  }

  // Commits a typed text; false (reported) when the setting refused it.
  bool Commit(cmcCellObj& cell, const std::string& text) {
    const std::string before = Shown(cell);
    const int restricted = shell_.RestrictedReports();
    const int errors = session_.Prompts().ErrorsShown();
    cmcCellCapsule c;
    c.cell = &cell;
    c.grid = &grid_;
    c.inputKind = cmcCellCapsule::kInputText;
    c.inputText = text;
    active_.Dispatch(c, false);
    if (shell_.RestrictedReports() != restricted) return Fail(BindingText(cell), "restricted setting");
    if (session_.Prompts().ErrorsShown() != errors) return Fail(BindingText(cell), "input '" + text + "' refused");
    if (!text.empty() && text != before && Shown(cell) == before)
      return Fail(BindingText(cell), "input '" + text + "' refused");
    return true;
  }

  // Sends one key as a sheet does; false (reported) when it was refused.
  bool SendKey(cmcCellObj& cell, int key) {
    if (editorOpen_) {
      EditorKey(key);
      return key == kKeyEnter ? CloseEditor(cell) : true;
    }
    const int restricted = shell_.RestrictedReports();
    const int errors = session_.Prompts().ErrorsShown();
    for (int pass = 0; pass < kMaxPasses && key != 0; ++pass) {
      cmcCellCapsule c;
      c.cell = &cell;
      c.grid = &grid_;
      c.keyCode = key;
      const uint8_t result = active_.Dispatch(c, false);
      if (c.outputText == indCellHandlers::YetText(cell.label))
        return Fail(BindingText(cell), "no handler for this label yet");
      if (c.jump.set) {
        cell.category = c.jump.category;
        cell.label = c.jump.label;
        cell.index = c.jump.index;
      }
      key = c.repeatKey;
      if (result == 2) OpenEditor(c);
    }
    if (grid_.popup) return Fail(BindingText(cell), "opens a popup editor; use set");
    if (shell_.RestrictedReports() != restricted) return Fail(BindingText(cell), "restricted setting");
    if (session_.Prompts().ErrorsShown() != errors) return Fail(BindingText(cell), "key refused");
    return true;
  }
  bool CloseEditor(cmcCellObj& cell) {
    if (!editorOpen_) return true;
    editorOpen_ = false;
    return Commit(cell, editorText_);
  }

  bool Fail(const std::string& cell, const std::string& problem) {
    err_ << "rx93kit-cli: " << cell << ": " << problem << "\n";
    return false;
  }

 private:
  // Cells of records must index a record of their kind; channel sheets also have
  // their new-channel row.
  std::string RangeProblem(const cmcCellObj& cell) {
    const int kind = RecordKindOf(cell.category, session_.Main().ModelType());
    if (kind == 0) return {};
    const datChKindInfo& info = datChKindOf(kind);
    const int last = datChBank::IsChannelCategory(static_cast<int>(cell.category)) ? info.last + 1 : info.last;
    if (cell.index < info.first || cell.index > last) return "index out of range";
    return {};
  }

  void OpenEditor(const cmcCellCapsule& c) {
    editorOpen_ = true;
    editorText_ = c.outputText;
    const size_t size = editorText_.size();
    caret_ = std::min(static_cast<size_t>(std::max(c.selStart, 0)), size);
    selection_ = std::min(static_cast<size_t>(std::max(c.selLength, 0)), size - caret_);
  }
  void EditorKey(int key) {
    if (key == kKeyEnter) return;
    if (selection_ > 0) {
      editorText_.erase(caret_, selection_);
      selection_ = 0;
      if (key == kKeyBackspace) return;
    }
    if (key == kKeyBackspace) {
      if (caret_ > 0) editorText_.erase(--caret_, 1);
      return;
    }
    editorText_.insert(caret_++, 1, static_cast<char>(key));
  }

  std::ostream& err_;
  indCliSession session_;
  indCellShell& shell_;
  indActiveCell& active_;
  ConsoleGrid grid_;
  bool editorOpen_ = false;
  std::string editorText_;
  size_t caret_ = 0;
  size_t selection_ = 0;
};

std::optional<int> KeyCode(const std::string& word) {
  if (word == "space") return ' ';
  if (word == "backspace") return kKeyBackspace;
  if (word == "enter") return kKeyEnter;
  if (word.size() == 1 && word[0] > ' ' && word[0] < 127) return static_cast<unsigned char>(word[0]);
  return std::nullopt;
}

}  // namespace

int indCliCells::Get(const dst_CliArgs& a, std::ostream& out, std::ostream& err, const std::string& exeDir) {
  CellRun run(err, exeDir);
  if (const int code = run.Open(a.positional[0])) return code;
  std::vector<cmcCellObj> cells;
  if (!run.ParseAll({a.positional.begin() + 1, a.positional.end()}, cells)) return kCliCellError;
  bool good = true;
  for (auto& cell : cells) {
    if (!run.Handled(cell)) {
      good = false;
      continue;
    }
    out << BindingText(cell) << '\t' << run.Shown(cell) << '\n';
  }
  return good ? 0 : kCliCellError;
}

int indCliCells::Set(const dst_CliArgs& a, std::ostream&, std::ostream& err, const std::string& exeDir) {
  CellRun run(err, exeDir);
  if (const int code = run.Open(a.positional[0])) return code;
  std::vector<std::string> bindings, texts;
  bool good = true;
  for (size_t i = 1; i < a.positional.size(); ++i) {
    const std::string& word = a.positional[i];
    const size_t eq = word.find('=');
    if (eq == std::string::npos) {
      good = run.Fail(word, "expected CELL=TEXT");
      continue;
    }
    bindings.push_back(word.substr(0, eq));
    texts.push_back(word.substr(eq + 1));
  }
  std::vector<cmcCellObj> cells;
  if (!run.ParseAll(bindings, cells) || !good) return kCliCellError;
  for (size_t i = 0; i < cells.size(); ++i)
    if (!run.Handled(cells[i]) || !run.Commit(cells[i], texts[i])) good = false;
  if (!good) return kCliCellError;
  return run.Save(a.output);
}

int indCliCells::Key(const dst_CliArgs& a, std::ostream&, std::ostream& err, const std::string& exeDir) {
  CellRun run(err, exeDir);
  if (const int code = run.Open(a.positional[0])) return code;
  std::vector<cmcCellObj> cells;
  if (!run.ParseAll({a.positional[1]}, cells)) return kCliCellError;
  std::vector<int> keys;
  bool good = true;
  for (size_t i = 2; i < a.positional.size(); ++i) {
    const auto key = KeyCode(a.positional[i]);
    if (key)
      keys.push_back(*key);
    else
      good = run.Fail(a.positional[i], "not a key (space, backspace, enter or one character)");
  }
  cmcCellObj& cell = cells[0];
  if (!good || !run.Handled(cell)) return kCliCellError;
  for (const int key : keys)
    if (!run.SendKey(cell, key)) return kCliCellError;
  if (!run.CloseEditor(cell)) return kCliCellError;
  return run.Save(a.output);
}
