#pragma once
// The pictures of the sample books, drawn from a few lines of drawing statements each.
//
// A statement is a kind, its numbers and then words (colours and poses):
//   sky day|dawn|dusk|night|sea|indoor|cave [colour]      the background
//   ground grass|sand|snow|dirt|floor|water|rock <top>   from the top (0..1 of the height) down
//   fence <bottom> <height>          stars <count>        rain <count>
//   <kind> <x> <y> <size> [colour] [pose...]
// For the last form x and y (0..1 of the width and height) place the thing - its foot for
// things that stand, its middle for things that float - and size (of the height) scales it.
// Statements draw in order, later ones over earlier ones.
#include <QImage>
#include <QString>
#include <QStringList>

#include "BookSource.h"

namespace mkinstall {

// Why the statement cannot be drawn, or an empty text when it can.
QString sceneItemError(const SceneItem& item);

// The picture at its own size, 15 twips to the pixel. mono draws the black-and-white twin:
// black outlines on white, like a page of a colouring book. Colour pictures of 24 bits are
// drawn smooth; those of 8 bits with flat colours only, so that they keep a small palette.
QImage paintPicture(const SourcePicture& picture, bool mono);

}  // namespace mkinstall
