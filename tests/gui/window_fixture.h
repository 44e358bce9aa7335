// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window over a temporary program folder with fixture data, driven as a user
// would: typed keys, clicks, toolbar buttons, popup menus and modal dialogs. Shared by the
// window_*_test.cpp files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_core.h"
#include "app/toolbar.h"
#include "app/ui/main_lex.h"
#include "platform/linux/posix_file_system.h"
#include "platform/message_boxes.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_keyboard.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fixture_data.h"
#include "tests/support/gui_typing.h"
#include "tests/unit/lookup_fixture.h"
#include "text/cp1253.h"

namespace zelvoran::testing {

using B = ToolbarButton;
namespace fs = std::filesystem;

inline QString Q(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// Message boxes that record what they were asked (UTF-8) and answer questions as told.
// Like tests/support/recording_messages.h, but keeps the texts as UTF-8 for readable checks.
class Utf8RecordingMessages final : public MessageBoxes {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> problems;
  std::vector<std::string> questions;  // "text | caption"
  bool answer = false;
  void ShowMessage(std::string_view text) override { messages.push_back(Cp1253ToUtf8(text)); }
  void ShowProblem(std::string_view text) override { problems.push_back(Cp1253ToUtf8(text)); }
  bool Confirm(std::string_view text, std::string_view caption) override {
    questions.push_back(Cp1253ToUtf8(text) + " | " + Cp1253ToUtf8(caption));
    return answer;
  }
};

// The lookup tests' dictionary with a run of forty English headwords "pagaa" to "pagbn", so
// that a prefix fills more than one page of the list.
inline dictc::DataSet WindowDataSet() {
  dictc::DataSet d = LookupDataSet();
  std::vector<dictc::SourceEntry> english;
  for (const dictc::SourceEntry& e : d.English) {
    if (e.Headword == "sofa") {
      for (int i = 0; i < 40; ++i) {
        const std::string hw =
            std::string("pag") + static_cast<char>('a' + i / 26) + static_cast<char>('a' + i % 26);
        english.push_back(Entry(hw, "σελίδα " + std::to_string(i)));
      }
    }
    english.push_back(e);
  }
  d.English = std::move(english);
  return d;
}

// Runs `act` on the modal dialog of type T as soon as it is the active modal widget. A dialog
// that is still open five seconds later is rejected, so a failing test never hangs.
template <typename T>
void WhenShown(std::function<void(T&)> act, int tries = 2000) {
  QTimer::singleShot(2, [act, tries] {
    if (auto* d = dynamic_cast<T*>(QApplication::activeModalWidget())) {
      QPointer<T> guard(d);
      QTimer::singleShot(5000, [guard] {
        if (guard && guard->isVisible()) {
          ADD_FAILURE() << "the dialog was left open";
          guard->reject();
        }
      });
      act(*d);
    } else if (tries > 0) {
      WhenShown<T>(act, tries - 1);
    } else {
      ADD_FAILURE() << "the dialog did not open";
    }
  });
}

// Chooses item `index` of the popup menu about to open, with the pointer, after handing its
// captions to `captions`, its screen position to `at` and which items are enabled to `enabled`
// (when given). An index out of range closes the menu with no choice; a menu still open later
// is closed.
inline void WhenMenuOpens(int index, QStringList* captions = nullptr, QPoint* at = nullptr,
                          std::vector<bool>* enabled = nullptr, int tries = 2000) {
  QTimer::singleShot(2, [index, captions, at, enabled, tries] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) {
      if (tries > 0) {
        WhenMenuOpens(index, captions, at, enabled, tries - 1);
      } else {
        ADD_FAILURE() << "no menu opened";
      }
      return;
    }
    const QList<QAction*> actions = menu->actions();
    if (at) *at = menu->pos();
    if (enabled) {
      enabled->clear();
      for (const QAction* a : actions) enabled->push_back(a->isEnabled());
    }
    if (captions) {
      captions->clear();
      for (const QAction* a : actions) *captions << a->text();
    }
    if (index < 0 || index >= actions.size()) {
      menu->close();
      return;
    }
    QPointer<QMenu> guard(menu);
    QTimer::singleShot(5000, [guard] {
      if (guard && guard->isVisible()) {
        ADD_FAILURE() << "the menu was left open";
        guard->close();
      }
    });
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(actions[index]).center());
  });
}

