#pragma once
// Creates the backend for a port: resolves the number through the port table and
// serves a path by the creator registered for its prefix ("sim:" for the in-process
// radio, others in tests), or by the POSIX terminal backend.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clone/cmcSerialBackend.h"

class cmcPortTable;

class cmcSerialFactory {
 public:
  static constexpr const char* kSimulatedRadioPath = "sim:";
  // Makes a closed backend for a path.
  using Creator = std::function<std::unique_ptr<cmcSerialBackend>(const std::string& path)>;

  // The table is not owned and must outlive the factory.
  explicit cmcSerialFactory(const cmcPortTable& table) : table_(table) {}

  // Serves every path that begins with prefix by creator; registering a prefix again
  // replaces its creator, an empty creator removes it.
  void Register(const std::string& prefix, Creator creator);
  // The device path of a port number; empty when the table has none.
  std::string PathOf(int number) const;
  // A closed backend for the path; nullptr for the simulated radio's path while no
  // creator serves it.
  std::unique_ptr<cmcSerialBackend> Create(const std::string& path) const;

 private:
  const cmcPortTable& table_;
  std::vector<std::pair<std::string, Creator>> creators_;
};
