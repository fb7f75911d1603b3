#pragma once

// The look of the printed manual, applied to the document that the Markdown
// reader built: body and heading fonts, spacing, the title page, tables
// with ruled cells and a shaded header, shaded examples (ManualExamples.h),
// and which paragraphs are kept with what follows them.

class QTextDocument;

namespace zeltomir::manual {

struct ManualStructure;

void ApplyManualStyle(QTextDocument& document, const ManualStructure& structure);

} // namespace zeltomir::manual
