// The program's read of a problem file on any bytes: the state file reader
// and the run's values brought back from its singles. A file it accepts
// must survive being written and read again: the second write gives the
// very bytes of the first (the first read has brought every number to the
// form the file keeps, and the values it stands for). A file it refuses must
// leave the record exactly as it was.

#include "FuzzCheck.h"

#include "core/StateFile.h"
#include "simplex/ReadBack.h"

#include <cstddef>
#include <cstdint>

using namespace zeltomir::core;
using zeltomir::simplex::ParseProblemBytes;

namespace {

// A problem part-way through, with the fields a file does not carry away
// from their start-up values, so that a read that touched them shows. Its
// tables are only as large as its counts need, not the start-up's for 100
// factors: comparing the whole record after every refused input is then
// cheap enough to do.
const OptimizationProblem& Before()
{
    static const OptimizationProblem before = [] {
        OptimizationProblem p;
        EnsureCapacity(p, p.NumFactors, p.NumVertices);
        p.Stage = Stage::Steps;
        p.StepType = "Variable";
        p.FirstStepPending = "no";
        p.NextVertexType = VertexType::ReverseContraction;
        p.LastObjective = -2.5;
        p.Factors[1].FactorName = "Temp";
        for (Factor& factor : p.Factors)
            factor.SignificantDigits = 3;
        p.Simplex.at(1, 1) = 0.25;
        p.VertexHistory.at(1, 2) = 7;
        p.Instruction = "Use the Reflection";
        return p;
    }();
    return before;
}

// The engine indexes the tables by the counts without a check of its own.
void CheckTablesFit(const OptimizationProblem& p)
{
    const int k = std::max<int>(p.NumFactors, 0);
    const auto n = static_cast<std::size_t>(p.NumVertices);
    FUZZ_CHECK(p.Factors.size() > static_cast<std::size_t>(DefaultMaxFactors), "factor slots for MaxFactors");
    FUZZ_CHECK(p.Simplex.maxCol() >= k + 4 && p.Simplex.maxRow() >= k + 1, "simplex smaller than k");
    FUZZ_CHECK(p.VertexHistory.maxCol() == std::max(0, p.NumFactors + 4) && p.VertexHistory.maxRow() >= p.NumVertices,
               "history not k + 4 columns by n vertices");
    FUZZ_CHECK(p.TrialPoint.size() > std::max<std::size_t>(n, static_cast<std::size_t>(k) + 1)
                   && p.ReservedVertexNumbers.size() > n && p.ReservedVertexIntegers.size() > n,
               "per-vertex tables smaller than n");
    FUZZ_CHECK(p.Centroid.size() > static_cast<std::size_t>(k) && p.StepVector.size() > static_cast<std::size_t>(k),
               "centroid or step vector smaller than k");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const OptimizationProblem& before = Before();

    OptimizationProblem read = before;
    QString stepType;
    if (const FileStatus status = ParseProblemBytes(bytes, read, &stepType); !status) {
        FUZZ_CHECK(!status.error.isEmpty(), "a refusal without a reason");
        FUZZ_CHECK(read == before, "a refused file changed the record: " + status.error);
        return 0;
    }
    CheckTablesFit(read);
    FUZZ_CHECK(read.StepType == before.StepType && read.FirstStepPending == before.FirstStepPending
                   && read.NextVertexType == before.NextVertexType && read.LastObjective == before.LastObjective,
               "a read changed a field the file does not carry");

    // As File > Open takes the kept step type.
    if (!stepType.isEmpty())
        read.StepType = stepType;
    const QByteArray first = StateFileBytes(read);
    OptimizationProblem again = before;
    QString keptType;
    const FileStatus reread = ParseProblemBytes(first, again, &keptType);
    FUZZ_CHECK(reread, "a written file is refused: " + reread.error);
    FUZZ_CHECK(keptType == read.StepType, "the step type did not come back: " + keptType);
    again.StepType = keptType;
    FUZZ_CHECK(StateFileBytes(again) == first, "the second write differs from the first");
    return 0;
}
