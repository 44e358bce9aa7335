// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/shell_qt.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "platform/linux/posix_file_system.h"
#include "platform/linux/qt_text.h"

namespace zelvoran {
namespace {

// The existing regular file a program path names, or an empty QFileInfo.
QFileInfo ExistingFile(std::string_view path) {
  if (path.empty()) return {};
  QFileInfo info(QString::fromStdString(PosixFileSystem::Resolve(path)));
  return info.isFile() ? info : QFileInfo();
}

}  // namespace

bool QtShell::OpenFile(std::string_view path) {
  const QFileInfo file = ExistingFile(path);
  if (file.filePath().isEmpty()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

bool QtShell::OpenAddress(std::string_view address) {
  const QUrl url(ToQ(address), QUrl::StrictMode);
  if (!url.isValid()) return false;
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("mailto")) {
    if (url.path().isEmpty()) return false;
  } else if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
    if (url.host().isEmpty()) return false;
  } else {
    return false;  // only web and mail addresses; never a local program through a URL
  }
  return QDesktopServices::openUrl(url);
}

bool QtShell::StartProgram(std::string_view path, std::string_view parameters) {
  const QFileInfo file = ExistingFile(path);
  if (file.filePath().isEmpty() || !file.isExecutable()) return false;
  const QStringList arguments = QProcess::splitCommand(ToQ(parameters));
  return QProcess::startDetached(file.absoluteFilePath(), arguments);
}

}  // namespace zelvoran
