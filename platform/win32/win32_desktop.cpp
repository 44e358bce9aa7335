// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/win32_desktop.h"

#include <string>

#include "platform/win32/win32_api.h"
// After windows.h, which it needs.
#include <shellapi.h>

namespace zelvoran {

std::vector<KeyboardLayouts::Handle> Win32KeyboardLayouts::List(int max) {
  std::vector<Handle> handles;
  if (max <= 0) return handles;
  std::vector<HKL> list(static_cast<size_t>(max));
  const int count = GetKeyboardLayoutList(max, list.data());
  for (int i = 0; i < count && i < max; ++i) {
    handles.push_back(
        static_cast<Handle>(reinterpret_cast<uintptr_t>(list[static_cast<size_t>(i)])));
  }
  return handles;
}

bool Win32KeyboardLayouts::Activate(Handle layout) {
  return ActivateKeyboardLayout(reinterpret_cast<HKL>(static_cast<uintptr_t>(layout)), 0) !=
         nullptr;
}

std::string Win32KeyboardLayouts::ActiveLayoutName() {
  char name[KL_NAMELENGTH] = {};
  if (!GetKeyboardLayoutNameA(name)) return {};
  return name;
}

std::optional<std::string> Win32KeyboardLayouts::EnglishLanguageName(uint32_t locale) {
  char name[64] = {};
  const int length = GetLocaleInfoA(static_cast<LCID>(locale), LOCALE_SENGLANGUAGE, name,
                                    static_cast<int>(sizeof name));
  if (length <= 0) return std::nullopt;
  return std::string(name);
}

bool Win32Shell::Execute(const std::string& file, const char* parameters) {
  const HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(static_cast<uintptr_t>(owner_)),
                                         nullptr, file.c_str(), parameters, nullptr, SW_SHOW);
  return reinterpret_cast<intptr_t>(result) > 32;
}

bool Win32Shell::OpenFile(std::string_view path) {
  const DWORD a = GetFileAttributesA(std::string(path).c_str());
  if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) return false;
  return Execute(std::string(path), nullptr);
}

bool Win32Shell::OpenAddress(std::string_view address) {
  // A scheme of letters followed by ":" and something after it.
  const size_t colon = address.find(':');
  if (colon == 0 || colon == std::string_view::npos || colon + 1 == address.size()) return false;
  for (size_t i = 0; i < colon; ++i) {
    const char c = address[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && !(i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) {
      return false;
    }
  }
  return Execute(std::string(address), nullptr);
}

bool Win32Shell::StartProgram(std::string_view path, std::string_view parameters) {
  const std::string params(parameters);
  return Execute(std::string(path), params.empty() ? nullptr : params.c_str());
}

}  // namespace zelvoran
