// Work begun on a second core while Qt opens the display.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace tk {

// Loads the font configuration and decodes `pictures` (see decodeAhead) on
// a thread of its own at a low priority, so that neither waits for the
// display to open and the first frame comes sooner. The first picture comes
// from the copy kept in the cache folder when it is still good (see
// firstPictureAhead). Call before the QApplication is made; the thread is
// joined when the program ends.
void headStart(const QStringList& pictures);

// The work that readies the picture at `path` for its first drawing: the
// copy kept in `folder` at its last drawing when the file is unchanged since,
// else the file decoded. Unless drawn from that copy, the copy made for the
// drawing is kept there after the frame. Run it on any thread.
std::function<void()> firstPictureAhead(const QString& path, const QString& folder);

// What a file is: its device, inode, size and times, as text; empty when it
// cannot be looked at.
QByteArray fileIdentity(const QString& path);

// What is remembered of a copy: its size in device pixels, and the identity
// of the file it was made from (empty when no copy is kept).
struct Remembered {
    QSize size;
    QByteArray source;
};
// What `file` remembers, or an invalid size when it holds anything else.
Remembered remembered(const QString& file);
// Keeps `what` in `file`, replacing it whole. False when it cannot.
bool remember(const QString& file, const Remembered& what);

}  // namespace tk
