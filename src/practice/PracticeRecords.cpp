#include "practice/PracticeRecords.h"

namespace zeltomir::practice {

PracticeRecords& ProgramPracticeRecords()
{
    static PracticeRecords records;
    return records;
}

} // namespace zeltomir::practice
