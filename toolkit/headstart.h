// Work begun on a second core while Qt opens the display.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace tk {

// Loads the font configuration and decodes `pictures` (see decodeAhead) on
// a thread of its own, so that neither waits for the display to open and
// the first frame comes sooner. The first picture is also scaled to the size
// it was last drawn at, remembered in the cache folder. Call before the
// QApplication is made; the thread is joined when the program ends.
void headStart(const QStringList& pictures);

// The size remembered in `file`, or an invalid size when there is none or
// the file holds anything but two sensible numbers.
QSize rememberedSize(const QString& file);
// Keeps `size` in `file`, replacing it whole. False when it cannot.
bool rememberSize(const QString& file, QSize size);

}  // namespace tk
