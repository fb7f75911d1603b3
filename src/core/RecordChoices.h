#pragma once

// The choices the problem record holds as the product's words: the goal, the
// stage and the vertex types, each with its words in one place, and the
// questions the rules ask of them. Each keeps an Other case for a text a
// file holds outside its words (Choice.h); the comments say how the rules
// read it.

#include "core/Choice.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <utility>

namespace zeltomir::core {

// What the results are to do. Other (a file's text) is scored, recorded and
// plotted as a target, as the objective's "any other value" says, and the
// setup window chooses the target option for it; the setup window's target
// box and its target check go by "mid" alone.
enum class Goal {
    Max,    // "max": maximise the response
    Min,    // "min": minimise it
    Target, // "mid": bring it to TargetValue
    Other,
};

template <> struct ChoiceWords<Goal> {
    static constexpr std::array<std::pair<Goal, QStringView>, 3> Words{{
        {Goal::Max, u"max"},
        {Goal::Min, u"min"},
        {Goal::Target, u"mid"},
    }};
};

// Whether results are scored by their distance to TargetValue: every goal
// but "max" and "min".
bool AimsAtTarget(const Choice<Goal>& goal);

// The setup step committed last. A record read back reopens the window of
// its stage; Other reopens the steps window, as "Steps" does, but Undo and
// Redo, which ask whether it is "Steps", take it for another stage, and so
// does the runner's --open.
enum class Stage {
    None,                 // "none": at start-up
    DefineFactors,        // "DefineFactors": the factor grid committed
    SeqSimplexInitialize, // "SeqSimplexInitialize": the initial simplex window opened
    Steps,                // "Steps": a step result entered
    Other,
};

template <> struct ChoiceWords<Stage> {
    static constexpr std::array<std::pair<Stage, QStringView>, 4> Words{{
        {Stage::None, u"none"},
        {Stage::DefineFactors, u"DefineFactors"},
        {Stage::SeqSimplexInitialize, u"SeqSimplexInitialize"},
        {Stage::Steps, u"Steps"},
    }};
};

// The type of a trial or vertex. Other is no type (the empty text the type
// fields start with and the initial simplex commit leaves) or a file's text:
// it records TypeCode 0 as an initial vertex does, and a result entered for
// a trial of that type is decided by the extension's rules (the step rules'
// "any other").
enum class VertexType {
    Initial,            // "I"
    Reflection,         // "R"
    Extension,          // "E"
    ForwardContraction, // "Cr": on the reflection side
    ReverseContraction, // "Cw": on the rejected side
    Again,              // "A": a vertex of the simplex measured again at its levels
    Other,
};

template <> struct ChoiceWords<VertexType> {
    static constexpr std::array<std::pair<VertexType, QStringView>, 6> Words{{
        {VertexType::Initial, u"I"},
        {VertexType::Reflection, u"R"},
        {VertexType::Extension, u"E"},
        {VertexType::ForwardContraction, u"Cr"},
        {VertexType::ReverseContraction, u"Cw"},
        {VertexType::Again, u"A"},
    }};
};

// What the program shows of each vertex type.
struct VertexTypeTerms {
    VertexType type;
    int code;            // its TypeCode in the vertex history
    QStringView name;    // the vertex summary's Type cell
    QStringView caption; // the simplex plot's legend and tool tips
};

inline constexpr std::array<VertexTypeTerms, 6> VertexTypeTable{{
    {VertexType::Initial, 0, u"Initial", u"Initial"},
    {VertexType::Reflection, 1, u"Reflection", u"Reflection"},
    {VertexType::Extension, 2, u"Extension", u"Extension"},
    {VertexType::ForwardContraction, 3, u"Cr", u"Contraction forward (Cr)"},
    {VertexType::ReverseContraction, 4, u"Cw", u"Contraction reverse (Cw)"},
    {VertexType::Again, 5, u"Again", u"Measured again"},
}};

// The TypeCode a vertex of this type records; 0 for Other.
int TypeCode(const Choice<VertexType>& type);
// The type a TypeCode stands for; nullopt for a value outside the table
// (a file may hold any number there).
std::optional<VertexType> TypeOfCode(double code);
// The summary's Type cell and the plot's caption of a type (Other: empty).
QString TypeName(VertexType type);
QString TypeCaption(VertexType type);

} // namespace zeltomir::core
