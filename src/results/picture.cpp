// SPDX-License-Identifier: GPL-2.0-or-later
// The saved picture: every print ends by writing the screen as Solvara.bmp, beside a copy run
// from a folder of its own when it can, and handing that file to the picture-print command.
#include <string>
#include <string_view>

#include "results/picture.h"

#include "platform/display/display.h"
#include "platform/files/bmp_writer.h"
#include "platform/files/environment.h"
#include "platform/files/shell_quote.h"
#include "platform/window/input_devices.h"

namespace solvara {

namespace {

constexpr std::string_view kSaved = "SAVED AS Solvara.bmp";
constexpr std::string_view kNotSaved = "CAN NOT SAVE PICTURE";
static_assert(kSaved.size() == kNotSaved.size(), "either message is blanked alike");
constexpr int kMessageShownMs = 2000;
constexpr int kMessageRow = 28;
constexpr int kMessageColumn = 15;

}  // namespace

int savePicture(Display& display, InputDevices& input, const Environment& environment) {
    display.printAt(kMessageRow, kMessageColumn, kSaved, {Colour::Green});

    // Beside a copy run from a folder of its own, or in the user's pictures or home directory;
    // the message names the file only. A root directory keeps its one separator.
    const auto directory = environment.pictureDirectory();
    const std::string path = directory ? (*directory / "Solvara.bmp").string() : std::string();
    const bool saved = directory && BmpWriter::savePage(display, path) == BmpWriter::Result::Ok;
    if (!saved) {
        // The command would print an older picture, or none: say so and do not run it.
        display.printAt(kMessageRow, kMessageColumn, kNotSaved, {Colour::LightRed});
    }
    input.pause(kMessageShownMs);
    display.printAt(kMessageRow, kMessageColumn, std::string(kSaved.size(), ' '));

    return saved ? environment.runCommand("pr " + shellQuoted(path)) : 0;
}

}  // namespace solvara
