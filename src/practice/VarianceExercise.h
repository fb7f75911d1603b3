#pragma once

// The variance exercise of the Practice menu.

#include "practice/Exercise.h"
#include "practice/PracticeRecords.h"

namespace zeltomir::practice {

class VarianceExercise final : public Exercise {
public:
    explicit VarianceExercise(VarianceProblem& problem);

    void drawQuestion(core::UniformSource& source, const QLocale& locale) override;
    void computeAnswer() override;
    double simulate(const FactorLevels& levels, core::UniformSource& source) override;
    bool judge(const FactorEntries& entries) const override;
    QString answerView(const QLocale& locale) const override;
    QStringList shownFactors() const override;
    QString problemText() const override;

private:
    VarianceProblem& m_problem;
};

} // namespace zeltomir::practice
