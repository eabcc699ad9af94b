#pragma once
// A radio memory image: a flat, byte-addressed array whose size is fixed per model.
// Bulk block access ignores invalid ranges; single-byte and word access out of range is
// a programming error and ends the process. Words are big-endian.
#include <cstdint>
#include <vector>

class cmcEeprom {
 public:
  // The image size of the radio family and the radio's own EEPROM area (0 .. 0x7D7F).
  static constexpr int kImageSize = 47254;
  static constexpr int kEepromSize = 0x7D80;

  cmcEeprom() = default;

  // Reallocates when the size changes; a positive size always ends zero-filled.
  void SetSize(int size);
  int GetSize() const { return static_cast<int>(data_.size()); }
  bool IsValidAddress(int address) const { return address >= 0 && address < GetSize(); }
  void Fill(uint8_t value);

  void SetByte(int address, uint8_t value);
  uint8_t GetByte(int address) const;
  // The word whose high byte is at address; SetWord keeps the low 16 bits of value.
  int GetWord(int address) const;
  void SetWord(int address, int value);

  // Copy count bytes in or out; nothing happens when the range is not wholly inside.
  void WriteBlock(int address, const uint8_t* source, int count);
  void ReadBlock(int address, uint8_t* destination, int count) const;

  void Assign(const cmcEeprom& other);
  bool Equals(const cmcEeprom& other) const { return data_ == other.data_; }
  bool Differs(const cmcEeprom& other) const { return !Equals(other); }

  // Direct access for the cell layer, the file writer and the protocol driver.
  uint8_t* Data() { return data_.empty() ? nullptr : data_.data(); }
  const uint8_t* Data() const { return data_.empty() ? nullptr : data_.data(); }

 private:
  bool IsValidBlock(int address, int count) const;
  std::vector<uint8_t> data_;
};
