#pragma once
// The navigation tree's nodes without a window: built from "GI_Tree_Main_BasicCell"
// and "GI_Tree_Main_Body" (a line's depth is the number of characters before its
// first "+"), then filtered for the model type and modes as the model controller
// does after every rebuild, with one node per bank under the memory channel node.
// Nodes are kept in tree order; a node's subtree is the deeper nodes that follow it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cell/cmcCellObj.h"

class cmcGTexBase;

class indTreeModel {
 public:
  struct Node {
    int depth = 0;  // 0 for a top-level node
    std::string caption;
    cmcCellObj cell;
    // The reference of the sheet the node opens.
    const std::string& Target() const { return cell.argument; }
  };

  // What the filter tests.
  struct Filter {
    int modelType = 0;  // 4 and 5 count as 0
    bool makerReserveMode = false;
    bool adjustDataPresent = false;
    bool extendedMode = false;
    uint8_t digitalByte = 0;                 // image byte 267: bit 4 the digital timer sheet
    std::array<std::string, 8> bankNames{};  // the image's 8-byte bank names
  };

  explicit indTreeModel(cmcGTexBase& overlay) : overlay_(overlay) {}
  // The nodes' cells point at the basic cell as their base.
  indTreeModel(const indTreeModel&) = delete;
  indTreeModel& operator=(const indTreeModel&) = delete;

  // Forgets every node and builds the tree from the overlay.
  void Build();
  // Removes the node classes whose condition fails, in the order 0, 6, 7, 5, 2, 1,
  // 3, 4 (class 5 kept also brings the digital timer node), then rebuilds the bank
  // branches under the "GI_Sheet_Memory_CH_Top" node, relabelled from the bank names.
  void ApplyFilter(const Filter& filter);
  // Appends line modelType of "GI_AppInd_Model" to the first node's caption.
  void AppendModelName(int modelType);
  // Every bank node of the bank gets the label as caption.
  void RelabelBank(int bank, std::string_view label);

  const std::vector<Node>& Nodes() const { return nodes_; }
  const cmcCellObj& BasicCell() const { return basicCell_; }
  // The first node whose target equals the reference, -1 for none.
  int FindByTarget(std::string_view ref) const;
  // The index after the node's subtree.
  int SubtreeEnd(int node) const;

  // Whether nodes of class n (0-7) stay.
  static bool Kept(int n, const Filter& filter);
  // A bank's label: its number from 1, ": " and its name without trailing blanks.
  static std::string BankLabel(int bank, std::string_view name);
  // The bank a node opens the bank sheet of, -1 for a node that is no bank node.
  static int BankOfNode(const Node& node);
  // The format with "%s" replaced by the suffix, "%d" by the number and "%%" by "%".
  static std::string FillFormat(std::string_view format, std::string_view suffix, int number);

 private:
  static constexpr const char* kBodyKey = "GI_Tree_Main_Body";

  Node MakeNode(int depth, std::string_view descriptor) const;
  // Adds the run of lines from line at this tree depth; returns the line after it.
  int AddRun(int line, int depth);
  void RemoveClass(int n);
  void AddDigitalTimerNode();
  void BuildBankBranch(const Filter& filter, int modelType);
  // Inserts the node as the last child of parent; returns its index.
  int AddChild(int parent, std::string_view descriptor);

  cmcGTexBase& overlay_;
  cmcCellObj basicCell_;
  std::vector<Node> nodes_;
};
