// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/toolbar.h"

#include "app/main_core.h"

namespace zelvoran {
namespace {

using B = ToolbarButton;

constexpr Rect Raise(Rect r) {
  return {r.left - 1, r.top - 1, r.width + 2, r.height + 2};
}
// A menu arrow moves one pixel right so that it stays joined to its raised main button.
constexpr Rect RaiseArrow(Rect r) {
  return {r.left + 1, r.top - 1, r.width + 2, r.height + 2};
}

constexpr ToolbarButtonInfo Button(B b, std::string_view hint, int number, Rect rest) {
  return {b, hint, number, rest, Raise(rest)};
}
constexpr ToolbarButtonInfo Arrow(B b, std::string_view hint, int number, Rect rest) {
  return {b, hint, number, rest, RaiseArrow(rest)};
}

// Hints in Windows-1253.
constexpr std::array<ToolbarButtonInfo, kToolbarButtonCount> kButtons = {{
    // "Επιλογή Γλώσσας"
    Button(B::kLang, "\xC5\xF0\xE9\xEB\xEF\xE3\xDE \xC3\xEB\xFE\xF3\xF3\xE1\xF2", 1,
           {4, 2, 49, 39}),
    // "Προηγούμενο Λήμμα"
    Button(B::kPrev, "\xD0\xF1\xEF\xE7\xE3\xEF\xFD\xEC\xE5\xED\xEF \xCB\xDE\xEC\xEC\xE1", 2,
           {60, 2, 36, 39}),
    // "Λίστα Προηγουμένων Λημμάτων"
    Arrow(B::kPrevMenu,
          "\xCB\xDF\xF3\xF4\xE1 \xD0\xF1\xEF\xE7\xE3\xEF\xF5\xEC\xDD\xED\xF9\xED "
          "\xCB\xE7\xEC\xEC\xDC\xF4\xF9\xED",
          2, {96, 2, 13, 39}),
    // "Επόμενο Λήμμα"
    Button(B::kNext, "\xC5\xF0\xFC\xEC\xE5\xED\xEF \xCB\xDE\xEC\xEC\xE1", 3, {108, 2, 36, 39}),
    // "Λίστα Επομένων Λημμάτων"
    Arrow(B::kNextMenu,
          "\xCB\xDF\xF3\xF4\xE1 \xC5\xF0\xEF\xEC\xDD\xED\xF9\xED \xCB\xE7\xEC\xEC\xDC\xF4\xF9\xED",
          3, {144, 2, 13, 39}),
    // "Αντιγραφή"
    Button(B::kCopy, "\xC1\xED\xF4\xE9\xE3\xF1\xE1\xF6\xDE", 4, {164, 2, 36, 39}),
    // "Επικόλληση"
    Button(B::kPaste, "\xC5\xF0\xE9\xEA\xFC\xEB\xEB\xE7\xF3\xE7", 5, {200, 2, 36, 39}),
    // "Εκτύπωση Λήμματος"
    Button(B::kPrint, "\xC5\xEA\xF4\xFD\xF0\xF9\xF3\xE7 \xCB\xDE\xEC\xEC\xE1\xF4\xEF\xF2", 6,
           {236, 2, 36, 39}),
    // "Αναζητήσεις"
    Button(B::kSearch, "\xC1\xED\xE1\xE6\xE7\xF4\xDE\xF3\xE5\xE9\xF2", 7, {278, 2, 36, 39}),
    // "Αναζήτηση στο περιεχόμενο του λεξικού"
    Button(B::kDescrSearch,
           "\xC1\xED\xE1\xE6\xDE\xF4\xE7\xF3\xE7 \xF3\xF4\xEF "
           "\xF0\xE5\xF1\xE9\xE5\xF7\xFC\xEC\xE5\xED\xEF \xF4\xEF\xF5 "
           "\xEB\xE5\xEE\xE9\xEA\xEF\xFD",
           8, {314, 2, 36, 39}),
    // "Γρήγορη Μετάφραση"
    Button(B::kAutoTranslate, "\xC3\xF1\xDE\xE3\xEF\xF1\xE7 \xCC\xE5\xF4\xDC\xF6\xF1\xE1\xF3\xE7",
           9, {350, 2, 36, 39}),
    // "Επεξεργασία Λημμάτων"
    Button(B::kCustomEntries,
           "\xC5\xF0\xE5\xEE\xE5\xF1\xE3\xE1\xF3\xDF\xE1 \xCB\xE7\xEC\xEC\xDC\xF4\xF9\xED", 10,
           {392, 2, 45, 39}),
    // "Συντομογραφίες"
    Button(B::kShortCuts, "\xD3\xF5\xED\xF4\xEF\xEC\xEF\xE3\xF1\xE1\xF6\xDF\xE5\xF2", 11,
           {437, 2, 36, 39}),
    // "Βοήθεια"
    Button(B::kHelp, "\xC2\xEF\xDE\xE8\xE5\xE9\xE1", 12, {473, 2, 38, 39}),
    // "Παραμονή στην κορυφή"
    Button(B::kPin, "\xD0\xE1\xF1\xE1\xEC\xEF\xED\xDE \xF3\xF4\xE7\xED \xEA\xEF\xF1\xF5\xF6\xDE",
           13, {516, 10, 25, 22}),
    // "Έξοδος"
    Button(B::kExit, "\xB8\xEE\xEF\xE4\xEF\xF2", 14, {545, 2, 45, 39}),
}};

// The buttons of hover number k: the main button first, then its menu arrow (if any).
struct Group {
  B main;
  std::optional<B> arrow;
};

constexpr std::array<Group, 14> kGroups = {{
    {B::kLang, {}},
    {B::kPrev, B::kPrevMenu},
    {B::kNext, B::kNextMenu},
    {B::kCopy, {}},
    {B::kPaste, {}},
    {B::kPrint, {}},
    {B::kSearch, {}},
    {B::kDescrSearch, {}},
    {B::kAutoTranslate, {}},
    {B::kCustomEntries, {}},
    {B::kShortCuts, {}},
    {B::kHelp, {}},
    {B::kPin, {}},
    {B::kExit, {}},
}};

bool IsRaised(const MainView& view, B b) {
  return view.ButtonBounds(b).top == ToolbarInfo(b).raised.top;
}

}  // namespace

const std::array<ToolbarButtonInfo, kToolbarButtonCount>& ToolbarButtons() {
  return kButtons;
}

const ToolbarButtonInfo& ToolbarInfo(ToolbarButton button) {
  for (const ToolbarButtonInfo& info : kButtons) {
    if (info.button == button) return info;
  }
  return kButtons[0];
}

Point MenuPointUnder(const MainView& view, ToolbarButton button) {
  // The window's frame and caption bar are whatever the window manager made them: the point
  // is taken from the client area's real place on the screen.
  const Point client = view.ClientOrigin();
  const Rect b = view.ButtonBounds(button);
  return {client.x + b.left, client.y + b.top + b.height};
}

void HighlightToolbarButton(MainCore& core, int number) {
  MainView& view = core.view;
  for (int k = 1; k <= static_cast<int>(kGroups.size()); ++k) {
    const Group& g = kGroups[static_cast<size_t>(k - 1)];
    const bool raised = IsRaised(view, g.main);
    if (number == k) {
      if (raised) continue;
      view.SetButtonBounds(g.main, ToolbarInfo(g.main).raised);
      view.BringButtonToFront(g.main);
      if (g.arrow) {
        view.SetButtonBounds(*g.arrow, ToolbarInfo(*g.arrow).raised);
        view.BringButtonToFront(*g.arrow);
      }
    } else if (raised || number == kHoverReset) {
      view.SetButtonBounds(g.main, ToolbarInfo(g.main).rest);
      if (g.arrow) view.SetButtonBounds(*g.arrow, ToolbarInfo(*g.arrow).rest);
      if (g.main == B::kLang) view.BringButtonToFront(g.main);
    }
  }
}

}  // namespace zelvoran
