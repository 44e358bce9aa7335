// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line conventions of the tools: options come from a table, "--help" and "-h" ask
// for the usage, "--version" for the version, "--" ends the options (so that an operand may
// begin with "-"), and "--name=value" is the same as "--name value".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran::cli {

// One option of a tool. `apply` receives the option's value (empty for a flag) and returns a
// message when the value is not usable.
struct Option {
  std::string_view name;   // "--mode"
  std::string_view value;  // what it takes, as the usage shows it ("N"); empty for a flag
  std::string_view help;   // one line for --help
  std::function<std::optional<std::string>(const std::string& value)> apply;
};

enum class Action { kRun, kHelp, kVersion, kUsageError };

struct ParseResult {
  Action action = Action::kRun;
  std::vector<std::string> operands;  // the arguments that are not options, in order
  std::string error;                  // for kUsageError
};

// Parses `args` (without the program name) against `options`. The first "--help"/"-h" or
// "--version" wins over anything after it; an unknown option or an unusable value is a usage
// error.
inline ParseResult Parse(const std::vector<std::string>& args, const std::vector<Option>& options) {
  ParseResult r;
  auto usage_error = [&r](std::string message) {
    r.action = Action::kUsageError;
    r.error = std::move(message);
    return r;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--") {
      r.operands.insert(r.operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                        args.end());
      break;
    }
    if (a.empty() || a[0] != '-') {
      r.operands.push_back(a);
      continue;
    }
    if (a == "--help" || a == "-h") {
      r.action = Action::kHelp;
      return r;
    }
    if (a == "--version") {
      r.action = Action::kVersion;
      return r;
    }
    const size_t eq = a.find('=');
    const std::string name = a.substr(0, eq);
    const Option* found = nullptr;
    for (const Option& o : options) {
      if (o.name == name) found = &o;
    }
    if (!found) return usage_error("unknown option " + a);
    std::string value;
    if (found->value.empty()) {
      if (eq != std::string::npos) return usage_error(name + " takes no value");
    } else if (eq != std::string::npos) {
      value = a.substr(eq + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return usage_error(name + " takes " + std::string(found->value));
    }
    if (auto problem = found->apply(value)) return usage_error(*problem);
  }
  return r;
}

// The option list for --help: one option a line, its help text in a column.
inline std::string OptionsHelp(const std::vector<Option>& options) {
  constexpr size_t kColumn = 30;
  std::string out;
  // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) of "literal" + string.
  auto line = [&out](std::string_view name, std::string_view value, std::string_view help) {
    const size_t start = out.size();
    out += "  ";
    out += name;
    if (!value.empty()) {
      out += ' ';
      out += value;
    }
    const size_t width = out.size() - start;
    if (width + 2 <= kColumn) {
      out.append(kColumn - width, ' ');
    } else {
      out += '\n';
      out.append(kColumn, ' ');
    }
    out += help;
    out += '\n';
  };
  for (const Option& o : options) line(o.name, o.value, o.help);
  line("-h, --help", "", "show this help and exit");
  line("--version", "", "show the version and exit");
  line("--", "", "end of options: what follows is an operand even if it begins with '-'");
  return out;
}

}  // namespace zelvoran::cli
