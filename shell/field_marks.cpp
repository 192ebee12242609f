// Marks on number boxes whose typed text a run cannot take.
#include "shell/field_marks.h"

#include <QCoreApplication>
#include <QVariant>

namespace vx {

namespace {

const char* const kProblemProperty = "fieldProblem";
// A light red box: seen at once, the text still readable.
const char* const kMarkedStyle = "QLineEdit { background-color: #ffd0d0; }";

}  // namespace

QString FieldProblemMessage(FieldProblem problem, const QString& fieldName, const QString& text,
                            const QString& codes) {
  switch (problem) {
    case FieldProblem::kNotNumber:
      return QCoreApplication::translate("FieldMarks", "%1 の「%2」は数値ではありません。数値を入力してください。")
          .arg(fieldName, text);
    case FieldProblem::kNotInList:
      return QCoreApplication::translate("FieldMarks", "%1 の「%2」は使えません。%3 のどれかを入力してください。")
          .arg(fieldName, text, codes);
    case FieldProblem::kNone:
      break;
  }
  return QString();
}

void MarkField(QLineEdit* box, FieldProblem problem, const QString& message) {
  const bool marked = problem != FieldProblem::kNone;
  if (marked == IsMarked(box) && box->property(kProblemProperty).toString() == message) return;
  box->setProperty(kProblemProperty, marked ? QVariant(message) : QVariant());
  box->setStyleSheet(marked ? QString::fromUtf8(kMarkedStyle) : QString());
  box->setToolTip(marked ? message : QString());
}

bool IsMarked(const QLineEdit* box) { return box->property(kProblemProperty).isValid(); }

}  // namespace vx
