#include "cli/indCliCells.h"

#include <algorithm>
#include <charconv>
#include <memory>
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
#include "cli/indCliSheets.h"
#include "cli/indCliStorage.h"
#include "image/cmcEeprom.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcTextUtil.h"
#include "shell/indCellShell.h"

namespace {

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kMaxPasses = 16;  // jumps and repeat keys followed for one key
constexpr int kModelTypes = 4;

std::optional<uint32_t> FindName(std::span<const char* const> names, std::string_view name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (name == names[i]) return static_cast<uint32_t>(i);
  return std::nullopt;
}

// A binding as the descriptor language writes it, [CATEGORY.]LABEL[INDEX], checked
// against the name tables so that an unknown name is reported instead of being fatal.
struct Written {
  cmcCellObj cell;
  bool categoryGiven = false;
};

std::optional<Written> ParseBinding(std::string_view text, std::string& problem) {
  Written w;
  cmcCellObj& cell = w.cell;
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
    w.categoryGiven = true;
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
  return w;
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

// One cell command's objects: the session on the opened file, the dispatch and its host,
// and, when a binding needs them, the sheets of the file's tree and of the other model
// types' trees.
class CellRun {
 public:
  CellRun(std::ostream& err, const std::string& exeDir)
      : err_(err), exeDir_(exeDir), session_(err, exeDir), shell_(session_.CellHost()), active_(session_.Dispatch()) {}

  // Opens the file; the clone file result code.
  int Open(const std::string& path) {
    path_ = path;
    session_.Main().OpenCloneFile(path, false);
    return session_.Main().LastFileError();
  }
  int Save(const std::string& path) {
    session_.Main().SaveCloneFile(path);
    return session_.Main().LastFileError();
  }

  // Resolves every binding first; false (with the problems reported) when one is bad.
  bool ParseAll(const std::vector<std::string>& texts, std::vector<cmcCellObj>& cells) {
    bool good = true;
    for (const auto& text : texts) {
      std::string problem;
      auto written = ParseBinding(text, problem);
      if (written) problem = Resolve(*written);
      if (!problem.empty()) {
        Fail(text, problem);
        good = false;
      } else {
        cells.push_back(written->cell);
      }
    }
    return good;
  }

  std::string Shown(cmcCellObj cell) { return active_.CellText(cell, 0); }

  // False (reported) for a label the dispatch does not handle yet.
  bool Handled(const cmcCellObj& cell) {
    if (Shown(cell) != indCellHandlers::YetText(cell.label)) return true;
    Fail(indCliSheets::BindingText(cell), "no handler for this label yet");
    return false;
  }

  // Commits a typed text; false (reported) when the setting refused it.
  bool Commit(cmcCellObj& cell, const std::string& text) {
    const int restricted = shell_.RestrictedReports();
    const int errors = session_.Prompts().ErrorsShown();
    cmcCellCapsule c;
    c.cell = &cell;
    c.grid = &grid_;
    c.inputKind = cmcCellCapsule::kInputText;
    c.inputText = text;
    active_.Dispatch(c, false);
    const std::string refused = "input '" + text + "' refused";
    if (!c.refusal.empty()) return Fail(indCliSheets::BindingText(cell), refused + ": " + c.refusal);
    if (shell_.RestrictedReports() != restricted) return Fail(indCliSheets::BindingText(cell), RestrictedText());
    if (session_.Prompts().ErrorsShown() != errors) return Fail(indCliSheets::BindingText(cell), refused);
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
        return Fail(indCliSheets::BindingText(cell), "no handler for this label yet");
      if (c.jump.set) {
        cell.category = c.jump.category;
        cell.label = c.jump.label;
        cell.index = c.jump.index;
      }
      key = c.repeatKey;
      if (result == 2) OpenEditor(c);
    }
    if (grid_.popup) return Fail(indCliSheets::BindingText(cell), "opens a popup editor; use set");
    if (shell_.RestrictedReports() != restricted) return Fail(indCliSheets::BindingText(cell), RestrictedText());
    if (session_.Prompts().ErrorsShown() != errors) return Fail(indCliSheets::BindingText(cell), "key refused");
    return true;
  }
  bool CloseEditor(cmcCellObj& cell) {
    if (!editorOpen_) return true;
    editorOpen_ = false;
    return Commit(cell, editorText_);
  }

  // The image before an edit, to tell afterwards whether the file's model type keeps it.
  cmcEeprom Snapshot() {
    cmcEeprom image;
    image.Assign(session_.Main().Working());
    return image;
  }
  // False (reported) when the file's model type has no such setting (its sheets do not
  // offer it while another model type's do), or its file would not keep what changed
  // since before.
  bool Kept(const cmcCellObj& cell, const cmcEeprom& before) {
    const std::string binding = indCliSheets::BindingText(cell);
    if (!Sheets().Find(cell.label)) {
      const std::string others = ModelsBinding(cell.label);
      if (!others.empty()) return Fail(binding, NoSuchSetting(others));
    }
    const std::vector<int> keeping = indCliStorage::ModelTypesKeeping(before, session_.Main().Working());
    const int type = session_.Main().ModelType();
    if (std::find(keeping.begin(), keeping.end(), type) != keeping.end()) return true;
    std::string names;
    for (const int t : keeping) names += (names.empty() ? "" : ", ") + ModelName(t);
    return Fail(binding, "the file's model type (" + ModelName(type) + ") does not keep this change" +
                             (names.empty() ? std::string("; no model type's file does")
                                            : "; the model types whose files keep it: " + names));
  }

  bool Fail(const std::string& cell, const std::string& problem) {
    err_ << "rx93kit-cli: " << cell << ": " << problem << "\n";
    return false;
  }

 private:
  // Gives a label written without its category the category the file's sheets bind it
  // with, and checks the index against the label's range; the problem, or empty.
  std::string Resolve(Written& w) {
    cmcCellObj& cell = w.cell;
    if (!w.categoryGiven) {
      const auto binding = Sheets().Find(cell.label);
      if (!binding) {
        const std::string others = ModelsBinding(cell.label);
        return others.empty() ? "no sheet binds this label; write the cell with its category" : NoSuchSetting(others);
      }
      cell.category = binding->category;
    }
    const int kind = RecordKindOf(cell.category, session_.Main().ModelType());
    if (kind != 0) {
      // Cells of records index a record of their kind; channel cells a channel in the
      // banks, or the new one after them.
      const datChKindInfo& info = datChKindOf(kind);
      int last = info.last;
      if (datChBank::IsChannelCategory(static_cast<int>(cell.category)))
        last = std::min(info.last + 1, datChBank(&session_.Main().Working()).TotalChannels());
      return InRange(cell.index, info.first, last);
    }
    // Other cells take the indexes the sheets bind them at.
    if (cell.index == 0 && w.categoryGiven) return {};
    const auto binding = Sheets().Find(cell.label, cell.category);
    return binding ? InRange(cell.index, binding->low, binding->high) : std::string();
  }

  static std::string InRange(int index, int low, int high) {
    if (index >= low && index <= high) return {};
    return "index out of range (" + std::to_string(low) + "-" + std::to_string(high) + ")";
  }

  std::string NoSuchSetting(const std::string& others) {
    return "the file's model type (" + ModelName(session_.Main().ModelType()) +
           ") has no such setting; the model types that have it: " + others;
  }

  // The names of the other model types whose sheets bind the label, from their initial
  // images; empty when none does.
  std::string ModelsBinding(uint32_t label) {
    const int type = session_.Main().ModelType();
    std::string names;
    for (int t = 0; t < kModelTypes; ++t) {
      if (t == type) continue;
      indCliSession other(err_, exeDir_);
      other.Main().OpenCloneFile(exeDir_ + other.Overlay().GetLine("GI_App_InitialFile", t), false);
      if (indCliSheets(other).Find(label)) names += (names.empty() ? "" : ", ") + ModelName(t);
    }
    return names;
  }

  // The model type's name as the tree shows it, without its parentheses.
  std::string ModelName(int type) {
    std::string name = cmcTrim(session_.Overlay().GetLine("GI_AppInd_Model", type));
    if (name.size() >= 2 && name.front() == '(' && name.back() == ')') name = name.substr(1, name.size() - 2);
    return name;
  }

  std::string RestrictedText() { return session_.Overlay().GetText("GI_AppMess_S_EditRestrected"); }

  // The sheets of the opened file, rendered in a session of their own so that drawing
  // them cannot touch the image being edited.
  indCliSheets& Sheets() {
    if (!sheets_) {
      sheetSession_ = std::make_unique<indCliSession>(err_, exeDir_);
      sheetSession_->Main().OpenCloneFile(path_, false);
      sheets_ = std::make_unique<indCliSheets>(*sheetSession_);
    }
    return *sheets_;
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
  std::string exeDir_;
  std::string path_;
  indCliSession session_;
  indCellShell& shell_;
  indActiveCell& active_;
  std::unique_ptr<indCliSession> sheetSession_;
  std::unique_ptr<indCliSheets> sheets_;
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
    out << indCliSheets::BindingText(cell) << '\t' << run.Shown(cell) << '\n';
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
  for (size_t i = 0; i < cells.size(); ++i) {
    const cmcEeprom before = run.Snapshot();
    if (!run.Handled(cells[i]) || !run.Commit(cells[i], texts[i]) || !run.Kept(cells[i], before)) good = false;
  }
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
  const cmcEeprom before = run.Snapshot();
  const cmcCellObj first = cell;
  for (const int key : keys)
    if (!run.SendKey(cell, key)) return kCliCellError;
  if (!run.CloseEditor(cell) || !run.Kept(first, before)) return kCliCellError;
  return run.Save(a.output);
}
