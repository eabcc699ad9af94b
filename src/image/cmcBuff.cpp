#include "image/cmcBuff.h"

#include <algorithm>
#include <cstring>

#include "runtime/cmcFatal.h"

namespace {
constexpr int kCompactThreshold = 4096;
}

cmcBuff::cmcBuff() { Reallocate(1); }

cmcBuff::cmcBuff(const cmcBuff& other) : cmcBuff() { Assign(other); }

cmcBuff& cmcBuff::operator=(const cmcBuff& other) {
  if (this != &other) Assign(other);
  return *this;
}

void cmcBuff::Reallocate(int capacity) {
  capacity = std::max(capacity, 1);
  auto fresh = std::make_unique<uint8_t[]>(static_cast<size_t>(capacity));
  const int keep = std::min(length_, capacity);
  if (keep > 0) std::memcpy(fresh.get(), data_, static_cast<size_t>(keep));
  std::memset(fresh.get() + keep, fill_, static_cast<size_t>(capacity - keep));
  alloc_ = std::move(fresh);
  data_ = alloc_.get();
  capacity_ = capacity;
}

int cmcBuff::SetLength(int n) {
  if (n < 0) n = 0;
  if (n > capacity_) Reallocate(n + (length_ >> 2));
  length_ = n;
  return n;
}

uint8_t* cmcBuff::At(int index) {
  if (index < 0 || index >= length_) cmcFatal("Out of cmcBuff element !");
  return data_ + index;
}

const uint8_t* cmcBuff::At(int index) const {
  if (index < 0 || index >= length_) cmcFatal("Out of cmcBuff element !");
  return data_ + index;
}

void cmcBuff::Clear() {
  length_ = 0;
  Reallocate(1);
}

void cmcBuff::Compact() { Reallocate(length_); }

void cmcBuff::Assign(const cmcBuff& other) {
  if (this == &other) return;
  SetData(other.Data(), other.GetLength());
}

void cmcBuff::Append(const cmcBuff& other) {
  if (this == &other) {
    const cmcBuff copy(other);
    AppendData(copy.Data(), copy.GetLength());
    return;
  }
  AppendData(other.Data(), other.GetLength());
}

bool cmcBuff::PointsInside(const uint8_t* bytes) const { return bytes >= alloc_.get() && bytes < data_ + capacity_; }

void cmcBuff::SetData(const uint8_t* bytes, int count) {
  if (PointsInside(bytes)) {
    const cmcBuff copy(*this);
    SetData(copy.Data() + (bytes - data_), count);
    return;
  }
  SetLength(count);
  if (count > 0 && bytes) std::memmove(data_, bytes, static_cast<size_t>(count));
}

void cmcBuff::AppendData(const uint8_t* bytes, int count) {
  if (count <= 0 || !bytes) return;
  if (PointsInside(bytes)) {
    // The source lives in this buffer and may move when it grows.
    const cmcBuff copy(*this);
    AppendData(copy.Data() + (bytes - data_), count);
    return;
  }
  const int at = length_;
  SetLength(at + count);
  std::memmove(data_ + at, bytes, static_cast<size_t>(count));
}

void cmcBuff::AppendByte(uint8_t value) {
  const int at = length_;
  SetLength(at + 1);
  data_[at] = value;
}

void cmcBuff::AppendFill(uint8_t value, int count) {
  if (count <= 0) return;
  const int at = length_;
  SetLength(at + count);
  std::memset(data_ + at, value, static_cast<size_t>(count));
}

int cmcBuff::PopFront() {
  if (length_ <= 0) return -1;
  const int value = *data_;
  ++data_;
  --capacity_;
  --length_;
  if (FrontGap() > kCompactThreshold) Compact();
  return value;
}
