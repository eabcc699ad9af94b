#pragma once
// The dispatch in the program over the shipped overlays and initial images, for the
// setting handler suites: a request on one cell with a key, a typed text or a chooser
// answer, with a grid that records the choosers it opens; the reply carries the text,
// the result, the change mask, the marks and the alignment the handler left.
#include <gtest/gtest.h>

#include <string>

#include "cell/ChooserGrid.h"
#include "cell/indActiveCell.h"
#include "channel/datCh.h"
#include "shell/indCellShell.h"
#include "support/CellRequest.h"
#include "support/TestProgram.h"

class ProgramCells : public ::testing::Test {
 protected:
  using Reply = CellReply;
  static constexpr int kNoAnswer = -1;

  // withRadio: the program has a clone manager (Program::ServeDemoRadio).
  explicit ProgramCells(bool withRadio = false) : p_(dir_, withRadio) {}

  Reply Send(int category, int label, int row, int key, int inputKind = 0, const std::string& text = {},
             int answerLabel = kNoAnswer, int answerIndex = 0) {
    CellRequest r(category, label, row, key);
    r.inputKind = static_cast<uint8_t>(inputKind);
    r.text = text;
    if (answerLabel != kNoAnswer) r.chosen = {answerLabel, answerIndex};
    r.grid = &grid_;
    return SendCellRequest(active_, r);
  }
  Reply Draw(int category, int label, int row) { return Send(category, label, row, 0); }
  Reply Type(int category, int label, int row, const std::string& text) {
    return Send(category, label, row, 0, cmcCellCapsule::kInputText, text);
  }

  void UseFamily(int family) { p_.main.ChangeModelType(family, false); }
  int Kind() const { return indMain::ChannelKindOf(p_.main.ModelType()); }
  cmcEeprom& Image() { return p_.main.Working(); }
  datCh Channel(int n) {
    datCh ch(&Image());
    ch.Load(Kind(), n);
    return ch;
  }
  template <typename Edit>
  void EditChannel(int n, Edit edit) {
    datCh ch = Channel(n);
    edit(ch);
    ch.Store();
  }
  static constexpr int kMain = 0x7F80;
  static constexpr int kExt = 0x9879;
  uint8_t MainByte(int n, int b) { return Image().GetByte(kMain + 22 * n + b); }
  uint8_t ExtByte(int n, int b) { return Image().GetByte(kExt + 16 * n + b); }

  ProgramDir dir_;
  Program p_;
  indCellShell& shell_ = p_.cellHost;
  indActiveCell& active_ = p_.dispatch;
  ChooserGrid grid_;
};
