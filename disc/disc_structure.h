// SPDX-License-Identifier: GPL-3.0-or-later
// How a disc's titles relate, from the cells each one plays: "play all" titles that play other
// titles one after another, titles that repeat another's cells, the episodes of a series and the
// main title. Series discs hold both a play-all title and the episodes it is made of; a plan for
// "every title" or "the longest title" would encode the same pictures twice.
#pragma once

#include "disc/opened_disc.h"

namespace ratewise {

// Fills each title's frameCount, durationSeconds, playAll and sameAs, and the disc's mainTitle and
// episodes. Titles are compared by the cells they play that last a second or more:
// - a title repeats (sameAs) the first title of its set that plays exactly the same cells;
// - a play-all title plays, cell for cell, two or more other titles of its set one after another
//   (titles that are neither repeats nor play-all titles themselves);
// - episodes are two or more titles of one set, neither play-all nor repeats and sharing no cell
//   with one another, whose lengths lie within 15 % of their median and above 10 % of the disc's
//   longest title (the set with the most of them, when several sets have some);
// - the main title is the longest title that is neither play-all nor a repeat.
void RecogniseStructure(OpenedDisc& disc);

} // namespace ratewise
