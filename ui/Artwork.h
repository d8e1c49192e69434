// The window's pictures: the glyphs, the title picture, the rules and the logo, drawn from the
// program's SVG resources at the size a control gives them. A picture missing from the
// resources is drawn as a plain coloured area of that size.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace quorvel::ui {

// `name` is the resource's base name, e.g. "lang_en" for ":/artwork/lang_en.svg".
QPixmap ArtworkPixmap(const QString& name, QSize size);
QIcon ArtworkIcon(const QString& name, QSize size);

}  // namespace quorvel::ui
