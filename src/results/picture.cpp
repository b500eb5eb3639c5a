// SPDX-License-Identifier: GPL-2.0-or-later
// The saved picture: every print ends by writing the screen beside the program as Solvara.bmp
// and handing that file to the picture-print command.
#include <string>

#include "app/program.h"
#include "platform/files/bmp_writer.h"
#include "platform/files/shell_quote.h"

namespace solvara {

namespace {

constexpr const char* kSaved = "SAVED AS Solvara.bmp";
constexpr const char* kNotSaved = "CAN NOT SAVE PICTURE";
constexpr int kMessageRow = 28;
constexpr int kMessageColumn = 15;

}  // namespace

Step Program::savePicture() {
    display_.setColors(2, kBackgroundColour);
    display_.locate(kMessageRow, kMessageColumn);
    display_.print(kSaved, false);

    // A root directory keeps its one separator; any other has none at the end.
    const std::string path = (environment_.programDirectory / "Solvara.bmp").string();
    const bool saved = BmpWriter::savePage(display_, path) == BmpWriter::kOk;
    if (!saved) {
        // The command would print an older picture, or none: say so and do not run it.
        display_.setColors(12, kBackgroundColour);
        display_.locate(kMessageRow, kMessageColumn);
        display_.print(kNotSaved, false);
    }
    input_.pause(2000);
    display_.setColors(0, kBackgroundColour);
    display_.locate(kMessageRow, kMessageColumn);
    display_.print(std::string(20, ' '), false);

    const int status = saved ? environment_.runCommand("pr " + shellQuoted(path)) : 0;
    if (status == -1 || printerNotReady_) return reportPrinterNotReady();

    // Keys pressed meanwhile are forgotten.
    do {
        input_.pause(100);
    } while (!input_.readKey().empty());
    return Step::ResultsLoop;
}

}  // namespace solvara
