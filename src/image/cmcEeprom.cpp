#include "image/cmcEeprom.h"

#include <algorithm>
#include <cstring>

#include "runtime/cmcFatal.h"

void cmcEeprom::SetSize(int size) {
  if (size <= 0) {
    std::vector<uint8_t>().swap(data_);
    return;
  }
  if (size != GetSize()) {
    std::vector<uint8_t>().swap(data_);
    data_.resize(static_cast<size_t>(size));
  }
  std::fill(data_.begin(), data_.end(), 0);
}

void cmcEeprom::Fill(uint8_t value) { std::fill(data_.begin(), data_.end(), value); }

void cmcEeprom::SetByte(int address, uint8_t value) {
  if (!IsValidAddress(address)) cmcFatal("Out of EEPROM image address (SetByte).");
  data_[static_cast<size_t>(address)] = value;
}

uint8_t cmcEeprom::GetByte(int address) const {
  if (!IsValidAddress(address)) cmcFatal("Out of EEPROM image address (GetByte).");
  return data_[static_cast<size_t>(address)];
}

int cmcEeprom::GetWord(int address) const {
  if (!IsValidBlock(address, 2)) cmcFatal("Out of EEPROM image address (GetWord).");
  const size_t at = static_cast<size_t>(address);
  return data_[at] << 8 | data_[at + 1];
}

void cmcEeprom::SetWord(int address, int value) {
  if (!IsValidBlock(address, 2)) cmcFatal("Out of EEPROM image address (SetWord).");
  const size_t at = static_cast<size_t>(address);
  data_[at] = static_cast<uint8_t>(value >> 8);
  data_[at + 1] = static_cast<uint8_t>(value);
}

bool cmcEeprom::IsValidBlock(int address, int count) const {
  // Written so that address + count cannot overflow.
  return address >= 0 && address < GetSize() && count > 0 && count <= GetSize() - address;
}

void cmcEeprom::WriteBlock(int address, const uint8_t* source, int count) {
  if (!IsValidBlock(address, count) || !source) return;
  std::memmove(data_.data() + address, source, static_cast<size_t>(count));
}

void cmcEeprom::ReadBlock(int address, uint8_t* destination, int count) const {
  if (!IsValidBlock(address, count) || !destination) return;
  std::memmove(destination, data_.data() + address, static_cast<size_t>(count));
}

void cmcEeprom::Assign(const cmcEeprom& other) {
  if (&other == this) return;
  SetSize(other.GetSize());
  other.ReadBlock(0, Data(), other.GetSize());
}