class WindowTest : public ::testing::Test {
 protected:
  static constexpr KeyboardLayouts::Handle kGreekLayout = 1;
  static constexpr KeyboardLayouts::Handle kEnglishLayout = 2;

  void SetUp() override {
    InstallFontSubstitutions();
    char tmpl[] = "/tmp/zelvoran-window-XXXXXX";
    dir_ = ::mkdtemp(tmpl);
    folder_ = dir_ + "/";
    fs::create_directories(dir_ + "/content");
    fs::create_directories(dir_ + "/windows");
    fs::copy_file(fs::path(ZELVORAN_SOURCE_DIR) / "content" / "orangeline.bmp",
                  dir_ + "/content/orangeline.bmp");
    folders_.windows = dir_ + "/windows";
    folders_.root = dir_ + "/c/";
    keyboard_.layouts = {{kGreekLayout, "00000408"}, {kEnglishLayout, "00000409"}};
    old_cwd_ = fs::current_path();
    WriteData(files_, folder_, WindowDataSet());
  }
  void TearDown() override {
    window_.reset();
    QApplication::processEvents();
    fs::current_path(old_cwd_);
    fs::remove_all(dir_);
  }

  // Creates, shows and activates the window over the services; `extra` fills in the optional
  // ones a test needs beyond the keyboard and the message boxes.
  TMainLex& Open(const std::function<void(Services&)>& extra = {}) {
    fs::current_path(dir_);
    Services services{.fs = files_,
                      .folders = folders_,
                      .info = info_,
                      .keyboard = &keyboard_,
                      .messages = &messages_};
    if (extra) extra(services);
    window_ = std::make_unique<TMainLex>(services, state_);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    window_->Entry_Text->setFocus();
    QApplication::processEvents();
    return *window_;
  }

  TMainLex& Win() { return *window_; }
  // Whether the entry box has the focus once the window is active again after a dialog.
  bool EntryBoxFocused() {
    if (!QTest::qWaitForWindowActive(window_.get(), 1000)) return false;
    return window_->Entry_Text->hasFocus();
  }
  MainCore& Core() { return window_->Core(); }

  static void Type(QWidget* w, const QString& text) { testing::TypeText(w, text); }
  // Replaces the entry box's text by typing over its selection, key by key.
  void TypeWord(const std::string& utf8) {
    window_->Entry_Text->setFocus();
    window_->Entry_Text->selectAll();
    Type(window_->Entry_Text, Q(utf8));
  }
  void Click(B button) { QTest::mouseClick(window_->Button(button), Qt::LeftButton); }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClick(target, key, mods);
  }

  // What the window shows, in UTF-8.
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    const QAbstractItemModel* m = window_->Entries_List->model();
    for (int r = 0; r < m->rowCount(); ++r) {
      out.push_back(m->data(m->index(r, 0)).toString().toStdString());
    }
    return out;
  }
  int SelectedRow() const { return window_->Entries_List->currentIndex().row(); }
  std::string Label() const { return window_->Entry_Label->text().toStdString(); }
  std::string Description() const { return Cp1253ToUtf8(window_->DescriptionText()); }
  std::string EntryText() const { return window_->Entry_Text->text().toStdString(); }
  std::vector<std::string> Captions(const std::vector<HistoryItem>& items) const {
    std::vector<std::string> out;
    for (const HistoryItem& i : items) out.push_back(Cp1253ToUtf8(i.Caption));
    return out;
  }
  std::vector<std::string> Back() const { return Captions(window_->Core().History.BackList); }
  std::vector<std::string> Forward() const { return Captions(window_->Core().History.ForwardList); }

  std::string dir_, folder_;
  fs::path old_cwd_;
  PosixFileSystem files_;
  FakeSystemFolders folders_;
  FakeSystemInfo info_;
  FakeKeyboardLayouts keyboard_;
  Utf8RecordingMessages messages_;
  ProgramState state_;
  std::unique_ptr<TMainLex> window_;
};

}  // namespace zelvoran::testing
