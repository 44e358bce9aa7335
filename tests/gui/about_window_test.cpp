// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/desktop_commands.h"
#include "desktop/about.h"
#include "desktop/ui/copyright_form.h"
#include "platform/linux/shell_qt.h"
#include "platform/message_boxes.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fake_shell.h"
#include "tests/support/recording_messages.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

using testing::FakeFileSystem;
using testing::FakeShell;

using testing::RecordingMessages;

std::string ShippedNotice() {
  std::ifstream in(ZELVORAN_SOURCE_DIR "/content/copyright.rtf", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct AboutWindowTest : ::testing::Test {
  FakeFileSystem fs;
  FakeShell shell;
  RecordingMessages messages;

  AboutWindowTest() { fs.Put(kCopyrightNoticePath, ShippedNotice()); }
};

TEST_F(AboutWindowTest, Layout) {
  TCopyrightForm form(fs, &shell, &messages);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Zelvoran Glossa έκδ.1.2"));
  EXPECT_EQ(form.size(), QSize(255, 288));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.Image1->geometry(), QRect(8, 8, 81, 81));
  EXPECT_EQ(form.CopyrightRTF->geometry(), QRect(8, 80, 241, 161));
  EXPECT_EQ(form.BitBtn1->geometry(), QRect(70, 252, 113, 25));
  EXPECT_EQ(form.BitBtn1->text(), QStringLiteral("OK"));
  EXPECT_TRUE(form.BitBtn1->isDefault());
  EXPECT_EQ(form.BitBtn1->minimumWidth(), 60);
  EXPECT_TRUE(form.CopyrightRTF->isReadOnly());
  EXPECT_EQ(form.CopyrightRTF->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(form.CopyrightRTF->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

  // The links keep their designed top and right edge and show their whole caption.
  const struct {
    ClickableLabel* label;
    std::string_view caption;
    QRect design;
  } links[] = {{form.SiteLabel, kPublisherSiteCaption, QRect(152, 16, 93, 16)},
               {form.MailLabel, kPublisherMailCaption, QRect(144, 40, 100, 16)}};
  for (const auto& link : links) {
    SCOPED_TRACE(link.caption.data());
    EXPECT_EQ(link.label->text().toStdString(), std::string(link.caption));
    EXPECT_EQ(link.label->geometry().top(), link.design.top());
    EXPECT_EQ(link.label->geometry().right(), link.design.right());
    EXPECT_GE(link.label->width(), link.label->fontMetrics().horizontalAdvance(link.label->text()));
    EXPECT_GT(link.label->geometry().left(), form.Image1->geometry().right());
    EXPECT_EQ(link.label->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link.label->font().underline());
    EXPECT_EQ(link.label->palette().color(QPalette::WindowText), QColor(Qt::blue));
  }
}

TEST_F(AboutWindowTest, ActivationLoadsTheNotice) {
  TCopyrightForm form(fs, &shell, &messages);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTextDocument* doc = form.CopyrightRTF->document();
  EXPECT_EQ(doc->firstBlock().text(), QStringLiteral("Zelvoran Glossa"));
  EXPECT_TRUE(doc->toPlainText().contains(QStringLiteral("Τα δεδομένα του λεξικού")));
  EXPECT_TRUE(doc->toPlainText().contains(QStringLiteral("CC BY-SA 3.0")));
  // The program is free software: the notice names its licence and where to read it, and
  // reserves no right.
  const QString text = doc->toPlainText();
  EXPECT_TRUE(text.contains(
      QStringLiteral("Γενικής Άδειας Δημόσιας Χρήσης GNU (GNU General Public License)")));
  EXPECT_TRUE(text.contains(QStringLiteral("GPL-3.0-or-later")));
  EXPECT_TRUE(text.contains(QStringLiteral("/usr/share/doc/zelvoran-glossa/copyright")));
  EXPECT_TRUE(text.contains(QStringLiteral("LICENSE")));
  EXPECT_FALSE(text.contains(QStringLiteral("επιφύλαξη")));

  // A notice that has gone leaves the box as it was.
  fs.RemoveFile(kCopyrightNoticePath);
  form.FormActivate();
  EXPECT_EQ(doc->firstBlock().text(), QStringLiteral("Zelvoran Glossa"));
}

TEST_F(AboutWindowTest, MissingNoticeLeavesTheBoxEmpty) {
  fs.RemoveFile(kCopyrightNoticePath);
  TCopyrightForm form(fs, &shell, &messages);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_TRUE(form.CopyrightRTF->document()->isEmpty());
  EXPECT_TRUE(messages.problems.empty());
}

TEST(FillTextDocumentTest, CarriesFormattingIntoTheQtDocument) {
  const std::optional<RtfDocument> source =
      ReadRtf(
          "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green10\\blue20;}"
          "\\qc\\b\\fs28 T\\b0\\par\\pard\\i a\\i0\\ul b\\ulnone\\cf1 c\\line d\\par}")
          .document;
  ASSERT_TRUE(source);
  QTextDocument doc;
  doc.setPlainText(QStringLiteral("old"));
  FillTextDocument(doc, *source);
  ASSERT_EQ(doc.blockCount(), 2);
  const QTextBlock title = doc.firstBlock();
  EXPECT_EQ(title.text(), QStringLiteral("T"));
  EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  const QTextCharFormat tf = title.begin().fragment().charFormat();
  EXPECT_EQ(tf.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(tf.fontPointSize(), 14.0);
  EXPECT_TRUE(tf.fontFamilies().toStringList().contains(QStringLiteral("Arial")));

  const QTextBlock body = title.next();
  EXPECT_EQ(body.text(), QStringLiteral("abc") + QChar(QChar::LineSeparator) + "d");
  std::vector<QTextCharFormat> formats;
  for (auto it = body.begin(); !it.atEnd(); ++it) formats.push_back(it.fragment().charFormat());
  ASSERT_EQ(formats.size(), 3u);  // a (italic), b (underlined), "c\nd" (coloured)
  EXPECT_TRUE(formats[0].fontItalic());
  EXPECT_FALSE(formats[0].fontUnderline());
  EXPECT_TRUE(formats[1].fontUnderline());
  EXPECT_FALSE(formats[1].fontItalic());
  EXPECT_EQ(formats[2].foreground().color(), QColor(200, 10, 20));
  EXPECT_EQ(formats[2].fontWeight(), QFont::Normal);
}

TEST_F(AboutWindowTest, LinksOpenThroughTheShell) {
  TCopyrightForm form(fs, &shell, &messages);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const struct {
    ClickableLabel* label;
    std::string address;
    std::string problem;
  } cases[] = {{form.SiteLabel, "https://www.quimbrell.example/", BrowserProblemText()},
               {form.MailLabel, "mailto:info@quimbrell.example", MailProblemText()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    for (bool succeed : {true, false}) {
      shell.calls.clear();
      messages.problems.clear();
      shell.succeed = succeed;
      QTest::mouseClick(c.label, Qt::LeftButton, Qt::NoModifier, QPoint(4, 8));
      ASSERT_EQ(shell.calls.size(), 1u);
      EXPECT_EQ(shell.calls[0], (FakeShell::Call{"address", c.address, ""}));
      EXPECT_EQ(messages.problems,
                succeed ? std::vector<std::string>{} : std::vector<std::string>{c.problem});
    }
  }
  // A press that ends outside the label is no click.
  shell.calls.clear();
  QTest::mousePress(form.SiteLabel, Qt::LeftButton, Qt::NoModifier, QPoint(4, 8));
  QTest::mouseRelease(form.SiteLabel, Qt::LeftButton, Qt::NoModifier, QPoint(-20, 40));
  EXPECT_TRUE(shell.calls.empty());
}

// The main window's entry box, for the focus to come back to.
class EntryBoxView final : public testing::FakeMainView {
 public:
  explicit EntryBoxView(QLineEdit& entry) : entry_(entry) {}
  void FocusEntryText() override {
    FakeMainView::FocusEntryText();
    entry_.setFocus();
  }
  void ActivateWindow() override {
    FakeMainView::ActivateWindow();
    entry_.window()->activateWindow();
  }

 private:
  QLineEdit& entry_;
};

TEST_F(AboutWindowTest, ClosesWithEnterEscapeAndOkAndGivesTheFocusBack) {
  QWidget main_window;
  auto* entry = new QLineEdit(&main_window);
  auto* other = new QLineEdit(&main_window);
  other->move(0, 40);
  main_window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main_window));
  EntryBoxView view(*entry);
  CopyrightFormFactory factory(fs, &shell, &messages);

  const std::vector<std::pair<const char*, std::function<void(QDialog*)>>> ways = {
      {"Enter",
       [](QDialog* d) {
         QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : d,
                         Qt::Key_Return);
       }},
      {"Escape", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }},
      {"OK",
       [](QDialog* d) {
         QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
       }},
  };
  for (const auto& way : ways) {
    const auto& name = way.first;
    const auto& close = way.second;
    SCOPED_TRACE(name);
    other->setFocus();
    QPointer<QDialog> shown;
    int result = -1;
    bool notice_shown = false;
    QTimer::singleShot(0, [&] {
      shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!shown) return;
      static_cast<void>(QTest::qWaitForWindowActive(shown));
      notice_shown = !shown->findChild<QTextEdit*>()->document()->isEmpty();
      QObject::connect(shown.data(), &QDialog::finished, [&](int r) { result = r; });
      close(shown);
    });
    // Whatever happens, the modal loop must not outlive the test.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
      if (shown) shown->done(QDialog::Accepted + 41);
    });
    guard.start(5000);
    CopyrightLabelClick(view, factory);
    guard.stop();
    ASSERT_NE(result, -1) << "the window did not close";
    EXPECT_EQ(result, QDialog::Rejected);  // its modal result is cancel
    EXPECT_TRUE(notice_shown);
    EXPECT_TRUE(shown.isNull()) << "the window was not destroyed";
    EXPECT_TRUE(view.entry_focused);
    QTest::qWait(10);
    EXPECT_TRUE(entry->hasFocus());
  }
  EXPECT_EQ(view.window_activations, 3);
}

