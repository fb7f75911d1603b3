#include "practice/windows/PracticeWindows.h"

#include "core/ProblemRecord.h"
#include "practice/PracticeRecords.h"
#include "practice/windows/PracticeWindow.h"
#include "shell/MainWindow.h"
#include "shell/MdiArrangement.h"
#include "shell/Twips.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace zeltomir::practice {
namespace {

ExerciseWindow WindowOfKind(shell::PracticeKind kind)
{
    switch (kind) {
    case shell::PracticeKind::Target:
        return ExerciseWindow::Target;
    case shell::PracticeKind::Variance:
        return ExerciseWindow::Variance;
    case shell::PracticeKind::Scrap:
        return ExerciseWindow::Scrap;
    }
    return ExerciseWindow::Target;
}

PracticeProblem& RecordOfKind(PracticeRecords& records, shell::PracticeKind kind)
{
    switch (kind) {
    case shell::PracticeKind::Target:
        return records.Target;
    case shell::PracticeKind::Variance:
        return records.Variance;
    case shell::PracticeKind::Scrap:
        return records.Scrap;
    }
    return records.Target;
}

} // namespace

PracticeWindows::PracticeWindows(shell::MainWindow& mainWindow, core::RunTimeState& runTime,
                                 PracticeRecords& records)
    : m_mainWindow(mainWindow), m_runTime(runTime), m_records(records)
{
    connect(m_mainWindow.mdiArea(), &QMdiArea::subWindowActivated, this, &PracticeWindows::subWindowActivated);
}

PracticeWindows::~PracticeWindows() = default;

void PracticeWindows::installPracticeMenu()
{
    m_mainWindow.handlers().practice = [this](shell::PracticeKind kind, const QString& level) {
        openPractice(kind, level);
    };
}

PracticeWindow* PracticeWindows::openPractice(shell::PracticeKind kind, const QString& level)
{
    const ExerciseWindow which = WindowOfKind(kind);
    close(which);
    RecordOfKind(m_records, kind).PracticeLevel = level;
    return show(which);
}

PracticeWindows::Slot& PracticeWindows::slot(ExerciseWindow which)
{
    return m_slots[static_cast<std::size_t>(which)];
}

const PracticeWindows::Slot& PracticeWindows::slot(ExerciseWindow which) const
{
    return m_slots[static_cast<std::size_t>(which)];
}

PracticeWindow* PracticeWindows::window(ExerciseWindow which) const
{
    return slot(which).window;
}

QMdiSubWindow* PracticeWindows::subWindow(ExerciseWindow which) const
{
    return slot(which).subWindow;
}

PracticeWindow* PracticeWindows::load(ExerciseWindow which)
{
    if (PracticeWindow* loaded = window(which))
        return loaded;
    return create(which);
}

PracticeWindow* PracticeWindows::create(ExerciseWindow which)
{
    shell::MainWindow* main = &m_mainWindow;
    PracticeWindowContext context{&m_mainWindow.dialogs(), &m_runTime, &m_records,
                                  [main](const QString& code) { main->updateCommandAvailability(code); }};
    auto* window = new PracticeWindow(which, std::move(context));
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_mainWindow.addChild(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The window's size is that of the whole child window, frame included.
    const ExerciseWindowConfig& config = WindowConfig(which);
    sub->resize(shell::TwipsSize(sub, config.widthTwips, config.heightTwips));
    connect(window, &PracticeWindow::closing, this, [this, which] { forget(which); });
    slot(which) = Slot{window, sub};
    return window;
}

PracticeWindow* PracticeWindows::show(ExerciseWindow which)
{
    PracticeWindow* window = load(which);
    QMdiSubWindow* sub = subWindow(which);
    const bool firstShowing = sub->isHidden();
    sub->show();
    // The MDI area places a new window where it finds room, which for a
    // window this large can be partly past the area's edge.
    shell::KeepInside(*m_mainWindow.mdiArea(), *sub);
    m_mainWindow.mdiArea()->setActiveSubWindow(sub);
    // Left to itself the new window would focus its question text; the
    // learner's first step is a level.
    if (firstShowing)
        window->focusFirstLevelBox();
    return window;
}

void PracticeWindows::close(ExerciseWindow which)
{
    const QPointer<QMdiSubWindow> sub = subWindow(which);
    // Forgotten before closing: the closing window lives on until it is
    // deleted later, and must not be taken for a loaded one meanwhile.
    forget(which);
    if (sub)
        sub->close();
}

void PracticeWindows::forget(ExerciseWindow which)
{
    slot(which) = Slot{};
    if (m_lastActivated == which)
        m_lastActivated.reset();
}

void PracticeWindows::subWindowActivated(QMdiSubWindow* subWindow)
{
    if (!subWindow)
        return;
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].subWindow == subWindow && m_slots[i].window) {
            m_lastActivated = static_cast<ExerciseWindow>(i);
            m_slots[i].window->activated();
            return;
        }
    }
}

std::optional<ExerciseWindow> PracticeWindows::WindowForActiveCode(const QString& activeWindow)
{
    if (activeWindow == QLatin1String("TOO"))
        return ExerciseWindow::Target;
    if (activeWindow == QLatin1String("VO"))
        return ExerciseWindow::Variance;
    if (activeWindow == QLatin1String("TO5"))
        return ExerciseWindow::Scrap;
    return std::nullopt;
}

PracticeWindow* PracticeWindows::windowForActiveCode(const QString& activeWindow)
{
    std::optional<ExerciseWindow> which = WindowForActiveCode(activeWindow);
    if (!which)
        return nullptr;
    // Both variance windows answer to "VO". A command meant for the older
    // one, when that was activated last, acts on it rather than on the
    // menu's window, which might even have to be loaded with a question of
    // its own for the purpose.
    if (*which == ExerciseWindow::Variance && m_lastActivated == ExerciseWindow::OlderVariance &&
        window(ExerciseWindow::OlderVariance))
        which = ExerciseWindow::OlderVariance;
    return load(*which);
}

PracticeWindow* PracticeWindows::openTargetExercise(const TargetFileContents& contents)
{
    PracticeWindow* window = load(ExerciseWindow::Target);
    ApplyTargetFile(contents, m_records.Target);
    window->showCurrentQuestion();
    window->showFirstRow();
    return show(ExerciseWindow::Target);
}

PracticeWindow* PracticeWindows::openVarianceExercise(const VarianceFileContents& contents)
{
    PracticeWindow* window = load(ExerciseWindow::OlderVariance);
    window->clearLevelBoxes();
    ApplyVarianceFile(contents, m_records.Variance);
    window->showCurrentQuestion();
    window->computeResponse();
    window->clearDataRows();
    return show(ExerciseWindow::OlderVariance);
}

} // namespace zeltomir::practice
