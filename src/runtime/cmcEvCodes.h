#pragma once
// The numbers of the application events exchanged through cmcEvMan. Codes are shared
// by every subsystem; numbers missing here are not used. The mode in brackets is how
// an event is normally delivered; "sender / argument" describe its fields.
#include <cstdint>

// Owner / windows
inline constexpr uint8_t kEvOwnerClosing = 1;         // [send] - / owner window: objects it owns destroy themselves
inline constexpr uint8_t kEvCommandStates = 2;        // [send] command states may have changed; leads to 9 and 20
inline constexpr uint8_t kEvShowAbout = 3;            // [post] show the About box
inline constexpr uint8_t kEvStatusText = 4;           // [post/send] text colour / background colour, text: status bar
inline constexpr uint8_t kEvOpenDebugWin = 5;         // open the debug text window
inline constexpr uint8_t kEvOpenEeDebugWin = 6;       // open the EEPROM debug window
inline constexpr uint8_t kEvOpenDebugCompareWin = 7;  // open the debug compare window
inline constexpr uint8_t kEvTakeCompareSnapshot = 8;  // [send] copy the working image into the compare snapshot

// Menus, tool bars, sheets
inline constexpr uint8_t kEvRefreshMenus = 9;       // [send] refresh all menus
inline constexpr uint8_t kEvClearSubmenu = 10;      // [send] - / label id: clear that menu item's submenu
inline constexpr uint8_t kEvFillSubmenu = 11;       // [send/post] handler / label id, section name: fill a submenu
inline constexpr uint8_t kEvAskPopupCell = 12;      // [ask] owner item: the sheet answers a copy of its current cell
inline constexpr uint8_t kEvRefreshLiveCells = 13;  // [post] refresh the current sheet's cells showing live values
inline constexpr uint8_t kEvRefreshCategory = 14;   // - / category: refresh the sheet's cells of that category
inline constexpr uint8_t kEvRefreshLabel = 15;      // - / label: refresh the sheet's cells of that label
inline constexpr uint8_t kEvRefreshRow = 16;        // - / row: refresh the cells whose index equals the row
inline constexpr uint8_t kEvRefreshRowsUpTo = 17;   // - / row: refresh the cells whose index is at most the row
inline constexpr uint8_t kEvRefreshRowsFrom = 18;   // - / row: refresh the cells whose index is at least the row
inline constexpr uint8_t kEvSheetNotify = 19;       // [post] data block: sheet notification
inline constexpr uint8_t kEvRefreshToolBars = 20;   // [send] refresh the tool bars
inline constexpr uint8_t kEvCommitEdit = 21;        // [send] commit the edit in progress
inline constexpr uint8_t kEvWarningCheckDone = 23;  // [post] the warning check has run
inline constexpr uint8_t kEvFilterTree = 25;        // [send] tree rebuilt or image replaced: filter the tree

// Channel blocks and banks
inline constexpr uint8_t kEvInsertChannel = 26;       // [send] - / position: insert a channel at the block's row
inline constexpr uint8_t kEvDeleteChannel = 27;       // [send] bank context / row: delete the channel at the row
inline constexpr uint8_t kEvAskBankSheet = 28;        // [ask] the bank sheet answers its bank and header
inline constexpr uint8_t kEvRefreshBankHeader = 29;   // channel data changed: refresh the bank sheet's header
inline constexpr uint8_t kEvInsertAlias = 30;         // [send] - / row: insert an MDC alias at the row
inline constexpr uint8_t kEvDeleteAlias = 31;         // [send] - / row: delete the MDC alias at the row
inline constexpr uint8_t kEvChannelAdded = 32;        // a channel was added to the bank (a count for memory sheets)
inline constexpr uint8_t kEvChannelRemoved = 33;      // a channel was removed from the bank (a count for memory sheets)
inline constexpr uint8_t kEvBankCursorMove = 34;      // - / +1 or -1: move the bank sheet's cursor
inline constexpr uint8_t kEvRecomputeBankIcons = 35;  // [post] recompute the bank node icons
inline constexpr uint8_t kEvRelabelBank = 36;         // [post] - / bank, label: relabel one bank's nodes and caption
inline constexpr uint8_t kEvRelabelBanks = 37;        // [post] first bank / last bank, label: relabel a bank range

// A/D window
inline constexpr uint8_t kEvOpenAdWin = 40;     // [post] open the A/D window
inline constexpr uint8_t kEvAdWinRefresh = 41;  // [send] redraw all the A/D sheet's values
inline constexpr uint8_t kEvAdWinClose = 42;    // [send] window key: the A/D window of that key closes
inline constexpr uint8_t kEvAdWinRebuild = 43;  // [send] rebuild the A/D sheet, keeping its cursor
inline constexpr uint8_t kEvAdWinDock = 44;     // [send] dock the A/D window into the main window

// Memory channel window and bank sheet docking
inline constexpr uint8_t kEvMchWinOpenClose = 45;        // [post] - / 0 open, 1 close the memory channel window
inline constexpr uint8_t kEvMchWinClose = 46;            // close the memory channel window
inline constexpr uint8_t kEvMchWinRefresh = 47;          // refresh all the memory channel window's cells
inline constexpr uint8_t kEvMchWinReserved48 = 48;       // within the window's range; no handler
inline constexpr uint8_t kEvMchWinRecreate = 49;         // recreate its sheet in the model's style, keeping the scroll
inline constexpr uint8_t kEvMchWinBankChanged = 50;      // - / bank: the window shows that bank from its first channel
inline constexpr uint8_t kEvMchWinChannelSelected = 51;  // - / row: the window's current channel becomes the row
inline constexpr uint8_t kEvNewImage = 52;               // [send] a new image is in place
inline constexpr uint8_t kEvAskMchBank = 53;             // [ask] the window answers its current bank and channel
inline constexpr uint8_t kEvAskMchCursorMove = 54;       // [ask] the window answers the cursor movement it collected
inline constexpr uint8_t kEvMchPaneShowHide = 55;        // [post] - / not 0 show, 0 hide the memory channel pane
inline constexpr uint8_t kEvMchPaneShow = 56;            // show the memory channel pane, docked at its remembered side
inline constexpr uint8_t kEvMchPaneHide = 57;            // hide the memory channel pane
inline constexpr uint8_t kEvMchWinUndock = 58;           // undock the memory channel window
inline constexpr uint8_t kEvMchWinRaise = 59;  // [send] optional text: put the floating window above the main one

// Popup help window
inline constexpr uint8_t kEvPHelpOpen = 60;         // [post] - / 0: open the popup help window
inline constexpr uint8_t kEvPHelpClose = 61;        // [send] close the popup help window
inline constexpr uint8_t kEvPHelpMoveAndShow = 62;  // move a floating window to the popup position, then navigate
inline constexpr uint8_t kEvPHelpNavigate = 63;     // navigate to the current topic
inline constexpr uint8_t kEvPHelpStopLoading = 64;  // stop loading while the browser is busy
inline constexpr uint8_t kEvPHelpApplyZoom = 65;    // apply the help zoom
inline constexpr uint8_t kEvPHelpDockState = 66;    // [post] - / 0, 1, 2 or 4: docking state, turned into 67 to 69
inline constexpr uint8_t kEvPHelpDock = 67;         // [send] dock the window when a dock request is pending
inline constexpr uint8_t kEvPHelpHide = 68;         // [send] hide the popup help window
inline constexpr uint8_t kEvPHelpShow = 69;         // [send] show the popup help window
