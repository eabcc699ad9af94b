#include "cell/cmcCellCapsule.h"

void cmcCellCapsule::Reset() {
  static const cmcCellCapsule cleared;
  CopyFrom(cleared);
}

void cmcCellCapsule::CopyFrom(const cmcCellCapsule& s) {
  if (&s == this) return;
  parent = s.parent;
  owner = s.owner;
  grid = s.grid;
  cell = s.cell;
  canvas = s.canvas;
  imageList = s.imageList;
  rect = s.rect;
  selStart = s.selStart;
  selLength = s.selLength;
  keyCode = s.keyCode;
  commandArgument = s.commandArgument;
  inputText = s.inputText;
  outputText = s.outputText;
  refusal = s.refusal;
  typedRead = s.typedRead;
  state = s.state;
  markPosition = s.markPosition;
  inputKind = s.inputKind;
  jump = s.jump;
  repeatKey = s.repeatKey;
  sheet = s.sheet;
  multiSelection = s.multiSelection;
  rangeLow = s.rangeLow;
  rangeHigh = s.rangeHigh;
  repaint = s.repaint;
  repaintContext = s.repaintContext;
  reopenEditor = s.reopenEditor;
  reopenEditorContext = s.reopenEditorContext;
}