// Renders the window with its notice; with ZELVORAN_SCREENSHOT_DIR set, saves it as about.png.
TEST_F(AboutWindowTest, RendersTheNotice) {
  TCopyrightForm form(fs, &shell, &messages);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  const QImage image = form.grab().toImage();
  ASSERT_EQ(image.size(), form.size() * image.devicePixelRatio());
  // The notice's navy title is drawn inside the rich-text box.
  const QRect box = form.CopyrightRTF->geometry();
  bool navy = false;
  for (int y = box.top(); y < box.top() + 30 && !navy; ++y) {
    for (int x = box.left(); x < box.right() && !navy; ++x) {
      const QColor c = image.pixelColor(x, y);
      navy = c.blue() > 90 && c.red() < 60 && c.green() < 60;
    }
  }
  EXPECT_TRUE(navy);
  const QByteArray dir = qgetenv("ZELVORAN_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    QDir().mkpath(QString::fromLocal8Bit(dir));
    EXPECT_TRUE(image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/about.png")));
    // The whole notice at the box's width, for reading it through.
    std::unique_ptr<QTextDocument> notice(form.CopyrightRTF->document()->clone());
    notice->setTextWidth(form.CopyrightRTF->viewport()->width());
    QImage page(notice->size().toSize(), QImage::Format_RGB32);
    page.fill(form.CopyrightRTF->palette().color(QPalette::Base));
    QPainter painter(&page);
    notice->drawContents(&painter);
    painter.end();
    EXPECT_TRUE(page.save(QString::fromLocal8Bit(dir) + QStringLiteral("/about_notice.png")));
  }
}

// The Linux shell: files and programs resolved from program paths; never an unknown scheme.
TEST(QtShellTest, StartsAProgramWithTheQuotedFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("content")));
  const QString script = dir.path() + QStringLiteral("/content/QuimbrellPres.exe");
  const QString out = dir.path() + QStringLiteral("/args.txt");
  {
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\nprintf '%s|' \"$@\" > '%1'\n").arg(out).toUtf8());
  }
  QtShell shell;
  const std::string folder = Utf8ToCp1253(dir.path().toStdString()) + "/";
  // Not executable yet: not started.
  EXPECT_FALSE(shell.StartProgram(folder + "content/QuimbrellPres.exe", "\"" + folder + "\""));
  QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  const bool started = shell.StartProgram("Content\\quimbrellpres.EXE", "\"" + folder + "\"");
  QDir::setCurrent(previous);
  ASSERT_TRUE(started);
  for (int i = 0; i < 100 && !QFile::exists(out); ++i) QTest::qWait(50);
  QTest::qWait(50);
  QFile f(out);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), dir.path().toStdString() + "/|");

  EXPECT_FALSE(shell.StartProgram("content\\QuimbrellPres.exe", "\"/\""));  // not here
  EXPECT_FALSE(shell.StartProgram("", ""));
}

TEST(QtShellTest, RefusesWhatCannotBeOpened) {
  QtShell shell;
  EXPECT_FALSE(shell.OpenFile("content\\no-such-help.htm"));
  EXPECT_FALSE(shell.OpenFile(""));
  for (const char* address :
       {"", "not an address", "ftp://www.quimbrell.example/", "javascript:alert(1)",
        "file:///etc/passwd", "https://", "mailto:", "/usr/bin/xterm"}) {
    SCOPED_TRACE(address);
    EXPECT_FALSE(shell.OpenAddress(address));
  }
}

}  // namespace
}  // namespace zelvoran
