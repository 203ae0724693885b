// Work begun on a second core while Qt opens the display.
#pragma once

#include <QStringList>

namespace tk {

// Loads the font configuration and decodes `pictures` (see decodeAhead) on
// a thread of its own, so that neither waits for the display to open and
// the first frame comes sooner. Call before the QApplication is made; the
// thread is joined when the program ends.
void headStart(const QStringList& pictures);

}  // namespace tk
