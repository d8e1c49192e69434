#include "ui/TextCodec.h"

#include <QList>

#include "core/Cp1253.h"

namespace quorvel::ui {

QString ToQString(std::string_view cp1253) {
  QString out;
  out.reserve(static_cast<qsizetype>(cp1253.size()));
  for (const char c : cp1253) {
    const char32_t ch = Cp1253ToUnicode(static_cast<unsigned char>(c));
    if (ch < 0x10000) {
      out.append(QChar(static_cast<char16_t>(ch)));
    } else {
      out.append(QString::fromUcs4(&ch, 1));
    }
  }
  return out;
}

std::string ToCp1253(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (const char32_t ch : text.toUcs4()) {
    const auto byte = UnicodeToCp1253(ch);
    out.push_back(byte ? static_cast<char>(*byte) : '?');
  }
  return out;
}

QString CaptionDisplayText(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&') {
      if (i + 1 < caption.size() && caption[i + 1] == u'&') {
        out.append(u'&');
        ++i;
      }
      continue;
    }
    out.append(caption[i]);
  }
  return out;
}

std::string DoubleAmpersands(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    out.push_back(c);
    if (c == '&') out.push_back('&');
  }
  return out;
}

}  // namespace quorvel::ui
