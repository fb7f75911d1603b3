#pragma once

// The older variance window, which variance exercise files open. It shares
// the variance kind's score and level with the menu's variance window but
// keeps its own model and answer.

#include "practice/Exercise.h"
#include "practice/PracticeRecords.h"

namespace zeltomir::practice {

class RobustExercise final : public Exercise {
public:
    explicit RobustExercise(VarianceProblem& problem);

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
