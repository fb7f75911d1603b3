#pragma once

// The problem statements the practice windows show in their "Question"
// box. The wording, spelling and spacing are the exercises' own and are
// kept exactly, slips included, because learners' handouts quote them.

#include <QString>

namespace zeltomir::practice {

// The target window's statement before any question sets it, which the
// advanced level keeps: six lines, each ended by CR LF.
QString TargetDesignTimeStatement();
// The target statement at the simple level. A new question's factors are A
// and D; an opened exercise file may bring others, and the statement names
// the factors that the question uses.
QString TargetSimpleStatement(const QString& first = QStringLiteral("A"), const QString& second = QStringLiteral("D"));

QString ScrapStatement(bool advanced);

// The variance statement; targetText is the response target as the learner
// reads it (general form), which closes the text before its full stop.
QString VarianceStatement(bool advanced, const QString& targetText);

// The older variance window's statement, the same at both levels.
QString RobustStatement(const QString& targetText);

} // namespace zeltomir::practice
