#pragma once
// A growable byte queue: appends grow the allocation by a quarter of the length
// at a time, and taking from the front only moves a pointer; the content is moved
// to a fresh allocation once more than 4096 consumed bytes lie in front of it.
#include <cstdint>
#include <memory>

class cmcBuff {
 public:
  cmcBuff();
  cmcBuff(const cmcBuff& other);
  cmcBuff& operator=(const cmcBuff& other);
  virtual ~cmcBuff() = default;

  // Changes the length, growing the allocation when needed; returns n.
  int SetLength(int n);
  int GetLength() const { return length_; }
  uint8_t* Data() { return data_; }
  const uint8_t* Data() const { return data_; }
  // Content byte index; an index outside the content is fatal.
  uint8_t* At(int index);
  const uint8_t* At(int index) const;

  void Clear();
  // Moves the content to an allocation of exactly max(length, 1) bytes.
  void Compact();
  void Assign(const cmcBuff& other);
  void Append(const cmcBuff& other);
  void SetData(const uint8_t* bytes, int count);
  void AppendData(const uint8_t* bytes, int count);
  void AppendByte(uint8_t value);
  void AppendFill(uint8_t value, int count);
  // Removes and returns the first byte (0..255), or -1 when empty.
  int PopFront();

  int Capacity() const { return capacity_; }
  // Consumed bytes lying in front of the content within the allocation.
  int FrontGap() const { return static_cast<int>(data_ - alloc_.get()); }

 private:
  void Reallocate(int capacity);
  bool PointsInside(const uint8_t* bytes) const;

  std::unique_ptr<uint8_t[]> alloc_;
  uint8_t* data_ = nullptr;
  int length_ = 0;
  int capacity_ = 0;
  uint8_t fill_ = 0;
};
