#pragma once

#include <QStringView>

namespace markwell {

// Whether one file mask covers the whole text, folder part included.
//   - letters a-z and A-Z compare without regard to case, every other character exactly;
//   - "*" matches any run of characters, also none, "/" included;
//   - "?" matches exactly one character, but a "?" that follows "*" adds nothing ("*?" is "*");
//   - "[...]" matches one character of a set of single characters and ranges such as a-z,
//     letters again without regard to case; "[!...]" matches one character outside the set.
// A malformed mask (a "[" without "]", an empty set, a range without its first or last
// character) matches nothing.
bool matchesFileMask(QStringView text, QStringView mask);

// Whether the text matches a filter: masks separated by ";", empty pieces skipped, blanks
// kept as part of a mask. An empty filter takes every text; a filter of ";" characters only
// has no piece and is matched as one mask.
bool matchesFileFilter(QStringView text, QStringView filter);

} // namespace markwell
