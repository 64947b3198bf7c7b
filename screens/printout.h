// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The debrief's printout laid out on a printer's pages: the heading and the
// date, the game's setup, the sentences, the chart in vector lines, and the
// player's log beside the best plan's. A typical game takes one A4 or Letter
// page; longer logs go on over the next pages.

#include "classroom.h"

class QDate;
class QPrinter;

void PaintPrintout(QPrinter &printer, const Startup::Printout &printout, const QDate &date);
