// The program's own pictures, drawn with QPainter: the application icon, the splash picture and the
// support notice's picture. Drawing them in code keeps one source for every size and for the icon
// files the build installs.
#pragma once

#include <QIcon>
#include <QImage>

namespace kv::app {

// The application icon at `size` × `size` pixels, transparent around the rounded tile.
QImage iconImage(int size);
// The icon at the usual sizes, for QApplication::setWindowIcon.
QIcon applicationIcon();

// The splash picture, 151 × 165: a disc filling the circle the splash opens to and, below it, the
// light strip the progress text is written on.
QImage splashPicture();

// The support notice's picture: a postcard with a stamp, `size` square.
QImage noticePicture(int size);

} // namespace kv::app
