#pragma once
// A clipboard of records: copies of a run of records of one record kind taken from
// an image, which can be stored again at another place of the same kind. Kind 0
// means empty. The held records are copies; pasting never changes them.
#include <cstddef>
#include <vector>

#include "channel/datCh.h"

class cmcEeprom;

class cmcClipCh {
 public:
  virtual ~cmcClipCh() = default;
  // Frees the records: kind 0, first 0, count 0.
  virtual void Clear();
  // Clears, then holds records first … first + count − 1 of kind from the image.
  virtual void Copy(cmcEeprom* image, int kind, int first, int count);
  virtual void LoadOne(cmcEeprom* image, int kind, int index, datCh& record);
  // Not empty and holding that kind.
  virtual bool CanPaste(int kind) const;
  // When CanPaste: stores the first min(held, count) records at first, first + 1, …
  virtual void Paste(cmcEeprom* image, int kind, int first, int count);
  virtual void StoreOne(cmcEeprom* image, int kind, int index, const datCh& record);

  int Kind() const { return kind_; }
  int First() const { return first_; }
  int Count() const { return static_cast<int>(records_.size()); }
  const datCh& Record(int i) const { return records_[static_cast<size_t>(i)]; }

 private:
  std::vector<datCh> records_;
  int kind_ = 0;
  int first_ = 0;
};
