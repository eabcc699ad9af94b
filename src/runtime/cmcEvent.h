#pragma once
// One application event as listeners see it: its code, how it is delivered, two
// pointer-sized values and an owned copy of its payload (a zero-terminated text or a
// byte block; empty when there is none).
#include <cstdint>
#include <vector>

enum class cmcEvMode : uint8_t { Posted = 0, Sent = 1, Asked = 2 };

struct cmcEvent {
  uint8_t code = 0;
  cmcEvMode mode = cmcEvMode::Sent;
  intptr_t sender = 0;    // usually the sending object, sometimes a number
  intptr_t argument = 0;  // a number, a window or an object, by event
  std::vector<uint8_t> data;

  // The payload as text; "" when there is none.
  const char* Text() const { return data.empty() ? "" : reinterpret_cast<const char*>(data.data()); }
};
