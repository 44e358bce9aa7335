// SPDX-License-Identifier: GPL-3.0-or-later
// The names a screen reader announces for the main window's controls, in Greek. The toolbar
// buttons take their hints as names by themselves (GlyphButton); the labels are read by their
// captions.
#include <QAccessible>
#include <QAccessibleWidget>

#include "app/ui/main_lex.h"

namespace zelvoran {
namespace {

// The accessible role given to a control in place of the toolkit's choice.
const char* const kRole = "zelvoranAccessibleRole";

// The main window is presented as a frame (a plain top-level QWidget would be a filler);
// controls with a role of their own get it: decoration is an unnamed filler, which screen
// readers pass over. Every other object gets the toolkit's own presentation.
QAccessibleInterface* PresentMainWindow(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  if (widget == MainLex) return new QAccessibleWidget(widget, QAccessible::Window);
  const QVariant role = widget->property(kRole);
  if (role.isValid()) return new QAccessibleWidget(widget, role.value<QAccessible::Role>());
  return nullptr;
}

void SetRole(QWidget* w, QAccessible::Role role) {
  w->setProperty(kRole, QVariant::fromValue(role));
  // An interface made while the window was built (by a state change) is made again.
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(w);
  if (made && made->role() != role) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
  }
}

}  // namespace

QString DirectionAccessibleDescription(bool greek) {
  return greek ? QStringLiteral("Ελληνικά λήμματα με αγγλική ερμηνεία")
               : QStringLiteral("Αγγλικά λήμματα με ελληνική ερμηνεία");
}

void TMainLex::NameControls() {
  static const bool installed = [] {
    QAccessible::installFactory(PresentMainWindow);
    return true;
  }();
  (void)installed;
  // The window's name is its caption, which follows quick translation.
  setAccessibleDescription(QStringLiteral("Ελληνοαγγλικό και αγγλοελληνικό λεξικό"));

  Entry_Text->setAccessibleName(QStringLiteral("Λήμμα προς Αναζήτηση"));
  Entry_Text->setAccessibleDescription(
      QStringLiteral("Γράψτε μια λέξη· η λίστα λημμάτων ακολουθεί την πληκτρολόγηση"));
  Entries_List->setAccessibleName(QStringLiteral("Λίστα λημμάτων"));
  Entries_List->setAccessibleDescription(
      QStringLiteral("Τα λήμματα που ταιριάζουν με τη λέξη· το επιλεγμένο εμφανίζεται"));
  Description_Text->setAccessibleName(QStringLiteral("Ερμηνεία λήμματος"));
  Description_Text->setAccessibleDescription(QStringLiteral("Διπλό κλικ σε μια λέξη την αναζητά"));
  Entry_Label->setAccessibleDescription(QStringLiteral("Το λήμμα που εμφανίζεται"));
  CopyrightLabel->setAccessibleDescription(CopyrightLabel->toolTip());
  QuimbrellImage->setAccessibleName(QuimbrellImage->toolTip());
  Quimbrell_Label->setAccessibleDescription(Quimbrell_Label->toolTip());
  Fill_List_Button->setAccessibleName(QStringLiteral("Ανανέωση λίστας λημμάτων"));

  SetRole(QuimbrellImage, QAccessible::Graphic);
  // Decoration and the hidden helper edit carry no information of their own.
  for (QWidget* w :
       {static_cast<QWidget*>(Main_Image), static_cast<QWidget*>(Line_Image), Panel2,
        static_cast<QWidget*>(MiddleColor_Edit), static_cast<QWidget*>(Clipboard_Edit)}) {
    SetRole(w, QAccessible::Client);
  }

  // The language button also says which direction is in force (SetLangPicture follows it).
  Button(ToolbarButton::kLang)->setAccessibleDescription(DirectionAccessibleDescription(false));
}

}  // namespace zelvoran
