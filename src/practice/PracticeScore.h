#pragma once

// The score of an exercise kind and the messages the exercise windows show
// around it. The windows only display what these return.

#include "core/Message.h"
#include "practice/PracticeProblem.h"

#include <QLocale>
#include <QString>

namespace zeltomir::practice {

// "33.3%": correct / (correct + incorrect) x 100 rounded to one decimal
// (halves to even), then "%"; "0%" before any answer.
QString ScoreText(int correctCount, int incorrectCount, const QLocale& locale = QLocale());
QString ScoreText(const PracticeProblem& problem, const QLocale& locale = QLocale());

// The bookkeeping of Check Answer: only the first check of a question moves
// a counter and sets Answered. Returns "Your response is Correct!" or
// "Your response is Incorrect." titled "Question Response".
core::Message RecordAnswer(PracticeProblem& problem, bool correct);

// Reset Status after Yes: both counters back to 0; Answered stays.
void ResetStatus(PracticeProblem& problem);

// The notice after Generate Question (the same in every exercise window).
core::Message GenerateQuestionNotice();

// Yes/No questions with No as the default button.
core::Message ResetStatusQuestion();      // exclamation icon, title "Message"
core::Message ClearSpreadsheetQuestion(); // critical-stop icon, title "Warning"

// View Answer's box: the given text, titled "Correct Answer".
core::Message CorrectAnswerMessage(const QString& text);

} // namespace zeltomir::practice
