// SPDX-License-Identifier: GPL-3.0-or-later
// A shell that records what it was asked to open or start, and answers as told.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace zelvoran::testing {

class FakeShell final : public Shell {
 public:
  struct Call {
    std::string kind;  // "file", "address" or "program"
    std::string target;
    std::string parameters;
    bool operator==(const Call&) const = default;
  };

  bool succeed = true;
  std::vector<Call> calls;

  bool OpenFile(std::string_view path) override { return Record("file", path, {}); }
  bool OpenAddress(std::string_view address) override { return Record("address", address, {}); }
  bool StartProgram(std::string_view path, std::string_view parameters) override {
    return Record("program", path, parameters);
  }

 private:
  bool Record(const char* kind, std::string_view target, std::string_view parameters) {
    calls.push_back({kind, std::string(target), std::string(parameters)});
    return succeed;
  }
};

}  // namespace zelvoran::testing
