// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "app/options.h"
#include "platform/files/standard_streams.h"

namespace solvara {

// `solvara solve`: solves the problem in `request.words`, or with "-" one problem a line of the
// input, and writes the printed page of each answer (with --json one object a problem). Returns
// the exit status: 0 solved, 1 no triangle, 2 a usage error; with "-" the worst of all lines, and
// 2 when the input could not be read to its end. With --svg or --png it also writes the drawing
// of each answer of the one problem, 1 when one cannot be written. Opens no window and touches
// neither the display nor the printer.
int runSolveCommand(const SolveRequest& request, const ByteStreams& streams);

}  // namespace solvara
