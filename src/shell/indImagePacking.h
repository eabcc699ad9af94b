#pragma once
// The two forms of the radio's settings in one image: the packed area the radio keeps
// (blocks from address 768 behind a directory, inside the exchanged range 0-0x7D7F) and
// the fixed layout above it that the sheets address. Unpacking fills the fixed layout
// from the packed area; packing rebuilds the packed area, its directory and headers.
// The addresses of the packing layout are cmcImageMap's.
#include "image/cmcEeprom.h"

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
