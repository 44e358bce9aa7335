// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ui/help_form.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/guard.h"
#include "desktop/about.h"
#include "platform/linux/qt_text.h"
#include "platform/message_boxes.h"
#include "platform/shell.h"

namespace zelvoran {

THelpForm::THelpForm(Shell* shell, MessageBoxes* messages, QWidget* parent)
    : QWidget(parent, Qt::Window), shell_(shell), messages_(messages) {
  setObjectName(QStringLiteral("HelpForm"));
  setWindowTitle(QStringLiteral("Zelvoran Glossa - Βοήθεια"));
  resize(640, 560);
  Help_Browser = new QTextBrowser(this);
  Help_Browser->setObjectName(QStringLiteral("Help_Browser"));
  Help_Browser->setAccessibleName(QStringLiteral("Βοήθεια"));
  // Links are followed here: inside the document by the browser, the others by the desktop.
  Help_Browser->setOpenLinks(false);
  Help_Browser->setOpenExternalLinks(false);
  connect(Help_Browser, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& url) { Guarded([&] { LinkClicked(url); }); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Help_Browser);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  auto* back = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
  connect(back, &QShortcut::activated, Help_Browser, &QTextBrowser::backward);
  auto* forward = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
  connect(forward, &QShortcut::activated, Help_Browser, &QTextBrowser::forward);
}

bool THelpForm::ShowDocument(const QString& file) {
  const QFileInfo info(file);
  if (!info.isFile() || !info.isReadable()) return false;
  Help_Browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
  if (Help_Browser->document()->isEmpty()) return false;
  const QString title = Help_Browser->documentTitle();
  if (!title.isEmpty()) setWindowTitle(title);
  return true;
}

void THelpForm::LinkClicked(const QUrl& url) {
  const QUrl target = Help_Browser->source().resolved(url);
  const QString scheme = target.scheme().toLower();
  const bool mail = scheme == QLatin1String("mailto");
  if (mail || scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
    // The desktop's browser or mail program, as the about window's links.
    if ((!shell_ || !shell_->OpenAddress(FromQ(target.toString()))) && messages_) {
      messages_->ShowProblem(mail ? MailProblemText() : BrowserProblemText());
    }
    return;
  }
  // A place in this document, or another page beside it.
  if (target.isLocalFile()) Help_Browser->setSource(target);
}

}  // namespace zelvoran
