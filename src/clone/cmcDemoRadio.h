#pragma once
// The demo radio: one simulated radio served in-process as a port the user can pick
// (port kPort maps to the simulated radio's path), its memory loaded from a clone file,
// by default the model type's initial image, so that every exchange has real data.
#include <string>

#include "clone/cmcSimRadio.h"

class cmcGTex;
class cmcPortTable;
class cmcPrompts;
class cmcSerialFactory;

class cmcDemoRadio {
 public:
  // The port number of the demo radio: the last one, clear of the device families and
  // of the numbers given to devices found later.
  static constexpr int kPort = 256;

  explicit cmcDemoRadio(cmcTimerHost& timers) : radio_(timers) {}

  // Maps kPort to the simulated radio and serves it on the factory; both must outlive
  // their use of the radio.
  void Install(cmcPortTable& table, cmcSerialFactory& factory);

  // Loads the radio's memory (0-7D7F) from a clone file of this radio family; the clone
  // file result code, reported through prompts with the overlay's texts.
  int LoadImage(const std::string& path, cmcPrompts& prompts, cmcGTex& overlay);
  // Loads the initial image of the model type, named by the overlay, from exeDir.
  int LoadInitialImage(const std::string& exeDir, int modelType, cmcPrompts& prompts, cmcGTex& overlay);

  // Reads a clone file's memory area into image (any coverage); the clone file result code.
  static int ReadCloneFile(const std::string& path, cmcEeprom& image, cmcPrompts& prompts, cmcGTex& overlay);
  // Saves the memory area of image as a clone file, as the program saves one.
  static int WriteCloneFile(const std::string& path, const cmcEeprom& image, cmcPrompts& prompts, cmcGTex& overlay);
  // The initial image file of a model type.
  static std::string InitialImagePath(const std::string& exeDir, int modelType, cmcGTex& overlay);

  cmcSimRadio& Radio() { return radio_; }

 private:
  cmcSimRadio radio_;
};
