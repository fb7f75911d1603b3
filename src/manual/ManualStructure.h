#pragma once

// How the manual's Markdown is read as a book: the first level-1 heading is
// the title, and what follows it up to the next level-1 heading is the
// title page; every later level-1 heading opens a chapter on a new page, and
// the level-2 headings are its sections. A text without a second level-1
// heading has no title page: it is laid out as it stands.

#include <QList>
#include <QString>
#include <QTextBlock>

class QTextDocument;

namespace zeltomir::manual {

struct Heading {
    QTextBlock block;
    int level = 0; // 1 chapter, 2 section, 3 and more subsections
};

struct ManualStructure {
    QString title;            // the first level-1 heading's text, or empty
    QTextBlock titleBlock;    // invalid without a title page
    QList<Heading> headings;  // every heading after the title, in order

    bool hasTitlePage() const { return titleBlock.isValid(); }
    // The chapter headings (level 1) and section headings (level 2).
    QList<Heading> contentsEntries() const;
};

ManualStructure FindStructure(const QTextDocument& document);

} // namespace zeltomir::manual
