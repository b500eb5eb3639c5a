// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "platform/print/line_drawing.h"
#include "values/triangle.h"

namespace solvara {

// The results screen's drawing of an answer, to keep as a file: the frame at the upper right of
// the screen with the same triangle to scale, the same letters A, B, C at its vertices and X, Y,
// Z beside its sides, green sides and black letters on white; and, which the screen leaves out,
// a small square inside the right angle at C. The sides are one closed path from A to C to B.
LineDrawing answerDrawing(SolveMode mode, const Triangle& t);

// Writes answerDrawing(): an SVG at twice the screen's size (578 x 492), a PNG at four times it
// (1156 x 984). Returns why the file could not be written, empty when it was.
std::string writeAnswerDrawing(SolveMode mode, const Triangle& t, PictureFormat format,
                               const std::string& path);

// The file for answer `number` (1 or 2) of a problem whose drawing goes to `path`: the path
// itself for the first, "-2" put before the extension for the second ("tri.svg" gives
// "tri-2.svg", "tri" gives "tri-2").
std::string answerFilePath(const std::string& path, int number);

}  // namespace solvara
