#pragma once
// The navigation tree's nodes without a window: built from the outline "GI_Tree_Main"
// (cmcOutline: a deeper line is a child of the line before it), then filtered for the model type and modes as the model
// controller does after every rebuild, with one node per bank under the memory channel node. Nodes are kept in tree
// order; a node's subtree is the deeper nodes that follow it. It also holds what the tree control shows of them: which
// nodes are expanded, the selected node and the warning and error marks, which a collapsed node takes over from its
// hidden descendants.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cell/cmcCellObj.h"
#include "cell/cmcOutline.h"

class cmcGTexBase;
class indMain;

class indTreeModel {
 public:
  // The overlay marks a node can show.
  static constexpr int kNoMark = -1;
  static constexpr int kErrorMark = 0;
  static constexpr int kWarningMark = 1;

  struct Node {
    int depth = 0;  // 0 for a top-level node
    std::string caption;
    cmcCellObj cell;
    int icon = 0;  // the tree icon, the cell's image index until a bank node's is recomputed
    bool expanded = false;
    int mark = kNoMark;
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

  // The model controller's model type, modes and image as the filter reads them.
  static Filter FilterFor(const indMain& main);

  explicit indTreeModel(cmcGTexBase& overlay) : overlay_(overlay) {}
  // The nodes' cells point at the basic cell as their base.
  indTreeModel(const indTreeModel&) = delete;
  indTreeModel& operator=(const indTreeModel&) = delete;

  // Forgets every node and builds the tree from the overlay; the first node is
  // expanded and none is selected.
  void Build();
  // Removes the node classes whose condition fails, in the order 0, 6, 7, 5, 2, 1,
  // 3, 4 (class 5 kept also brings the digital timer node), then rebuilds the bank
  // branches under the "GI_Sheet_Memory_CH_Top" node, relabelled from the bank names.
  // A selected node that goes leaves the selection on the node before it; when the
  // selected node's target then differs from the one selected before, the node after
  // it is selected.
  void ApplyFilter(const Filter& filter);
  // Appends line modelType of "GI_AppInd_Model" to the first node's caption.
  void AppendModelName(int modelType);
  // Every bank node of the bank gets the label as caption.
  void RelabelBank(int bank, std::string_view label);

  const std::vector<Node>& Nodes() const { return nodes_; }
  const cmcCellObj& BasicCell() const { return body_->BasicCell(); }
  // The first node whose target equals the reference, -1 for none.
  int FindByTarget(std::string_view ref) const;
  // The index after the node's subtree.
  int SubtreeEnd(int node) const;
  // The node's parent, -1 for a top-level node.
  int Parent(int node) const;
  // Shown: every ancestor is expanded.
  bool Visible(int node) const;

  // The selected node, -1 for none.
  int Selected() const { return selected_; }
  void Select(int node);
  void SetExpanded(int node, bool expanded);

  // Clears every mark, then marks each top-level subtree, last to first, with the
  // warning list and then the error list, so that an error replaces a warning.
  void ApplyMarks(const std::vector<std::string>& errors, const std::vector<std::string>& warnings);
  void ClearMarks();
  // Marks a node of the subtree whose target is in the list, and a collapsed node
  // with a marked descendant; returns how many nodes of the subtree it marked.
  int Mark(int node, const std::vector<std::string>& targets, int mark);
  // Every bank node's icon from its bank (tree icons 4-7): 4, plus 2 when the bank is
  // enabled (bit "bank" from the top of the flag bytes) and 1 when it holds channels.
  void SetBankIcons(const std::array<bool, 8>& enabled, const std::array<bool, 8>& holdsChannels);

  // Whether nodes of class n (0-7) stay.
  static bool Kept(int n, const Filter& filter);
  // A bank's label: its number from 1, ": " and its name without trailing blanks.
  static std::string BankLabel(int bank, std::string_view name);
  // The bank a node opens the bank sheet of, -1 for a node that is no bank node.
  static int BankOfNode(const Node& node);
  // The format with "%s" replaced by the suffix, "%d" by the number and "%%" by "%".
  static std::string FillFormat(std::string_view format, std::string_view suffix, int number);

 private:
  Node MakeNode(int depth, std::string_view descriptor) const;
  void RemoveClass(int n);
  void AddDigitalTimerNode();
  void BuildBankBranch(const Filter& filter, int modelType);
  // Inserts the node as the last child of parent; returns its index.
  int AddChild(int parent, std::string_view descriptor);

  // Erases nodes [first, end), keeping the selection on the node it was on or, when
  // that goes, on the node before the erased run.
  void Erase(int first, int end);

  cmcGTexBase& overlay_;
  std::unique_ptr<cmcOutline> body_;  // as read by the last Build
  std::vector<Node> nodes_;
  int selected_ = -1;
};
