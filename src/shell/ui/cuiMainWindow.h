#pragma once
// The main window: the navigation tree in the left panel beside the vertical splitter,
// the right panel with the sheet, memory channel and help panes (cuiPaneArea), and the
// status bar. It is the sheet host's window (indSheetHost::Window): it shows what the
// host decides and forwards the user's actions. BuildUi runs the start-up setup once
// the opening window has gone; closing runs the close sequence, storing the window's
// bounds and the left panel's width in the settings.
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "shell/indPaneLayout.h"
#include "shell/indSheetHost.h"

class QSplitter;
class cmcClock;
class cmcPortDiscovery;
class cuiCloneDialogs;
class cmcPrompts;
class cmcWaiter;
class cuiPaneArea;
class cuiSheet;
class cuiStatusBar;
class cuiTree;
class indProgram;

class cuiMenuBar;
class cuiMchWin;
class indMainMenus;

class cuiMainWindow : public QMainWindow, public indSheetHost::Window {
  Q_OBJECT
 public:
  static constexpr int kMinWidth = 400;
  static constexpr int kMinHeight = 380;
  static constexpr int kSplitterWidth = 3;
  static constexpr int kLeftPanelMin = 8;  // the vertical splitter's minimum size

  // What the window runs on; none of it is owned, all of it outlives the window.
  struct Seams {
    indProgram& program;
    const cmcClock& clock;  // the clock of the program's timers
    cmcPrompts& prompts;
    cmcWaiter* waiter = nullptr;              // the sheets' repeat delays
    cmcPortDiscovery* discovery = nullptr;    // the ports the port chooser lists
    std::vector<std::string> arguments = {};  // the command line: the mode switches
  };

  // Makes the sheet pane's view and the program's sheets over it; shows nothing yet.
  explicit cuiMainWindow(const Seams& seams);
  ~cuiMainWindow() override;

  // The setup after the opening window: caption, font, bounds, panels and splitters,
  // tree (whose first node opens its sheet), status bar, self check, the periodic task;
  // shows the window, arranges the panes and shows the pre-release notice.
  void BuildUi();
  // Makes the task bar entry ask for attention, as when a second instance starts.
  void AskForAttention();
  // One idle pass of the layout manager.
  void RunIdle();
  // Enters the modes the command line's switches name, each after its caution.
  void EnterModes(const std::vector<std::string>& arguments);

  cuiTree* Tree() const { return tree_; }
  cuiSheet* Sheet() const { return sheet_; }
  cuiPaneArea* Panes() const { return panes_; }
  cuiStatusBar* Status() const { return status_; }
  cuiMenuBar* MenuBar() const { return menuBar_; }
  // The clone commands' windows; made by BuildUi.
  cuiCloneDialogs* CloneDialogs() const { return clone_.get(); }
  QWidget* LeftPanel() const { return left_; }
  // The memory channel window while it exists.
  cuiMchWin* MchWin() const;
  indSheetHost& Host() const { return host_; }
  const indPaneLayout& PaneLayout() const { return paneLayout_; }

  // indSheetHost::Window
  void RefreshCaption() override;
  void SetBusyCursor(bool busy) override;
  void SheetShown(indSheetMaker::Sheet* sheet) override;
  void TreeChanged() override;
  void ShowCloneInfo(const std::string& sheet, const std::string& caption) override;
  bool SheetFocused() override;
  void Focus(bool sheet) override;
  void OpenMchWin() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ApplyOverlayFont();
  void PlaceOnWorkArea();
  // Steps 2 and 3 of the close sequence, once.
  void Shutdown();

  Seams s_;
  indPaneLayout paneLayout_;
  cuiSheet* sheet_;
  indSheetHost& host_;
  QWidget* left_ = nullptr;
  cuiTree* tree_ = nullptr;
  QSplitter* splitter_ = nullptr;
  cuiPaneArea* panes_ = nullptr;
  QMainWindow* dockSite_ = nullptr;  // in the sheet pane: the sub-windows dock into it
  QPointer<cuiMchWin> mchWin_;
  cuiStatusBar* status_ = nullptr;
  std::unique_ptr<indMainMenus> menus_;
  std::unique_ptr<cuiCloneDialogs> clone_;
  cuiMenuBar* menuBar_ = nullptr;
  bool built_ = false;
  bool shutDown_ = false;
};
