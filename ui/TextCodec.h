// The one place where dictionary text (code page 1253 bytes) meets the widgets' Unicode text:
// bytes become characters for display, typed or pasted characters become bytes, and a
// character that code page 1253 lacks becomes "?".
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorvel::ui {

QString ToQString(std::string_view cp1253);
std::string ToCp1253(const QString& text);

// A label caption as the screen shows it: "&&" gives one "&", a single "&" (an accelerator
// mark) is dropped.
QString CaptionDisplayText(const QString& caption);
// Every "&" doubled, so that a caption shows the text as it stands.
std::string DoubleAmpersands(std::string_view text);

}  // namespace quorvel::ui
