#pragma once
// The two forms of the radio's settings in one image: the packed area the radio keeps
// (blocks from address 768 behind a directory, inside the exchanged range 0-0x7D7F) and
// the fixed layout above it that the sheets address. Unpacking fills the fixed layout
// from the packed area; packing rebuilds the packed area, its directory and headers.
#include "image/cmcEeprom.h"

// Image addresses shared by packing and its callers.
namespace indPackLayout {
inline constexpr int kGroupOneEnd = 528;  // end of the first block group; memory budget word U1
inline constexpr int kPackedEnd = 530;    // the address just after the end marker
inline constexpr int kPackBase = 532;     // 768 in every image this program packs
inline constexpr int kBudgetWord = 534;   // memory budget word U2
inline constexpr int kDirHeader = 544;    // version, entry size, entry count, directory address
inline constexpr int kPackStart = 768;
inline constexpr int kFixedDirectory = 46752;  // 50 entries of 10 bytes
inline constexpr int kDirSlots = 50;
inline constexpr int kDirEntrySize = 10;
inline constexpr int kListCount = 47252;      // the number of MDC aliases in use
inline constexpr int kBankCounts = 41163;     // 8 channel counts, one word per bank
inline constexpr int kGroupOneLimit = 15231;  // last address group 1 may use
inline constexpr int kGroupTwoLimit = 15743;  // last address groups 2 and 3 may use
inline constexpr char kEndMarker[] = "ZELK Inc";
}  // namespace indPackLayout

// Unpacks a loaded image (clone read, file open, the newer-data check, preparation after
// loading). Counts and sizes come from the directory, cut to the block table's limits;
// block addresses are relative to the image's own packing base, and its own list count
// receives the number of aliases taken.
void UnpackImage(cmcEeprom& image);

// Unpacks an initial image: the block table's own counts and sizes, repeating template
// elements where the table says so, so that every slot holds a usable fresh record. The
// list count becomes the number of aliases the initial image's directory lists.
void UnpackInitialImage(cmcEeprom& image);

// Rebuilds the packed area from the fixed layout for the model type; true when the
// blocks did not fit (cannot happen: channels are cut to 128 and aliases to 100). An
// image of another size is left alone and reported as not fitting.
bool PackImage(cmcEeprom& image, int modelType);
