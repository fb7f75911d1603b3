#include "core/RecordChoices.h"

namespace zeltomir::core {

namespace {

const VertexTypeTerms* TermsOf(VertexType type)
{
    for (const VertexTypeTerms& terms : VertexTypeTable) {
        if (terms.type == type)
            return &terms;
    }
    return nullptr;
}

} // namespace

bool AimsAtTarget(const Choice<Goal>& goal)
{
    return goal.kind() != Goal::Max && goal.kind() != Goal::Min;
}

int TypeCode(const Choice<VertexType>& type)
{
    const VertexTypeTerms* terms = TermsOf(type.kind());
    return terms ? terms->code : 0;
}

std::optional<VertexType> TypeOfCode(double code)
{
    for (const VertexTypeTerms& terms : VertexTypeTable) {
        if (code == terms.code)
            return terms.type;
    }
    return std::nullopt;
}

QString TypeName(VertexType type)
{
    const VertexTypeTerms* terms = TermsOf(type);
    return terms ? terms->name.toString() : QString();
}

QString TypeCaption(VertexType type)
{
    const VertexTypeTerms* terms = TermsOf(type);
    return terms ? terms->caption.toString() : QString();
}

} // namespace zeltomir::core
