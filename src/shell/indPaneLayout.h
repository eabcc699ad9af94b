#pragma once
// The three panes right of the tree (the current sheet, the memory channel window's
// sheet and the help page) without a window: the seven layout states that four
// conditions give, the arrangement of each, the pane heights each remembers across
// state changes and runs (the eight pane height settings), and the resize rule. The
// window applies Panes() to its parts and reports resizes and dragged splitters back.
#include <array>

class indEnviron;

class indPaneLayout {
 public:
  static constexpr int kSplitter = 3;  // a splitter's height
  static constexpr int kMinPane = 90;  // the least a splitter leaves a pane beside it

  enum Pane { kSheet = 0, kMch = 1, kHelp = 2 };
  enum class Splitter { kUpper, kLower };

  struct Conditions {
    bool bankSheet = false;  // the current sheet is a bank sheet
    bool cellHelp = false;   // help exists for the current sheet's cells
    bool helpView = false;   // "PHelp View" is 1
    bool mchView = false;    // "MCH View" is not 0
  };

  // What the window shows, top to bottom: the sheet pane, the upper splitter, the
  // memory channel pane, the lower splitter, the help pane. The fill pane takes what
  // the shown others and splitters leave; a hidden pane keeps its last height.
  struct Geometry {
    int rightHeight = 0;
    std::array<int, 3> height{};
    std::array<bool, 3> shown{};
    Pane fill = kSheet;
    bool upperSplitter = false;
    bool lowerSplitter = false;
    // The pane's top edge in the right panel.
    int Top(Pane pane) const;
  };

  // The remembered pane heights, each copied into its setting whenever recorded.
  struct Heights {
    int sheetAlone = 0;     // states 1, 5, 7
    int sheetWithMch = 0;   // state 6
    int sheetWithHelp = 0;  // states 2, 3
    int sheetWithBoth = 0;  // state 4
    int mchAlone = 0;       // state 6
    int mchWithHelp = 0;    // state 4
    int helpAlone = 0;      // states 2, 3
    int helpWithMch = 0;    // state 4
  };

  // Reads and writes the pane height settings of the environment.
  explicit indPaneLayout(indEnviron& environ);

  // 1-7 from the conditions.
  static int StateOf(const Conditions& conditions);

  // The panes as made in a right panel of this height: the sheet pane a quarter (or
  // "DockMemWinHeight"), the help pane two ninths (or "DockPHelpWinHeight"), the memory
  // channel pane the rest; then the heights are recorded for state 0 and the next
  // idle pass arranges the panes.
  void Create(int rightHeight);
  // An idle pass: arranges the panes when the state the conditions give is not the
  // current one, then records the heights. True when it arranged them.
  bool Idle(const Conditions& conditions);
  // The main window was resized. With a bank sheet shown in state 4 the panes are
  // re-stacked so that the larger lower pane takes the change, and a lower pane below
  // 89 gets 89; the next idle pass arranges the panes again.
  void Resize(int rightHeight, const Conditions& conditions);
  // The user moved a splitter's top edge to y; both panes beside it keep kMinPane
  // where the room allows.
  void DragSplitter(Splitter splitter, int y);
  // Takes the heights of this state's arrangement (state 0 fills unknown heights only).
  void RecordPaneHeights(int state);

  const Geometry& Panes() const { return panes_; }
  const Heights& Remembered() const { return heights_; }
  // The state arranged; 0 until the next idle pass arranges again.
  int State() const { return state_; }
  int LastState() const { return lastState_; }

 private:
  void Arrange(int state, int previous);
  void ArrangeSheetAndHelp(int state, int previous);
  void ArrangeSheetAndMch(int previous);
  void ArrangeAll(int previous);
  // Shows the panes and the splitters between them, with the fill pane.
  void Show(bool sheet, bool mch, bool help, Pane fill);
  // The fill pane's height from the others.
  void Resolve();
  void SaveSettings();

  indEnviron& environ_;
  Geometry panes_;
  Heights heights_;
  int rightFor23_ = 0;  // the right panel's height when states 2 and 3 were last recorded
  int rightFor4_ = 0;
  int rightFor6_ = 0;
  int state_ = 0;
  int lastState_ = 0;
};
