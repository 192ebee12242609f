// Marks on number boxes whose typed text a run cannot take, and the message
// that names such a box.
#pragma once

#include <QLineEdit>
#include <QString>

#include "shell/typed_field.h"

namespace vx {

// The message for a box the run refuses, naming the box by fieldName and
// quoting its text; codes lists the values a code box takes ("1, 2, 3").
// Empty for kNone.
QString FieldProblemMessage(FieldProblem problem, const QString& fieldName, const QString& text,
                            const QString& codes = QString());

// Marks the box (light red background, the message as its tooltip) or, for
// kNone, takes the mark away. The property "fieldProblem" holds the message
// while the box is marked.
void MarkField(QLineEdit* box, FieldProblem problem, const QString& message);

// True while MarkField has marked the box.
bool IsMarked(const QLineEdit* box);

}  // namespace vx
