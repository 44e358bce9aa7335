// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the application object with its title, the main window and the message
// loop. The program reads no command line.
#include <QApplication>
#include <cstdlib>

#include "app/ui/main_lex.h"
#include "app/ui/widgets.h"
#include "platform/linux/clipboard_qt.h"
#include "platform/linux/display_platform.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/qt_message_boxes.h"
#include "platform/linux/shell_qt.h"
#include "platform/linux/speech_qt.h"
#include "platform/linux/x11_keyboard_layouts.h"

int main(int, char** argv) {
  // Only the program's name reaches Qt, so no argument is ever interpreted.
  // Under Wayland the program runs through XWayland where it can (see ChooseQtPlatform).
  const std::string platform = zelvoran::ChooseQtPlatform(
      std::getenv("QT_QPA_PLATFORM"), std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"));
  if (!platform.empty()) qputenv("QT_QPA_PLATFORM", platform.c_str());
  int qt_argc = 1;
  char* qt_argv[] = {argv[0], nullptr};
  QApplication app(qt_argc, qt_argv);
  QApplication::setApplicationName(QStringLiteral("Zelvoran Glossa"));
  // Matches the window to its menu entry (packaging/zelvoran-glossa.desktop).
  QGuiApplication::setDesktopFileName(QStringLiteral("zelvoran-glossa"));
  zelvoran::InstallFontSubstitutions();

  zelvoran::PosixFileSystem fs;
  zelvoran::LinuxSystemFolders folders;
  zelvoran::LinuxSystemInfo info;
  zelvoran::X11KeyboardLayouts keyboard;
  zelvoran::QtMessageBoxes messages;
  zelvoran::QtClipboard clipboard;
  zelvoran::QtShell shell;
  zelvoran::QtSpeech speech;
  zelvoran::ProgramState state;

  // FormCreate runs here. Each dialog (TSearchForm, TShortCutsForm, TCopyrightForm,
  // TMessageForm, TInsertEntryFrm, TSelectCustomDirForm) is created by the command that
  // shows it and destroyed afterwards.
  zelvoran::TMainLex main_lex(zelvoran::Services{.fs = fs,
                                                 .folders = folders,
                                                 .info = info,
                                                 .keyboard = &keyboard,
                                                 .messages = &messages,
                                                 .clipboard = &clipboard,
                                                 .shell = &shell,
                                                 .speech = &speech},
                              state);
  // The entry box types with the layout of the direction, not the desktop's.
  keyboard.AttachEntryBox(main_lex.findChild<zelvoran::EntryEdit*>());
  main_lex.show();
  return QApplication::exec();
}
