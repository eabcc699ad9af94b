#pragma once
// The recent file list: full paths, most recent first, never more than the capacity.
// Paths compare ignoring ASCII letter case, so one file is listed once however its
// path was typed; an empty path is never stored.
#include <string>
#include <vector>

class cmcRecent {
 public:
  explicit cmcRecent(int capacity = 10);

  // Puts the path first, removing every entry equal to it.
  void AddFront(const std::string& path);
  // Puts the path last, removing every entry equal to it; dropped when the list is full.
  void Append(const std::string& path);
  // Removes every entry equal to the path.
  void Remove(const std::string& path);
  int Count() const { return static_cast<int>(paths_.size()); }
  int Capacity() const { return capacity_; }
  // The entry at index, shortened to its file name when it lies directly in folder;
  // the full path for an empty folder; empty when index is out of range.
  std::string DisplayName(int index, const std::string& folder) const;
  void Clear() { paths_.clear(); }

 private:
  void Trim();

  int capacity_;
  std::vector<std::string> paths_;
};
