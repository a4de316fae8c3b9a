#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarvo::ui {

// The editor keeps its texts in UTF-8.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

// The character position in a widget of a byte offset into the editor's text.
inline int WidgetPosition(const std::string& text, int byteOffset) {
  return static_cast<int>(
      ToQString(std::string_view(text).substr(0, static_cast<std::size_t>(byteOffset))).size());
}

// The definition pane's text as a text widget holds it: lines end in LF
// where the definition's lines end in CR LF.
inline QString PaneText(const std::string& text) {
  return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace tarvo::ui
