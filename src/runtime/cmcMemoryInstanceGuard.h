#pragma once
// The test implementation of cmcInstanceGuard: guards made on the same registry
// behave like processes of one user; AlertOwner counts the alerts sent.
#include <memory>
#include <set>
#include <string>

#include "runtime/cmcInstanceGuard.h"

class cmcMemoryInstanceGuard : public cmcInstanceGuard {
 public:
  struct Registry {
    std::set<std::string> claimed;
    int alerts = 0;
  };
  explicit cmcMemoryInstanceGuard(std::shared_ptr<Registry> registry) : registry_(std::move(registry)) {}
  ~cmcMemoryInstanceGuard() override { Release(); }

  bool Claim(const std::string& name) override {
    if (!held_.empty()) return held_ == name;
    if (!registry_->claimed.insert(name).second) return false;
    held_ = name;
    return true;
  }
  void Release() override {
    if (held_.empty()) return;
    registry_->claimed.erase(held_);
    held_.clear();
  }
  void AlertOwner() override { ++registry_->alerts; }

 private:
  std::shared_ptr<Registry> registry_;
  std::string held_;
};
