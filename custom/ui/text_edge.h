// Windows-1253 text of the core to and from the widgets' Unicode text.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "dictionary/cp1253.h"

namespace zelvoran {

inline QString ToQt(std::string_view cp1253) {
  return QString::fromStdString(Cp1253ToUtf8(cp1253));
}

inline std::string FromQt(const QString& text) {
  return Utf8ToCp1253(text.toStdString());
}

// A memo's text: CR LF in the core, a single line feed in the widget.
inline QString MemoToQt(std::string_view cp1253) {
  QString t = ToQt(cp1253);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

inline std::string MemoFromQt(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar('\n'), QStringLiteral("\r\n"));
  return FromQt(t);
}

}  // namespace zelvoran
