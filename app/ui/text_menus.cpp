// SPDX-License-Identifier: GPL-3.0-or-later
// The context menus and clipboard keys of the main window's three text controls. The controls'
// own clipboard operations are never used for copying: every copy goes through the copy
// command's rule, which raises CopyInProgress around the write so that quick translation
// leaves the program's own copies alone.
#include <QAction>
#include <QMenu>

#include "app/desktop_commands.h"
#include "app/guard.h"
#include "app/ui/main_lex.h"

namespace zelvoran {
namespace {

const QString& CutCaption() {
  static const QString text = QStringLiteral("Αποκοπή");
  return text;
}
const QString& CopyCaption() {
  static const QString text = QStringLiteral("Αντιγραφή");
  return text;
}
const QString& PasteCaption() {
  static const QString text = QStringLiteral("Επικόλληση");
  return text;
}
const QString& DeleteCaption() {
  static const QString text = QStringLiteral("Διαγραφή");
  return text;
}
const QString& SelectAllCaption() {
  static const QString text = QStringLiteral("Επιλογή όλων");
  return text;
}

// Adds an item that runs `command` under the handlers' catch-all.
template <typename F>
QAction* AddItem(QMenu& menu, const QString& caption, bool enabled, F command) {
  QAction* a = menu.addAction(caption);
  a->setEnabled(enabled);
  QObject::connect(a, &QAction::triggered, &menu, [command] { Guarded(command); });
  return a;
}

}  // namespace

std::unique_ptr<QMenu> TMainLex::BuildEntryMenu() {
  auto menu = std::make_unique<QMenu>(this);
  const bool selected = Entry_Text->hasSelectedText();
  AddItem(*menu, CutCaption(), selected, [this] {
    if (CopyEntrySelectionForCut(core_)) Entry_Text->del();
  });
  AddItem(*menu, CopyCaption(), selected,
          [this] { CopyInTextControl(core_, FocusedControl::kEntryText); });
  // Always offered: asking the clipboard whether it holds text could wait on another program.
  AddItem(*menu, PasteCaption(), true, [this] { PasteIntoEntryText(); });
  AddItem(*menu, DeleteCaption(), selected, [this] { Entry_Text->del(); });
  menu->addSeparator();
  AddItem(*menu, SelectAllCaption(), !Entry_Text->text().isEmpty(),
          [this] { Entry_Text->selectAll(); });
  return menu;
}

std::unique_ptr<QMenu> TMainLex::BuildDescriptionMenu() {
  auto menu = std::make_unique<QMenu>(this);
  const bool has_text = !Description_Text->document()->isEmpty();
  // The copy command's rule: the selection, or the whole explanation without one.
  AddItem(*menu, CopyCaption(), has_text,
          [this] { CopyInTextControl(core_, FocusedControl::kDescriptionText); });
  menu->addSeparator();
  AddItem(*menu, SelectAllCaption(), has_text, [this] { Description_Text->selectAll(); });
  if (!DescriptionMenuExtras.empty()) {
    menu->addSeparator();
    for (QAction* a : DescriptionMenuExtras) menu->addAction(a);
  }
  return menu;
}

std::unique_ptr<QMenu> TMainLex::BuildListMenu() {
  auto menu = std::make_unique<QMenu>(this);
  const int row = core_.List.Selected;
  AddItem(*menu, CopyCaption(), row >= 0 && row < core_.List.Count(),
          [this] { CopyInTextControl(core_, FocusedControl::kEntriesList); });
  return menu;
}

void TMainLex::WireTextControls() {
  MainCore& core = core_;
  Entry_Text->on_copy = [&core] {
    Guarded([&] { CopyInTextControl(core, FocusedControl::kEntryText); });
  };
  Entry_Text->on_cut = [this] {
    Guarded([this] {
      if (CopyEntrySelectionForCut(core_)) Entry_Text->del();
    });
  };
  Entry_Text->on_paste = [this] { Guarded([this] { PasteIntoEntryText(); }); };
  Description_Text->on_copy = [&core] {
    Guarded([&] { CopyInTextControl(core, FocusedControl::kDescriptionText); });
  };
  Entries_List->on_copy = [&core] {
    Guarded([&] { CopyInTextControl(core, FocusedControl::kEntriesList); });
  };

  Entry_Text->on_context_menu = [this](QPoint at) { BuildEntryMenu()->exec(at); };
  Description_Text->on_context_menu = [this](QPoint at) { BuildDescriptionMenu()->exec(at); };
  Entries_List->on_context_menu = [this](QPoint at) { BuildListMenu()->exec(at); };
}

}  // namespace zelvoran
