// Texts of the logic libraries shown in English: whole texts, patterns with
// their parts, and texts that are left as they are.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QTranslator>

#include "platform/logic_texts.h"

namespace vx {
namespace {

struct Case {
  const char* name;
  const char* text;
  const char* english;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class LogicTextInEnglish : public ::testing::TestWithParam<Case> {
 public:
  static void SetUpTestSuite() {
    test::EnsureQApplication();
    s_english = new QTranslator;
    ASSERT_TRUE(s_english->load("vexline_en", ":/i18n"));
    QCoreApplication::installTranslator(s_english);
  }
  static void TearDownTestSuite() {
    QCoreApplication::removeTranslator(s_english);
    delete s_english;
  }
  static QTranslator* s_english;
};
QTranslator* LogicTextInEnglish::s_english = nullptr;

TEST_P(LogicTextInEnglish, Translated) { EXPECT_EQ(LogicText(std::string(GetParam().text)).toStdString(), GetParam().english); }

INSTANTIATE_TEST_SUITE_P(
    Texts, LogicTextInEnglish,
    ::testing::Values(
        Case{"WholeText", "交点無し??", "No intersection??"},
        // The full-width blank in front becomes an ordinary one.
        Case{"ProgressLineWithItsLeadingBlank", "　まるめ処理中。しばらくお待ち下さい。", " Rounding. Please wait."},
        Case{"ConstructionMessageWithRowAndReason", "CONV-2 エラー 交点No= 12 平行線で交点無し",
             "CONV-2 error at row No= 12: parallel lines, no intersection"},
        Case{"ReasonWithBlanksAroundIt", "CONV-2 エラー 交点No= 7 コーナＲが入らない。 ",
             "CONV-2 error at row No= 7: the corner R does not fit. "},
        Case{"UnknownReasonKeptInsideAKnownPattern", "CONV-2 エラー 交点No= 3 新しい理由",
             "CONV-2 error at row No= 3: 新しい理由"},
        Case{"ThreeParts", "表の 3 行目の X「1O」は数値ではありません。保存しません。",
             "In row 3 of the table, X \"1O\" is not a number. Not saved."},
        Case{"PartThatIsAKnownText", "DATAIN.xls を読み込めません（ブックが壊れています）：/v/DATAIN.xls",
             "Cannot read DATAIN.xls (the workbook is damaged): /v/DATAIN.xls"},
        Case{"MoreSpecificPatternFirst", "DATAIN.xlsx の B7 は計算結果がありません（計算エラー #DIV/0!）。ConDTA.dat は書き込みません。",
             "B7 of DATAIN.xlsx has no result (calculation error #DIV/0!). ConDTA.dat is not written."},
        Case{"KnownPhraseInsideAPart", "読み込まなかった図形: HATCH 3, ペーパー空間の図形 2",
             "Entities not read: HATCH 3, paper-space entities 2"},
        Case{"InvisibleEntitiesInsideAPart", "読み込まなかった図形: TEXT 2, 非表示の図形 8",
             "Entities not read: TEXT 2, invisible entities 8"},
        Case{"DxfValueThatIsNoNumber", "ＤＸＦファイルの 42 行目の値が数値ではありません。読み込みを中止しました: /d/a.dxf",
             "The value on line 42 of the DXF file is not a number. The import was stopped: /d/a.dxf"},
        Case{"OnlineLineWithItsTrailingBlank", "[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ] ", "[ ON LINE!!   PLEASE WAIT A MOMENT. ] "},
        Case{"CalculatorFieldNotANumber", "2行目のXが数値でない", "X of row 2 is not a number"},
        Case{"PathWithAPercentSign", "ファイルを書き込めません: /tmp/%1/a.dxf", "Cannot write the file: /tmp/%1/a.dxf"},
        Case{"IgesEntryWithItsCause", "ＩＧＥＳのディレクトリ番号 17（TYPE 126）: 曲線のデータが正しくありません。読み込みを中止しました。",
             "IGES directory entry 17 (TYPE 126): the curve's data is not correct. The import was stopped."},
        Case{"OffsetRow", "オフセット計算中 dataNO= 5で交点ERROR", "Offset path: intersection ERROR at data No= 5"},
        Case{"UnknownTextStays", "まだ知られていない文", "まだ知られていない文"},
        Case{"NumbersStay", "12.5", "12.5"},
        Case{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogicTextInJapanese, EveryTextStaysAsItIs) {
  test::EnsureQApplication();
  for (const char* text : {"交点無し??", "CONV-2 エラー 交点No= 12 平行線で交点無し", "ファイルを書き込めません: /a"}) {
    EXPECT_EQ(LogicText(std::string(text)).toStdString(), text);
  }
}

}  // namespace
}  // namespace vx
