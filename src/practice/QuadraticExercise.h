#pragma once

// The target and the scrap exercise: the same model, a different response.

#include "practice/Exercise.h"
#include "practice/QuadraticModel.h"

namespace zeltomir::practice {

class QuadraticExercise final : public Exercise {
public:
    // window is Target or Scrap.
    QuadraticExercise(ExerciseWindow window, QuadraticProblem& problem);

    void drawQuestion(core::UniformSource& source, const QLocale& locale) override;
    void computeAnswer() override;
    double simulate(const FactorLevels& levels, core::UniformSource& source) override;
    bool judge(const FactorEntries& entries) const override;
    QString answerView(const QLocale& locale) const override;
    QStringList shownFactors() const override;
    QString problemText() const override;

private:
    QuadraticProblem& m_problem;
};

} // namespace zeltomir::practice
