#pragma once
// Edits made in the desktop program's main window as a user makes them: the LMR bank
// sheet chosen in the tree, a cell chosen, the value typed into the in-place editor.
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>

#include "cell/cmcCellIds.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiSheet.h"
#include "shell/indSheetHost.h"
#include "shell/ui/cuiMainWindow.h"
#include "shell/ui/cuiTree.h"

namespace desktop {

inline constexpr const char* kLmrBank0 = "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0";

// Opens the sheet ref names through the tree; settle lets the tree's delay run out.
inline bool OpenThroughTree(cuiMainWindow& w, const std::string& ref, const std::function<void()>& settle) {
  const int node = w.Host().Tree()->FindByTarget(ref);
  if (node < 0) return false;
  w.Tree()->setCurrentItem(w.Tree()->ItemOf(node));
  settle();
  return w.Host().Current() && w.Host().Current()->model->Ref() == ref;
}

// Types digits into the receive frequency of the first channel row of the LMR bank
// sheet shown; the channel's index, -1 when the cell is not there.
inline int TypeFirstChannelFrequency(cuiMainWindow& w, const std::string& digits) {
  cmcSheetModel& m = *w.Sheet()->Model();
  const int row = m.Layout().FixedRows();
  for (int col = 0; col < m.ColCount(); ++col) {
    if (m.Def().CellAt(col, row).label != CL_Mch_FreqR) continue;
    if (!m.MoveTo(col, row)) return -1;
    QTest::keyClick(w.Sheet()->Grid(), digits[0]);
    QLineEdit* editor = w.Sheet()->findChild<QLineEdit*>("CellEditor");
    if (!editor || !editor->isVisible()) return -1;
    QTest::keyClicks(editor, QString::fromStdString(digits.substr(1)));
    QTest::keyClick(editor, Qt::Key_Return);
    return m.Def().CellAt(col, row).index;
  }
  return -1;
}

}  // namespace desktop
