#include "ManualStructure.h"

#include <QTextDocument>

namespace zeltomir::manual {

QList<Heading> ManualStructure::contentsEntries() const
{
    QList<Heading> entries;
    for (const Heading& heading : headings) {
        if (heading.level <= 2)
            entries.append(heading);
    }
    return entries;
}

ManualStructure FindStructure(const QTextDocument& document)
{
    QList<Heading> all;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level > 0)
            all.append({block, level});
    }

    ManualStructure structure;
    int chapters = 0;
    for (const Heading& heading : all)
        chapters += heading.level == 1 ? 1 : 0;
    const bool titlePage = !all.isEmpty() && all.first().level == 1 && chapters >= 2;
    if (titlePage) {
        structure.titleBlock = all.first().block;
        structure.title = structure.titleBlock.text().trimmed();
        all.removeFirst();
    }
    structure.headings = all;
    return structure;
}

} // namespace zeltomir::manual
