#pragma once

// What the document commands (files, undo and redo, the clipboard, printing)
// work on: what every simplex window works on, plus the windows themselves
// and the practice records. They keep nothing of their own: the record, the
// run-time values and the windows belong to the program, which must keep all
// of them alive for as long as the commands exist.

#include "simplex/windows/SimplexWindowContext.h"

namespace zeltomir::simplex {
class SimplexWindows;
}

namespace zeltomir::practice {
class PracticeWindows;
struct PracticeRecords;
} // namespace zeltomir::practice

namespace zeltomir::app {

struct DocumentContext : simplex::SimplexWindowContext {
    simplex::SimplexWindows& simplexWindows;
    practice::PracticeWindows& practiceWindows;
    practice::PracticeRecords& practiceRecords;
};

} // namespace zeltomir::app
