// Keeps an environment variable as it was when the guard was made: its value, or that it was
// unset, comes back when the guard goes.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace qor_test {

class EnvironmentGuard {
 public:
  explicit EnvironmentGuard(const char* name) : _name(name) {
    const char* value = std::getenv(name);
    if (value != nullptr) _value = value;
  }
  ~EnvironmentGuard() {
    if (_value) {
      setenv(_name.c_str(), _value->c_str(), 1);
    } else {
      unsetenv(_name.c_str());
    }
  }
  EnvironmentGuard(const EnvironmentGuard&) = delete;
  EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

 private:
  std::string _name;
  std::optional<std::string> _value;
};

}  // namespace qor_test
