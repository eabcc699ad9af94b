#pragma once
// The dispatch in the program over the shipped overlays and initial images, for the
// setting handler suites: a request on one cell with a key, a typed text or a chooser
// answer, with a grid that records the choosers it opens; the reply carries the text,
// the result, the change mask, the marks and the alignment the handler left.
#include <gtest/gtest.h>

#include <string>

#include "cell/ChooserGrid.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "channel/datCh.h"
#include "shell/indCellShell.h"
#include "support/TestProgram.h"

class ProgramCells : public ::testing::Test {
 protected:
  struct Reply {
    uint8_t result = 0;
    std::string text;
    int mask = 0;
    uint8_t state = 0;
    int align = 0;
  };
  static constexpr int kNoAnswer = -1;

  Reply Send(int category, int label, int row, int key, int inputKind = 0, const std::string& text = {},
             int answerLabel = kNoAnswer, int answerIndex = 0) {
    cmcCellObj cell;
    cell.category = static_cast<uint32_t>(category);
    cell.label = static_cast<uint32_t>(label);
    cell.index = row;
    cmcCellObj chosen;
    cmcCellCapsule answer;
    cmcCellCapsule c;
    c.cell = &cell;
    c.keyCode = key;
    c.inputKind = static_cast<uint8_t>(inputKind);
    c.inputText = text;
    c.grid = &grid_;
    if (answerLabel != kNoAnswer) {
      chosen.label = static_cast<uint32_t>(answerLabel);
      chosen.index = answerIndex;
      answer.cell = &chosen;
      c.parent = &answer;
      c.inputKind = cmcCellCapsule::kInputPopupAnswer;
    }
    Reply reply;
    c.repaint = [](void* self, cmcCellCapsule&, int mask) { static_cast<Reply*>(self)->mask = mask; };
    c.repaintContext = &reply;
    reply.result = active_.Dispatch(c, true);
    reply.text = c.outputText;
    reply.state = c.state;
    reply.align = cell.HAlign();
    return reply;
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
  Program p_{dir_};
  indCellShell& shell_ = p_.cellHost;
  indActiveCell& active_ = p_.dispatch;
  ChooserGrid grid_;
};
