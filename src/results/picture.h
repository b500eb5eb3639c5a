// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace solvara {

class Display;
class InputDevices;
struct Environment;

// Saves the screen as Solvara.bmp in the environment's picture directory, showing "SAVED AS
// Solvara.bmp" for two seconds, and hands the file to the picture-print command. Returns the
// command's exit status, -1 when the shell could not be started. A picture that could not be
// written is reported on screen instead, and no command is run (status 0).
int savePicture(Display& display, InputDevices& input, const Environment& environment);

}  // namespace solvara
