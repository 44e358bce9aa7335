// SPDX-License-Identifier: GPL-3.0-or-later
// Prints an entry through Qt into a PDF file and reads the text back with pdftotext.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/desktop_commands.h"
#include "desktop/print_entry.h"
#include "desktop/ui/printing.h"
#include "tests/support/fake_desktop.h"
#include "text/cp1253.h"

namespace zelvoran::testing {
namespace {

class PrintPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    ASSERT_TRUE(dir.isValid());
    pdf = dir.filePath("entry.pdf");
    h.core.svc.printing = &printing;
    HeadwordRecord record;
    record.Headword = Utf8ToCp1253("θάλασσα");
    h.state.Dict.GreekIndex.Append(record);
    h.core.List.Add(record.Headword, RowRef{Direction::kGreek, 1});
    h.core.List.Selected = 0;
    h.core.CurrentDirection = Direction::kGreek;
  }
  std::string PdfText() {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(p.waitForFinished(20000));
    return p.readAllStandardOutput().toStdString();
  }

  QTemporaryDir dir;
  QString pdf;
  int dialogs = 0;
  QtPrinting printing{nullptr, [this](QPrinter& printer) {
                        ++dialogs;
                        printer.setOutputFormat(QPrinter::PdfFormat);
                        printer.setOutputFileName(pdf);
                        return true;
                      }};
  DesktopHarness h;
};

TEST_F(PrintPdfTest, TheHeadwordHeadingAndExplanationLinesAreOnThePage) {
  h.view.description = Utf8ToCp1253("sea\r\nthe open sea, ocean\r\n\tmarine");
  Print_ButtonClick(h.core);
  ASSERT_EQ(dialogs, 1);
  ASSERT_TRUE(QFile::exists(pdf));
  const std::string text = PdfText();
  EXPECT_NE(text.find("Λήμμα:   θάλασσα"), std::string::npos) << text;
  EXPECT_NE(text.find("Αγγλική Ερμηνεία"), std::string::npos) << text;
  EXPECT_NE(text.find("sea"), std::string::npos) << text;
  EXPECT_NE(text.find("the open sea, ocean"), std::string::npos) << text;
  EXPECT_NE(text.find("marine"), std::string::npos) << text;
  // The headword line comes before the heading, and the heading before the explanation.
  EXPECT_LT(text.find("Λήμμα:"), text.find("Αγγλική Ερμηνεία"));
  EXPECT_LT(text.find("Αγγλική Ερμηνεία"), text.find("the open sea"));
}

TEST_F(PrintPdfTest, ALongExplanationRunsOntoMorePagesAndWraps) {
  std::string description;
  for (int i = 0; i < 200; ++i) description += "line " + std::to_string(i) + "\r\n";
  description += std::string(400, 'x');
  h.view.description = description;
  Print_ButtonClick(h.core);
  QProcess info;
  info.start("pdfinfo", {pdf});
  ASSERT_TRUE(info.waitForFinished(20000));
  const std::string meta = info.readAllStandardOutput().toStdString();
  const size_t pages = meta.find("Pages:");
  ASSERT_NE(pages, std::string::npos);
  EXPECT_GE(std::stoi(meta.substr(pages + 6)), 2);
  const std::string text = PdfText();
  EXPECT_NE(text.find("line 199"), std::string::npos);
  EXPECT_EQ(text.find(std::string(400, 'x')), std::string::npos);  // wrapped
}

TEST_F(PrintPdfTest, ACancelledDialogPrintsNothing) {
  QtPrinting cancelled{nullptr, [](QPrinter&) { return false; }};
  h.core.svc.printing = &cancelled;
  Print_ButtonClick(h.core);
  EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
}  // namespace zelvoran::testing
