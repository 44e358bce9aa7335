// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1253 core text to and from QString, at the widget edge only.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "text/cp1253.h"

namespace zelvoran {

inline QString ToQ(std::string_view cp1253) {
  return QString::fromStdString(Cp1253ToUtf8(cp1253));
}

// A character with no Windows-1253 byte becomes "?".
inline std::string FromQ(const QString& text) {
  return Utf8ToCp1253(text.toStdString());
}

// A multi-line box's text: CR LF in the core, a single line feed in the widget.
inline QString MemoToQ(std::string_view cp1253) {
  QString t = ToQ(cp1253);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

inline std::string MemoFromQ(QString text) {
  text.replace(QChar::ParagraphSeparator, QChar::LineFeed);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return FromQ(text);
}

}  // namespace zelvoran
