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
QString ArtworkPath(const QString& name);
// The picture's own size (24 x 24 for a missing one).
QSize ArtworkSize(const QString& name);
QPixmap ArtworkPixmap(const QString& name, QSize size);
// An icon that draws the picture sharp at any size.
QIcon ArtworkIcon(const QString& name);

}  // namespace quorvel::ui
