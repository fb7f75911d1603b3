#pragma once

// One exercise window's logic without the window: the model operations of
// its kind (new question, optimum and answer, simulated response,
// judgement) and the flows of its buttons built on them. The single
// practice window class holds one of these and only shows what it returns.

#include "core/Message.h"
#include "practice/ExerciseWindowConfig.h"
#include "practice/FactorLevels.h"
#include "practice/PracticeProblem.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace zeltomir::core {
class UniformSource;
}

namespace zeltomir::practice {

struct PracticeRecords;

// A simulated response after the window's picture format.
struct SimulatedResponse {
    double raw = 0;   // as the model computed it
    double value = 0; // the number the picture text stands for
    QString text;     // what the "Result" cell shows
};

// What a question shows: the factors with a box, labels and grid column
// (in grid order), the grid headers (those factors, then "Result") and the
// problem statement.
struct QuestionLayout {
    QStringList shownFactors;
    QStringList gridHeaders;
    QString problemText;
};

struct ResponseOutcome {
    // Set when a level lies outside the limits; nothing was computed then.
    std::optional<LimitFailure> limitFailure;
    SimulatedResponse response;
    QStringList rowCells; // the shown factors' levels, then the response
};

class Exercise {
public:
    Exercise(ExerciseWindow window, PracticeProblem& record);
    virtual ~Exercise() = default;
    Exercise(const Exercise&) = delete;
    Exercise& operator=(const Exercise&) = delete;

    ExerciseWindow window() const { return m_window; }
    const ExerciseWindowConfig& config() const;
    PracticeProblem& record() { return m_record; }
    const PracticeProblem& record() const { return m_record; }
    bool advanced() const { return IsAdvancedLevel(m_record.PracticeLevel); }

    // Window load and Generate Question: Answered = 0, a new model drawn at
    // the kind's level, then the optimum and answer (target, scrap) or a
    // whole response at level 0 (variance windows, whose grid the caller
    // clears afterwards).
    QuestionLayout newQuestion(core::UniformSource& source, const QLocale& locale = QLocale());

    // The layout of the question as it stands (after an exercise file was
    // opened, the letters may differ from a new question's).
    QuestionLayout layout() const;

    // Compute Response: reads the boxes (index 0 is A), checks the limits,
    // recomputes the answer and simulates the response. Whether the row is
    // added to the grid is the caller's affair.
    ResponseOutcome computeResponse(const QStringList& boxTexts, core::UniformSource& source,
                                    const QLocale& locale = QLocale());

    // Check Answer: judges the boxes (no limit check) and keeps the score.
    core::Message checkAnswer(const QStringList& boxTexts, const QLocale& locale = QLocale());

    core::Message viewAnswer(const QLocale& locale = QLocale()) const;
    QString scoreText(const QLocale& locale = QLocale()) const;

    SimulatedResponse formatResponse(double raw, const QLocale& locale = QLocale()) const;

    // The model operations of the kind.
    virtual void drawQuestion(core::UniformSource& source, const QLocale& locale) = 0;
    virtual void computeAnswer() = 0;
    virtual double simulate(const FactorLevels& levels, core::UniformSource& source) = 0;
    virtual bool judge(const FactorEntries& entries) const = 0;
    virtual QString answerView(const QLocale& locale) const = 0;
    virtual QStringList shownFactors() const = 0;
    virtual QString problemText() const = 0;

private:
    ExerciseWindow m_window;
    PracticeProblem& m_record;
};

// The exercise of a window over the program's (or a test's) records.
std::unique_ptr<Exercise> MakeExercise(ExerciseWindow window, PracticeRecords& records);

// Letters A .. (count - 1) and the letters given, sorted: the shown factors.
QStringList AllFactors(int count);
QStringList SortedLetters(QStringList letters);

} // namespace zeltomir::practice
