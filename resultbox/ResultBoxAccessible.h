#pragma once

#include <QString>

namespace tombolix {

class ResultBox;

// Lets screen readers read the result box: its text, the selection, and where each character
// is drawn. Installed once, by the first box made.
void installResultBoxAccessibility();
// Tells screen readers that the box holds a new result in place of `before`.
void announceNewText(ResultBox *box, const QString &before);
// Tells screen readers where the selection and the caret now are.
void announceSelection(ResultBox *box);

} // namespace tombolix
