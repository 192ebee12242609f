// CONV-2: the element list of CONDTA.dat rewritten in place into the contour of CON2TA.dat.
#pragma once

#include <string>

#include "platform/message_box.h"
#include "shell/element_table.h"
#include "shell/install_folder.h"

namespace vx {

// How a CONV-2 run ended. Construction problems (no intersection, corner does
// not fit, ...) are reported through the message box and do not change the
// status: the run goes on with its fallback and the contour is written.
enum class Conv2Status {
  kOk,           // contour file written
  kMissingInput, // CONDTA.dat does not exist or cannot be opened
  kBadInput,     // CONDTA.dat is short or its count is not 0..1999
  kOverflow,     // the contour would need more rows than the table holds
  kNotFinite,    // a construction produced a value that is not a number
  kWriteFailed,  // CON2TA.dat could not be written
};

// Reason texts of the construction messages, each shown after
// "CONV-2 エラー 交点No=" and the row number.
namespace conv2_reason {
inline constexpr const char* kParallelLines = " 平行線で交点無し";
inline constexpr const char* kParallelVertical = " 平行線のため交点無し";
inline constexpr const char* kLineMissesCircle = " 直線と円に交点無し。接線とします";
inline constexpr const char* kCornerDoesNotFit = " コーナＲが入らない。 ";
inline constexpr const char* kLineCircleCorner = " ( )(C)が入らない";
inline constexpr const char* kCircleLineCorner = " ()(C) 入らない --Rout(C)--";
inline constexpr const char* kCircleCircleCorner = " 交点無し? -RR(C)-";
// Reasons of this program's own for input the constructions cannot handle.
inline constexpr const char* kSameCentre = " 中心と点が重なり接線が引けない";
inline constexpr const char* kNoTangent = " 接線が引けない";
inline constexpr const char* kCrossingWithZeroMark = " 直線と円が交わる(S=0は接線)。手前の交点とします";
inline constexpr const char* kTableFull = " 行数が2000を超えるため中止";
inline constexpr const char* kNotANumber = " 計算できない値のため中止";
}  // namespace conv2_reason

// The message prefix and the whole text of a construction message for a row:
// ConstructionMessage(12, " 平行線で交点無し") == "CONV-2 エラー 交点No= 12 平行線で交点無し".
inline constexpr const char* kConv2MessagePrefix = "CONV-2 エラー 交点No=";
std::string ConstructionMessage(int row, const std::string& reason);

// Runs pass 1 (elements), pass 2 (corners) and pass 3 (repeated rows, final
// count) on the element table as loaded, rewriting it in place. The working
// state starts afresh. Returns kOk, kOverflow (a row insertion would pass row
// 2000, or the final count would pass 1999) or kNotFinite; the two stops are
// reported through the box in the construction-message form, and the table is
// then left as far as the run got.
Conv2Status ConvertElements(ElementTable& table, MessageBox& box);

// Loads install folder + CONDTA.dat, converts it and stores install folder +
// CON2TA.dat. Every problem is shown through the box (one message each). On
// any status other than kOk no contour file is written or changed.
Conv2Status RunConv2(ElementTable& table, const InstallFolder& folder, MessageBox& box);

}  // namespace vx
