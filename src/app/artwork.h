#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quorvel {

// The program's pictures, drawn in code: the window icon, the button glyphs and the two
// banner images.
QIcon AppIcon();
// The program's font: Tahoma where there is one, elsewhere the nearest in width.
QFont ProgramFont(int pixelSize);
// Glyphs by name: help, display, chart, options, module, save, connection, view, more,
// refresh.
QIcon ButtonGlyph(const QString& name);
QPixmap BannerImage(int width, int height);

// The producer's web address and contact address.
inline constexpr const char* kProducerWebAddress = "https://quorvel.example";
inline constexpr const char* kProducerEmail = "kontakt@quorvel.example";

}  // namespace quorvel
