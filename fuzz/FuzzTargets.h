#pragma once
// The fuzz targets' entry functions. Each takes one input and returns 0. A fatal
// configuration error inside ends the input as its expected outcome (a malformed overlay
// is fatal by design); anything else that goes wrong crashes, for the fuzzer to keep.
// libFuzzer drives one target per program (FuzzMain.cpp); test_fuzz replays the
// checked-in corpora and past crash inputs through the same functions.
#include <cstddef>
#include <cstdint>
#include <span>

struct dst_FuzzTarget {
  const char* name;  // also the folder of its corpus, crash inputs and dictionary
  int (*entry)(const uint8_t* data, size_t size);
};

// A clone file opened as Open does and, when accepted, saved as Save does.
int FuzzCloneFile(const uint8_t* data, size_t size);
// The clone driver's receive path: byte 0 picks the exchange (information, read or
// write), the rest are the radio's answers, arriving on an in-memory port as the
// virtual clock runs; every time-out fires, and the exchange must end with a result.
int FuzzCloneDriver(const uint8_t* data, size_t size);
// The simulated radio's parser: byte 0 sets a clone password and echo, the rest arrive
// from the controller in pieces while the virtual clock runs.
int FuzzSimRadio(const uint8_t* data, size_t size);
// An overlay store read from the input's lines, then every sheet it defines built as
// each sheet kind.
int FuzzOverlay(const uint8_t* data, size_t size);
// Typed text into a cell of a shipped initial image: byte 0 picks the model type's
// image, bytes 1-2 the cell among every cell of its tree's sheets, the rest is the text.
int FuzzTypedText(const uint8_t* data, size_t size);

// Every target, by name.
std::span<const dst_FuzzTarget> FuzzTargets();
