#pragma once
// One answer to an asked event. The answers to one ask form a chain in the order they
// were given; the first answer owns the rest.
#include <cstdint>
#include <memory>
#include <vector>

struct cmcEvAnswer {
  intptr_t data = 0;
  intptr_t window = 0;
  std::vector<uint8_t> bytes;  // copied answer bytes; empty when none were given
  std::unique_ptr<cmcEvAnswer> next;

  cmcEvAnswer() = default;
  cmcEvAnswer(const cmcEvAnswer&) = delete;
  cmcEvAnswer& operator=(const cmcEvAnswer&) = delete;
  // Unlinks the chain one answer at a time, so a long chain does not recurse.
  ~cmcEvAnswer() {
    for (auto rest = std::move(next); rest;) rest = std::move(rest->next);
  }
};
