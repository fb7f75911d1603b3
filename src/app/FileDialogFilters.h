#pragma once

// The filters of the File menu's dialogs and the choice of reader by a file
// name's ending. The filter strings are the common dialog's description and
// pattern pairs separated by "|"; every dialog starts on the second filter,
// the file type that fits the window the user is working in.

#include <QString>
#include <QStringList>

namespace zeltomir::app {

// The dialog service counts filters from 0: the second filter is 1.
inline constexpr int SecondFilter = 1;

// Save: the target exercise ("TOO"), a variance exercise ("VO"), or the
// simplex problem for any other window.
QString SaveFilterString(const QString& activeWindow);
// Open: the same three cases, each listing all three file types with its
// own first.
QString OpenFilterString(const QString& activeWindow);

QStringList SaveNameFilters(const QString& activeWindow);
QStringList OpenNameFilters(const QString& activeWindow);

enum class ProblemFileKind { State, TargetExercise, VarianceExercise };

// By the last three characters of the name in lower case: "sst" a target
// exercise, "ssv" a variance exercise, anything else (".sso", ".txt", no
// extension at all) a state file.
ProblemFileKind ProblemFileKindOf(const QString& fileName);

} // namespace zeltomir::app
