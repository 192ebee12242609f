// Texts of the logic libraries (messages, progress lines, answers) in the
// language of the user interface.
#pragma once

#include <QString>
#include <string>

namespace vx {

// The logic libraries write their texts in Japanese and know nothing of
// languages. Where such a text reaches the screen (message boxes, progress
// lines, labels), this gives it in the language installed: a known text, or a
// known pattern with its numbers, rows, paths and reasons in it (the parts
// that are known texts themselves translated too). A text this list does not
// know stays as it is, so nothing is ever lost; in Japanese every text stays.
QString LogicText(const std::string& text);
QString LogicText(const QString& text);
inline QString LogicText(const char* text) { return LogicText(QString::fromUtf8(text)); }

}  // namespace vx
