#include "cli/CliHelp.h"

#include "core/LicenceNotice.h"
#include "core/ProgramInfo.h"

namespace zeltomir::cli {

std::string HelpText()
{
    return "Usage: zeltomir-cli optimize [options]\n"
           "       zeltomir-cli --help | --version\n"
           "\n"
           "Runs the sequential simplex without windows: proposes each trial and reads\n"
           "the measured results from standard input, one per line.\n"
           "\n"
           "Options of optimize:\n"
           "  --goal max|min|mid        maximise, minimise or reach --target (default max)\n"
           "  --target T                the target response, used with --goal mid\n"
           "  --steps variable|fixed    variable or fixed size steps (default variable,\n"
           "                            or the step size an --open file keeps)\n"
           "  --factor NAME=LOWER..UPPER/DECIMALS\n"
           "                            one factor; give one per factor, in order\n"
           "  --open FILE.sso           resume a saved problem whose initial simplex\n"
           "                            results are in (the first trial is proposed\n"
           "                            anew) or that was saved during the steps\n"
           "  --save FILE.sso           save the problem when the input ends, or when the\n"
           "                            session is cut short (see below)\n"
           "  --csv FILE.csv            write the vertex summary as CSV when the input\n"
           "                            ends, every number at full precision; a file\n"
           "                            of its own, not the --open or --save file\n"
           "  --json                    write one JSON object per line\n"
           "  --help                    show this help\n"
           "  --version                 show the version\n"
           "\n"
           "Input, one line per measured result:\n"
           "  RESULT                    the result at the levels proposed\n"
           "  RESULT @ L1 ... Lk        the result at the levels actually run\n"
           "During the steps, also:\n"
           "  again N                   measure vertex N of the current simplex again:\n"
           "                            the next result line, without @, answers it\n"
           "  failed                    the trial on show failed (with @ L1 ... Lk, at\n"
           "                            the levels run); it counts as the worst result\n"
           "  correct N VALUE           vertex N's result was VALUE, not what was given\n"
           "Blank lines and lines starting with # are ignored. For a new problem the\n"
           "first k+1 lines answer the initial simplex, row by row; every later line\n"
           "answers the trial on show. A line refused with a message records nothing\n"
           "and leaves its row or trial to the next line.\n"
           "\n"
           "Output, one event per line: initial, trial, message, and at the end of the\n"
           "input one vertex line per vertex of the vertex summary, with its status\n"
           "(again, failed, or corrected and the first result) where it has one.\n"
           "With --json, an advice line each time the advice on when to stop changes.\n"
           "Names and texts are written with their control characters, line\n"
           "separators and bidirectional controls escaped (\\n, \\t, \\\\, \\xHH,\n"
           "\\uHHHH), so that each event keeps to its line as written.\n"
           "\n"
           "A session cut short ends as at the end of the input, saving included:\n"
           "SIGINT (Ctrl-C), SIGTERM and SIGHUP stop it at the next line boundary, with\n"
           "an Interrupted message (a second signal ends it at once), or while it waits\n"
           "to write to an output nobody reads; standard output that can no longer be\n"
           "written (a closed pipe) and memory that runs out stop it too. A save\n"
           "replaces its file only once the new one is written whole. Before the\n"
           "initial simplex is complete nothing is saved: the message lists the results\n"
           "received so far, to be given again.\n"
           "\n"
           "Exit status: 0 when the input was used up, 2 when the session cannot go on or\n"
           "was cut short.\n";
}

std::string VersionLine()
{
    return core::VersionAnswer(QStringLiteral("zeltomir-cli"), core::VersionText()).toStdString();
}

} // namespace zeltomir::cli
