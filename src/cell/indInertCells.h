#pragma once
// The labels that draw nothing and change nothing: the empty label, the language
// row number, a few placeholder and sweep cells, and the "no label" id. Their text
// stays empty whatever the request.
class indCellHandlers;

class indInertCells {
 public:
  static void Register(indCellHandlers& table);
};
