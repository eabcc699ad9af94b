#include "clone/cmcSerialFactory.h"

#include <algorithm>

#include "clone/cmcPortTable.h"
#include "clone/cmcPosixSerial.h"

void cmcSerialFactory::Register(const std::string& prefix, Creator creator) {
  std::erase_if(creators_, [&](const auto& entry) { return entry.first == prefix; });
  if (creator) creators_.emplace_back(prefix, std::move(creator));
}

std::string cmcSerialFactory::PathOf(int number) const { return table_.Path(number); }

std::unique_ptr<cmcSerialBackend> cmcSerialFactory::Create(const std::string& path) const {
  // The longest matching prefix wins, so "sim:2" can be served apart from "sim:".
  const std::pair<std::string, Creator>* best = nullptr;
  for (const auto& entry : creators_) {
    if (path.starts_with(entry.first) && (!best || entry.first.size() > best->first.size())) best = &entry;
  }
  if (best) return best->second(path);
  if (path.starts_with(kSimulatedRadioPath)) return nullptr;
  return std::make_unique<cmcPosixSerial>();
}
