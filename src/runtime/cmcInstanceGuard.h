#pragma once
// The single-instance seam: one named claim per user. The owner keeps it until
// Release; a second process finds it taken and can ask the owner for attention.
#include <string>

class cmcInstanceGuard {
 public:
  virtual ~cmcInstanceGuard() = default;
  // True when this process now holds the claim of that name.
  virtual bool Claim(const std::string& name) = 0;
  virtual void Release() = 0;
  // Asks the process that holds the claim to draw the user's attention to its window.
  virtual void AlertOwner() = 0;
};
