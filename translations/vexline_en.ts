<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>FieldMarks</name>
    <message>
        <source>%1 の「%2」は数値ではありません。数値を入力してください。</source>
        <translation>%1 &quot;%2&quot; is not a number. Please enter a number.</translation>
    </message>
    <message>
        <source>%1 の「%2」は使えません。%3 のどれかを入力してください。</source>
        <translation>%1 &quot;%2&quot; cannot be used. Please enter one of %3.</translation>
    </message>
</context>
<context>
    <name>LogicText</name>
    <message>
        <source>ファイルがありません</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています</source>
        <translation>the file ends too early</translation>
    </message>
    <message>
        <source>データ数が 0～1999 の範囲外です</source>
        <translation>the count is outside 0 to 1999</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>the file cannot be opened</translation>
    </message>
    <message>
        <source>ブックにワークシートがありません</source>
        <translation>the workbook has no worksheet</translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation>not a file</translation>
    </message>
    <message>
        <source>表の 1 行目には件数だけを書いてください。保存しません。</source>
        <translation>Row 1 of the table may hold the count only. Not saved.</translation>
    </message>
    <message>
        <source>表の内容をエレメント表として読めません。保存しません。</source>
        <translation>The table cannot be read as an element table. Not saved.</translation>
    </message>
    <message>
        <source>平行線で交点無し</source>
        <translation>parallel lines, no intersection</translation>
    </message>
    <message>
        <source>平行線のため交点無し</source>
        <translation>no intersection, the lines are parallel</translation>
    </message>
    <message>
        <source>直線と円に交点無し。接線とします</source>
        <translation>the line misses the circle; taken as a tangent</translation>
    </message>
    <message>
        <source>コーナＲが入らない。</source>
        <translation>the corner R does not fit.</translation>
    </message>
    <message>
        <source>( )(C)が入らない</source>
        <translation>( )(C) does not fit</translation>
    </message>
    <message>
        <source>()(C) 入らない --Rout(C)--</source>
        <translation>()(C) does not fit --Rout(C)--</translation>
    </message>
    <message>
        <source>交点無し? -RR(C)-</source>
        <translation>no intersection? -RR(C)-</translation>
    </message>
    <message>
        <source>中心と点が重なり接線が引けない</source>
        <translation>the point lies on the centre: no tangent can be drawn</translation>
    </message>
    <message>
        <source>接線が引けない</source>
        <translation>no tangent can be drawn</translation>
    </message>
    <message>
        <source>行数が2000を超えるため中止</source>
        <translation>stopped: more than 2000 rows</translation>
    </message>
    <message>
        <source>計算できない値のため中止</source>
        <translation>stopped: a value cannot be calculated</translation>
    </message>
    <message>
        <source>プリンターに出力できません</source>
        <translation>Cannot print</translation>
    </message>
    <message>
        <source>入力順違いで計算出来ない</source>
        <translation>Cannot calculate: wrong input order</translation>
    </message>
    <message>
        <source>交点が求められませんでした。</source>
        <translation>The intersection could not be found.</translation>
    </message>
    <message>
        <source>交点無し??</source>
        <translation>No intersection??</translation>
    </message>
    <message>
        <source>交点無し?</source>
        <translation>No intersection?</translation>
    </message>
    <message>
        <source>交点無し!!</source>
        <translation>No intersection!!</translation>
    </message>
    <message>
        <source>求められませんでした。!!</source>
        <translation>Could not be found.!!</translation>
    </message>
    <message>
        <source>求められない</source>
        <translation>Cannot be found</translation>
    </message>
    <message>
        <source>中心が同じで計算出来ない</source>
        <translation>Cannot calculate: same centre</translation>
    </message>
    <message>
        <source>半径0で計算出来ない</source>
        <translation>Cannot calculate: radius 0</translation>
    </message>
    <message>
        <source>3行目が垂直線で計算出来ない</source>
        <translation>Cannot calculate: row 3 is a vertical line</translation>
    </message>
    <message>
        <source>3行目のDが数値でない</source>
        <translation>D of row 3 is not a number</translation>
    </message>
    <message>
        <source>計算出来ない</source>
        <translation>Cannot calculate</translation>
    </message>
    <message>
        <source>1.1 ２点の角度</source>
        <translation>1.1 Angle through two points</translation>
    </message>
    <message>
        <source>1.2 点と円の接線の角度</source>
        <translation>1.2 Tangent from a point to a circle</translation>
    </message>
    <message>
        <source>1.3 円と円の接線の角度</source>
        <translation>1.3 Tangent of two circles</translation>
    </message>
    <message>
        <source>2.1 ２直線の交点</source>
        <translation>2.1 Intersection of two lines</translation>
    </message>
    <message>
        <source>2.2 直線と円の交点</source>
        <translation>2.2 Intersection of a line and a circle</translation>
    </message>
    <message>
        <source>2.3 円と円の交点</source>
        <translation>2.3 Intersection of two circles</translation>
    </message>
    <message>
        <source>3.1 点と円に接する円</source>
        <translation>3.1 Circle through a point, tangent to a circle</translation>
    </message>
    <message>
        <source>3.2 円と接線に接する円</source>
        <translation>3.2 Circle tangent to a circle and a tangent</translation>
    </message>
    <message>
        <source>3.3 直線と円に接する円</source>
        <translation>3.3 Circle tangent to a line and a circle</translation>
    </message>
    <message>
        <source>3.4 ２円に接する円</source>
        <translation>3.4 Circle tangent to two circles</translation>
    </message>
    <message>
        <source>3.5 ３点を通る円</source>
        <translation>3.5 Circle through three points</translation>
    </message>
    <message>
        <source>3.6 ３直線に接する円</source>
        <translation>3.6 Circle tangent to three lines</translation>
    </message>
    <message>
        <source>ファイルが選ばれていません。</source>
        <translation>No file has been chosen.</translation>
    </message>
    <message>
        <source>線分・円弧が 1000 個を超えています。読み込みを中止しました。</source>
        <translation>More than 1000 lines and arcs. The import was stopped.</translation>
    </message>
    <message>
        <source>スタートマークが 200 個を超えています。読み込みを中止しました。</source>
        <translation>More than 200 start marks. The import was stopped.</translation>
    </message>
    <message>
        <source>コンバートデータが 2000 行を超えます。読み込みを中止しました。</source>
        <translation>The converted data would pass 2000 rows. The import was stopped.</translation>
    </message>
    <message>
        <source>線分・円弧がありません。読み込みを中止しました。</source>
        <translation>No lines or arcs. The import was stopped.</translation>
    </message>
    <message>
        <source>ＩＧＥＳのディレクトリ番号が 5000 を超えています。読み込みを中止しました。</source>
        <translation>An IGES directory number is above 5000. The import was stopped.</translation>
    </message>
    <message>
        <source>ＩＧＥＳのパラメータが 10 個を超えています。読み込みを中止しました。</source>
        <translation>An IGES entity has more than 10 parameters. The import was stopped.</translation>
    </message>
    <message>
        <source>ConDTA.dat を書き込めません：%1</source>
        <translation>Cannot write ConDTA.dat: %1</translation>
    </message>
    <message>
        <source>表の 1 行目の件数「%1」が 0 から 1999 までの整数ではありません。保存しません。</source>
        <translation>The count &quot;%1&quot; in row 1 of the table is not a whole number from 0 to 1999. Not saved.</translation>
    </message>
    <message>
        <source>件数 %1 には %2 行のデータが要りますが、%3 行しかありません。保存しません。</source>
        <translation>The count %1 needs %2 data rows, but there are only %3. Not saved.</translation>
    </message>
    <message>
        <source>表の %1 行目は件数 %2 の範囲（%3 行目まで）の外にあります。件数を直してください。保存しません。</source>
        <translation>Row %1 of the table lies outside the count %2 (up to row %3). Please correct the count. Not saved.</translation>
    </message>
    <message>
        <source>表の %1 行目に 6 列目以降のデータがあります。保存しません。</source>
        <translation>Row %1 of the table has data in column 6 or after. Not saved.</translation>
    </message>
    <message>
        <source>表の %1 行目の %2「%3」は数値ではありません。保存しません。</source>
        <translation>In row %1 of the table, %2 &quot;%3&quot; is not a number. Not saved.</translation>
    </message>
    <message>
        <source>CONV-2 エラー 交点No= %1 %2</source>
        <translation>CONV-2 error at row No= %1: %2</translation>
    </message>
    <message>
        <source>CONV-2 エラー %1 がありません</source>
        <translation>CONV-2 error: %1 does not exist</translation>
    </message>
    <message>
        <source>CONV-2 エラー %1 が正しくありません</source>
        <translation>CONV-2 error: %1 is not correct</translation>
    </message>
    <message>
        <source>CONV-2 エラー %1 に書き込めません</source>
        <translation>CONV-2 error: cannot write %1</translation>
    </message>
    <message>
        <source>オフセット計算中 dataNO= %1で交点ERROR</source>
        <translation>Offset path: intersection ERROR at data No= %1</translation>
    </message>
    <message>
        <source>NCファイルを書き込めません: %1</source>
        <translation>Cannot write the NC file: %1</translation>
    </message>
    <message>
        <source>輪郭ファイルを読めません: %1</source>
        <translation>Cannot read the contour file: %1</translation>
    </message>
    <message>
        <source>プリンターに出力できません: %1</source>
        <translation>Cannot print on %1</translation>
    </message>
    <message>
        <source>ファイルを開けません: %1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>ＤＸＦファイルが途中で終わっています。読み込みを中止しました: %1</source>
        <translation>The DXF file ends too early. The import was stopped: %1</translation>
    </message>
    <message>
        <source>ファイルを書き込めません: %1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
    <message>
        <source>コンバートデータを読み込めません: %1</source>
        <translation>Cannot read the converted data: %1</translation>
    </message>
    <message>
        <source>テンプレートを読み込めません: %1</source>
        <translation>Cannot read the template: %1</translation>
    </message>
    <message>
        <source>テンプレートに ENTITIES がありません: %1</source>
        <translation>The template has no ENTITIES: %1</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（100 MB まで）</source>
        <translation>the file is too large (100 MB at most)</translation>
    </message>
    <message>
        <source>ブック（.xls、.xlsx、.ods）ではありません</source>
        <translation>not a workbook (.xls, .xlsx, .ods)</translation>
    </message>
    <message>
        <source>ブックが壊れています</source>
        <translation>the workbook is damaged</translation>
    </message>
    <message>
        <source>ブックがパスワードで保護されています。パスワードを付けずに保存し直してください</source>
        <translation>the workbook is protected by a password; please save it again without one</translation>
    </message>
    <message>
        <source>Excel 4.0 以前の形式です。Excel 97-2003 形式で保存し直してください</source>
        <translation>an Excel 4.0 or older workbook; please save it again as Excel 97-2003</translation>
    </message>
    <message>
        <source>この版は .xlsx と .ods を読めません。Excel 97-2003 形式で保存し直してください</source>
        <translation>this build cannot read .xlsx and .ods; please save it again as Excel 97-2003</translation>
    </message>
    <message>
        <source>結果が保存されていません。表計算アプリケーションで再計算して保存し直してください</source>
        <translation>no result was saved; please recalculate and save it again in the spreadsheet application</translation>
    </message>
    <message>
        <source>直線と円が交わる(S=0は接線)。手前の交点とします</source>
        <translation>the line crosses the circle (S=0 is a tangent); the nearer crossing is taken</translation>
    </message>
    <message>
        <source>[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ]</source>
        <translation>[ ON LINE!!   PLEASE WAIT A MOMENT. ]</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>ＤＸＦ&#x3000;データロード中。しばらくお待ち下さい。</source>
        <translation>Loading the DXF data. Please wait.</translation>
    </message>
    <message>
        <source>ＩＧＥＳデータロード中。しばらくお待ち下さい。</source>
        <translation>Loading the IGES data. Please wait.</translation>
    </message>
    <message>
        <source>まるめ処理中。しばらくお待ち下さい。</source>
        <translation>Rounding. Please wait.</translation>
    </message>
    <message>
        <source>スムージング処理中。しばらくお待ち下さい。</source>
        <translation>Smoothing. Please wait.</translation>
    </message>
    <message>
        <source>ブロックの入れ子が 32 段を超えています。読み込みを中止しました。</source>
        <translation>Blocks are nested more than 32 deep. The import was stopped.</translation>
    </message>
    <message>
        <source>ブロックの展開が大きすぎます（図形 5000000 個を超えます）。読み込みを中止しました。</source>
        <translation>The blocks expand too far (more than 5000000 entities). The import was stopped.</translation>
    </message>
    <message>
        <source>モデル空間に線分・円弧がありません（ペーパー空間の図形は読みません）。読み込みを中止しました。</source>
        <translation>No lines or arcs in model space (entities of paper space are not read). The import was stopped.</translation>
    </message>
    <message>
        <source>長さのある線分・円弧がありません（どれも長さが 0 です）。読み込みを中止しました。</source>
        <translation>No line or arc has a length (all are of length 0). The import was stopped.</translation>
    </message>
    <message>
        <source>座標が ±10000000 mm を超える図形があります。読み込みを中止しました。</source>
        <translation>An entity has coordinates beyond ±10000000 mm. The import was stopped.</translation>
    </message>
    <message>
        <source>読み込まなかった図形があります。確かめてから画面を閉じて下さい｡</source>
        <translation>Some entities were not read. Please check them, then close the screen.</translation>
    </message>
    <message>
        <source>ペーパー空間の図形</source>
        <translation>paper-space entities</translation>
    </message>
    <message>
        <source>非表示の図形</source>
        <translation>invisible entities</translation>
    </message>
    <message>
        <source>%1 が見つかりません：%2</source>
        <translation>%1 not found: %2</translation>
    </message>
    <message>
        <source>%1 を読み込めません（%2）：%3</source>
        <translation>Cannot read %1 (%2): %3</translation>
    </message>
    <message>
        <source>%1 を読み込みました：%2</source>
        <translation>%1 read: %2</translation>
    </message>
    <message>
        <source>%1 のデータが多すぎます：エレメントは %2 行までです（シート %3 行目で超えました）。ConDTA.dat は書き込みません。</source>
        <translation>Too much data in %1: at most %2 element rows (passed at sheet row %3). ConDTA.dat is not written.</translation>
    </message>
    <message>
        <source>%1 の %2 は計算結果がありません（計算エラー %3）。ConDTA.dat は書き込みません。</source>
        <translation>%2 of %1 has no result (calculation error %3). ConDTA.dat is not written.</translation>
    </message>
    <message>
        <source>%1 の %2 は計算結果がありません（%3）。ConDTA.dat は書き込みません。</source>
        <translation>%2 of %1 has no result (%3). ConDTA.dat is not written.</translation>
    </message>
    <message>
        <source>%1行目の%2が数値でない</source>
        <translation>%2 of row %1 is not a number</translation>
    </message>
    <message>
        <source>バイナリ形式の DXF は読めません。CAD で ASCII 形式の DXF に保存し直して下さい: %1</source>
        <translation>A binary DXF cannot be read. Please save it again as an ASCII DXF in the CAD program: %1</translation>
    </message>
    <message>
        <source>DWG 形式の図面です。DXF ではないので読めません。CAD で DXF に保存し直して下さい: %1</source>
        <translation>This is a DWG drawing, not a DXF, and cannot be read. Please save it as a DXF in the CAD program: %1</translation>
    </message>
    <message>
        <source>DXF ファイルではありません（SECTION で始まっていません）: %1</source>
        <translation>Not a DXF file (it does not begin with SECTION): %1</translation>
    </message>
    <message>
        <source>ＤＸＦファイルの %1 行目がグループコードではありません。読み込みを中止しました: %2</source>
        <translation>Line %1 of the DXF file is not a group code. The import was stopped: %2</translation>
    </message>
    <message>
        <source>ＤＸＦファイルの %1 行目の数値が範囲を超えています。読み込みを中止しました: %2</source>
        <translation>The number on line %1 of the DXF file is out of range. The import was stopped: %2</translation>
    </message>
    <message>
        <source>ＤＸＦファイルの %1 行目の値が数値ではありません。読み込みを中止しました: %2</source>
        <translation>The value on line %1 of the DXF file is not a number. The import was stopped: %2</translation>
    </message>
    <message>
        <source>ＤＸＦファイルに ENTITIES セクションがありません。読み込みを中止しました: %1</source>
        <translation>The DXF file has no ENTITIES section. The import was stopped: %1</translation>
    </message>
    <message>
        <source>ブロック %1 の定義がありません。読み込みを中止しました。</source>
        <translation>Block %1 is not defined. The import was stopped.</translation>
    </message>
    <message>
        <source>ブロック %1 は外部参照で、図面に含まれていません。読み込みを中止しました。</source>
        <translation>Block %1 is an external reference, not part of the drawing. The import was stopped.</translation>
    </message>
    <message>
        <source>ブロック %1 が自分自身を挿入しています。読み込みを中止しました。</source>
        <translation>Block %1 inserts itself. The import was stopped.</translation>
    </message>
    <message>
        <source>XY 平面に平行でない %1 があります（%2 行目）。読み込みを中止しました。</source>
        <translation>A %1 not parallel to the XY plane (line %2). The import was stopped.</translation>
    </message>
    <message>
        <source>尺度が 0 の INSERT があります（%1 行目）。読み込みを中止しました。</source>
        <translation>An INSERT with scale 0 (line %1). The import was stopped.</translation>
    </message>
    <message>
        <source>%1 のデータが正しくありません（%2 行目）。読み込みを中止しました。</source>
        <translation>The data of a %1 is not correct (line %2). The import was stopped.</translation>
    </message>
    <message>
        <source>読み込まなかった図形: %1</source>
        <translation>Entities not read: %1</translation>
    </message>
    <message>
        <source>ＩＧＥＳファイル（80 桁の固定長 ASCII 形式）ではありません。読み込みを中止しました。</source>
        <translation>Not an IGES file (fixed 80-column ASCII form). The import was stopped.</translation>
    </message>
    <message>
        <source>圧縮形式の ＩＧＥＳ は読めません。読み込みを中止しました。</source>
        <translation>A compressed IGES file cannot be read. The import was stopped.</translation>
    </message>
    <message>
        <source>ＩＧＥＳのグローバル部が読めません。読み込みを中止しました。</source>
        <translation>The global section of the IGES file cannot be read. The import was stopped.</translation>
    </message>
    <message>
        <source>ＩＧＥＳの図形が XY 平面に平行な一つの平面上にありません。読み込みを中止しました。</source>
        <translation>The IGES entities do not lie in one plane parallel to the XY plane. The import was stopped.</translation>
    </message>
    <message>
        <source>ＩＧＥＳのデータは面・立体だけで、読み込める線分・円弧がありません。読み込みを中止しました。</source>
        <translation>The IGES data holds surfaces and solids only, no lines or arcs to read. The import was stopped.</translation>
    </message>
    <message>
        <source>ＩＧＥＳの部分図の展開が多すぎます。読み込みを中止しました。</source>
        <translation>The IGES subfigures expand too far. The import was stopped.</translation>
    </message>
    <message>
        <source>ディレクトリの欄が読めません</source>
        <translation>a directory field cannot be read</translation>
    </message>
    <message>
        <source>パラメータが読めません</source>
        <translation>the parameters cannot be read</translation>
    </message>
    <message>
        <source>参照先のディレクトリがありません</source>
        <translation>a referenced directory entry does not exist</translation>
    </message>
    <message>
        <source>変換行列の参照が循環しているか深すぎます</source>
        <translation>the transformation matrices refer to each other in a loop or too deep</translation>
    </message>
    <message>
        <source>複合曲線・部分図の入れ子が循環しているか深すぎます</source>
        <translation>composite curves or subfigures nest in a loop or too deep</translation>
    </message>
    <message>
        <source>曲線のデータが正しくありません</source>
        <translation>the curve&apos;s data is not correct</translation>
    </message>
    <message>
        <source>座標が ±10000000 mm を超えています</source>
        <translation>coordinates beyond ±10000000 mm</translation>
    </message>
    <message>
        <source>ＩＧＥＳの単位が分かりません（%1）。読み込みを中止しました。</source>
        <translation>The IGES unit is not known (%1). The import was stopped.</translation>
    </message>
    <message>
        <source>ＩＧＥＳのディレクトリ番号 %1（TYPE %2）: %3。読み込みを中止しました。</source>
        <translation>IGES directory entry %1 (TYPE %2): %3. The import was stopped.</translation>
    </message>
</context>
<context>
    <name>vx::DocumentGrid</name>
    <message>
        <source>表計算アプリケーションで開けませんでした：%1</source>
        <translation>Could not open it in the spreadsheet application: %1</translation>
    </message>
</context>
<context>
    <name>vx::ExportScreen</name>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>vx::Form_calcu</name>
    <message>
        <source>calculate</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>計算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>入力データガイド</source>
        <translation>Input data guide</translation>
    </message>
</context>
<context>
    <name>vx::Form_con2amd</name>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>元に戻す (Ctrl+Z)</source>
        <translation>Undo (Ctrl+Z)</translation>
    </message>
    <message>
        <source>やり直し (Ctrl+Y)</source>
        <translation>Redo (Ctrl+Y)</translation>
    </message>
    <message>
        <source>セルの訂正</source>
        <translation>Cell correction</translation>
    </message>
    <message>
        <source>行挿入</source>
        <translation>Insert row</translation>
    </message>
    <message>
        <source>1 行目は件数の行のため削除できません。</source>
        <translation>Row 1 holds the count and cannot be deleted.</translation>
    </message>
    <message>
        <source>行削除</source>
        <translation>Delete row</translation>
    </message>
    <message>
        <source>ｺﾝﾊﾞｰﾄﾃﾞｰﾀｰ&#x3000;訂正</source>
        <translation>Converted data correction</translation>
    </message>
    <message>
        <source>ダブルクリックすると、表計算アプリケーションで開きます。セルを選んで入力（または F2）すると、ここで訂正できます。「保存」で書き込みます。</source>
        <translation>A double click opens the file in the spreadsheet application. Select a cell and type (or press F2) to correct it here; &quot;Save&quot; writes the file.</translation>
    </message>
    <message>
        <source>再読込</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>訂正が保存されていません。この訂正を捨てますか？</source>
        <translation>The corrections have not been saved. Throw them away?</translation>
    </message>
    <message>
        <source>CON2TA.dat がありません：%1</source>
        <translation>CON2TA.dat does not exist: %1</translation>
    </message>
    <message>
        <source>CON2TA.dat は表ファイルの形になっていないため、後の段階で正しく読めません。表を確かめて「保存」を押すと、表ファイルの形で書き込みます。</source>
        <translation>CON2TA.dat is not laid out as a table file, so the later stages cannot read it correctly. Check the table and press &quot;Save&quot; to write it as a table file.</translation>
    </message>
    <message>
        <source>CON2TA.dat を書き込めません：%1</source>
        <translation>Cannot write CON2TA.dat: %1</translation>
    </message>
    <message>
        <source>保存しました：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>CON2TA.dat がほかで変更されました。「再読込」で読み直すと、この画面の訂正は消えます。</source>
        <translation>CON2TA.dat was changed elsewhere. &quot;Reload&quot; reads it again and throws away the corrections made here.</translation>
    </message>
</context>
<context>
    <name>vx::Form_conv0</name>
    <message>
        <source>データコンバート１</source>
        <translation>Data conversion 1</translation>
    </message>
    <message>
        <source>コンバート開始</source>
        <translation>Start conversion</translation>
    </message>
</context>
<context>
    <name>vx::Form_conv2</name>
    <message>
        <source>実行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>CONV-2 が中止されたため、CON2TA.dat は今回の変換結果ではありません。</source>
        <translation>CONV-2 was stopped, so CON2TA.dat is not the result of this conversion.</translation>
    </message>
</context>
<context>
    <name>vx::Form_datain</name>
    <message>
        <source>DORN&#x3000;DATA-IN&#x3000;へようこそ。</source>
        <translation>Welcome to DORN DATA-IN.</translation>
    </message>
    <message>
        <source>下の表でダブルクリックすると、ＥＸＣＥＬが起動します。</source>
        <translation>Double-click the table below to start EXCEL.</translation>
    </message>
    <message>
        <source>[DATA-IN ﾙｰﾙ]&#x3000;[ D ]への入力&#x3000;&#x3000;&#x3000;点（point）=８：[ C ]ｺｰﾅR</source>
        <translation>[DATA-IN rules]  What to enter in [ D ]:   point = 8: [ C ] corner R</translation>
    </message>
    <message>
        <source>&#x3000;線（出る）=１：[ A ]角度[ C ]ｺｰﾅR&#x3000;&#x3000;(&#x3000;)(C)=5：線と線（円）の間のｺｰﾅR</source>
        <translation>  leaving line = 1: [ A ] angle, [ C ] corner R    ( )(C) = 5: corner R between line and line (circle)</translation>
    </message>
    <message>
        <source>&#x3000;線（入る）=2：[ A ]角度[ C ]ｺｰﾅR&#x3000;&#x3000;平行線=3：[ A ]角度[ B ]移動量</source>
        <translation>  entering line = 2: [ A ] angle, [ C ] corner R    parallel line = 3: [ A ] angle, [ B ] shift</translation>
    </message>
    <message>
        <source>&#x3000;円=0：[ R ]±半径[ S ]入り方出方</source>
        <translation>  circle = 0: [ R ] ± radius, [ S ] way in and way out</translation>
    </message>
    <message>
        <source>データーイン</source>
        <translation>Data in</translation>
    </message>
    <message>
        <source>終了：コンバートへ</source>
        <translation>Finish: on to conversion</translation>
    </message>
</context>
<context>
    <name>vx::Form_gra_tasu</name>
    <message>
        <source>１個目</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>２個目</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>３個目</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>４個目</source>
        <translation>4th</translation>
    </message>
    <message>
        <source>５個目</source>
        <translation>5th</translation>
    </message>
    <message>
        <source>６個目</source>
        <translation>6th</translation>
    </message>
    <message>
        <source>７個目</source>
        <translation>7th</translation>
    </message>
    <message>
        <source>８個目</source>
        <translation>8th</translation>
    </message>
    <message>
        <source>９個目</source>
        <translation>9th</translation>
    </message>
    <message>
        <source>10個目</source>
        <translation>10th</translation>
    </message>
    <message>
        <source>shift</source>
        <translation>shift</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>rotation</translation>
    </message>
    <message>
        <source>ミラー</source>
        <translation>mirror</translation>
    </message>
    <message>
        <source>sft&#x3000;X   sft&#x3000;Y</source>
        <translation>sft X    sft Y</translation>
    </message>
    <message>
        <source>角度入力</source>
        <translation>angle</translation>
    </message>
    <message>
        <source>Xﾐﾗｰ：１&#x3000;Yﾐﾗｰ：２</source>
        <translation>X: 1   Y: 2</translation>
    </message>
    <message>
        <source>sft X</source>
        <translation>sft X</translation>
    </message>
    <message>
        <source>sft Y</source>
        <translation>sft Y</translation>
    </message>
    <message>
        <source>回転 角度</source>
        <translation>rotation angle</translation>
    </message>
    <message>
        <source>多数個とり</source>
        <translation>Multi-piece layout</translation>
    </message>
    <message>
        <source>データ&#x3000;リセット</source>
        <translation>Data reset</translation>
    </message>
    <message>
        <source>描画へ戻る</source>
        <translation>Back to the drawing</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>多数個とりの 10 行をすべて消して、１個目を 0, 0 に戻します。よろしいですか？</source>
        <translation>All ten rows of the layout are cleared and the 1st piece set to 0, 0. Go ahead?</translation>
    </message>
</context>
<context>
    <name>vx::Form_graph</name>
    <message>
        <source>オフセット&#x3000;&#x3000;左＋</source>
        <translation>Offset  left +</translation>
    </message>
    <message>
        <source>多数個とり</source>
        <translation>Multi-piece layout</translation>
    </message>
    <message>
        <source>終了:NC出力へ</source>
        <translation>End: NC output</translation>
    </message>
    <message>
        <source>周長</source>
        <translation>Perimeter</translation>
    </message>
    <message>
        <source>&#x3000;mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>使用できるプリンタがありません。プリンタの設定を確認してください。</source>
        <translation>No printer can be used. Please check the printer setup.</translation>
    </message>
    <message>
        <source>印刷できませんでした。</source>
        <translation>Printing failed.</translation>
    </message>
    <message>
        <source>グラフィック</source>
        <translation>Graphics</translation>
    </message>
    <message>
        <source>カーソル X=%1 Y=%2</source>
        <translation>Cursor X=%1 Y=%2</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>プリンタの設定(&amp;R)</source>
        <translation>P&amp;rinter setup</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>ページに合わせて印刷(&amp;G)</source>
        <translation>Print fitted to the pa&amp;ge</translation>
    </message>
    <message>
        <source>終了(&amp;E)</source>
        <translation>&amp;End</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>スケール表示(&amp;V)</source>
        <translation>Scale &amp;view</translation>
    </message>
    <message>
        <source>ステータスバー(&amp;B)</source>
        <translation>Status &amp;bar</translation>
    </message>
    <message>
        <source>ズーム(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>縮小(&amp;S)</source>
        <translation>&amp;Shrink</translation>
    </message>
    <message>
        <source>拡大(&amp;L)</source>
        <translation>En&amp;large</translation>
    </message>
    <message>
        <source>全体表示(&amp;F)</source>
        <translation>&amp;Fit to window</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;F)</source>
        <translation>&amp;Help</translation>
    </message>
    <message numerus="yes">
        <source>%n 本:</source>
        <translation>
            <numerusform>%n chain:</numerusform>
            <numerusform>%n chains:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>  ほか %n 本</source>
        <translation>
            <numerusform>  and %n more</numerusform>
            <numerusform>  and %n more</numerusform>
        </translation>
    </message>
    <message>
        <source>CON2TA.dat がありません: %1。表示はその前に読んだ内容です。</source>
        <translation>CON2TA.dat does not exist: %1. The drawing is what was read before.</translation>
    </message>
    <message>
        <source>CON2TA.dat を読めません: %1。表示はその前に読んだ内容です。</source>
        <translation>Cannot read CON2TA.dat: %1. The drawing is what was read before.</translation>
    </message>
    <message>
        <source>CON2TA.dat が途中で切れています: %1。読めた行だけを表示しています。</source>
        <translation>CON2TA.dat ends too early: %1. Only the rows read are drawn.</translation>
    </message>
    <message>
        <source>オフセット</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>プリンタの設定</source>
        <translation>Printer setup</translation>
    </message>
</context>
<context>
    <name>vx::Form_main</name>
    <message>
        <source>ＶＥＸＬＩＮＥ&#x3000;ワイヤーカット&#x3000;プログラミング</source>
        <translation>VEXLINE  WIRE-CUT PROGRAMMING</translation>
    </message>
    <message>
        <source>データーイン</source>
        <translation>Data in</translation>
    </message>
    <message>
        <source>データコンバート１</source>
        <translation>Data conversion 1</translation>
    </message>
    <message>
        <source>データコンバート２</source>
        <translation>Data conversion 2</translation>
    </message>
    <message>
        <source>ｺﾝﾊﾞｰﾄﾃﾞｰﾀｰ&#x3000;訂正</source>
        <translation>Converted data correction</translation>
    </message>
    <message>
        <source>グラフィック</source>
        <translation>Graphics</translation>
    </message>
    <message>
        <source>NC 出力</source>
        <translation>NC output</translation>
    </message>
    <message>
        <source>多数個とり</source>
        <translation>Multi-piece layout</translation>
    </message>
    <message>
        <source>計算プログラム</source>
        <translation>Calculation program</translation>
    </message>
    <message>
        <source>DXF 読込</source>
        <translation>DXF read</translation>
    </message>
    <message>
        <source>IGES読込</source>
        <translation>IGES read</translation>
    </message>
    <message>
        <source>DXF 書込</source>
        <translation>DXF write</translation>
    </message>
    <message>
        <source>IGES書込</source>
        <translation>IGES write</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>End</translation>
    </message>
</context>
<context>
    <name>vx::Form_nc</name>
    <message>
        <source>プログラム No=?  :</source>
        <translation>Program No=?  :</translation>
    </message>
    <message>
        <source>M21 ｵﾌｾｯﾄ=? :</source>
        <translation>M21 offset=? :</translation>
    </message>
    <message>
        <source>M23 ｵﾌｾｯﾄ=? :</source>
        <translation>M23 offset=? :</translation>
    </message>
    <message>
        <source>NC OUT [  FD:1  ﾌﾟﾘﾝﾀ-:2  ﾄﾞﾁﾗﾆﾓ:3  ]  :</source>
        <translation>NC OUT [  file:1  printer:2  both:3  ]  :</translation>
    </message>
    <message>
        <source>平均速度&#x3000;Ｆ=? :</source>
        <translation>Average speed F=? :</translation>
    </message>
    <message>
        <source>オフセット&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;左：＋</source>
        <translation>Offset            left: +</translation>
    </message>
    <message>
        <source>&#x3000;パンチ加工&#x3000;&#x3000;&#x3000;逆方向加工</source>
        <translation> Punch machining   reverse direction</translation>
    </message>
    <message>
        <source> &#x3000;G41＝1左&#x3000; G42＝2右</source>
        <translation>  G41=1 left   G42=2 right</translation>
    </message>
    <message>
        <source>プログラム No</source>
        <translation>Program No</translation>
    </message>
    <message>
        <source>M21 オフセット</source>
        <translation>M21 offset</translation>
    </message>
    <message>
        <source>M23 オフセット</source>
        <translation>M23 offset</translation>
    </message>
    <message>
        <source>NC OUT</source>
        <translation>NC OUT</translation>
    </message>
    <message>
        <source>平均速度 F</source>
        <translation>Average speed F</translation>
    </message>
    <message>
        <source>オフセット</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>逆方向加工</source>
        <translation>Reverse machining</translation>
    </message>
    <message>
        <source>G41/G42</source>
        <translation>G41/G42</translation>
    </message>
    <message>
        <source>NC 出力</source>
        <translation>NC output</translation>
    </message>
    <message>
        <source>終了(キャンセル）</source>
        <translation>End (cancel)</translation>
    </message>
    <message>
        <source>注意: %1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>書き込んだファイル: %1</source>
        <translation>Files written: %1</translation>
    </message>
    <message>
        <source>プログラム No %1 → %2</source>
        <translation>program No %1 → %2</translation>
    </message>
    <message>
        <source>印刷: %1</source>
        <translation>Printed: %1</translation>
    </message>
    <message>
        <source>NC出力: NC OUT が 1, 2, 3 のどれでもないため、書き込みも印刷もしていません。</source>
        <translation>NC output: NC OUT is none of 1, 2, 3, so nothing was written or printed.</translation>
    </message>
    <message>
        <source>NC出力: %1</source>
        <translation>NC output: %1</translation>
    </message>
</context>
<context>
    <name>vx::HelpWindow</name>
    <message>
        <source>ja</source>
        <comment>folder of the help pages: ja or en</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>vx::ImportScreen</name>
    <message>
        <source>最近の図面</source>
        <translation>Recent drawings</translation>
    </message>
    <message>
        <source>（ありません）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source> ＤＸＦ&#x3000;ディスケットをスロットへ入れて、ＤＸＦ読み込みを押して下さい｡ </source>
        <translation> Insert the DXF diskette into the drive and press DXF read. </translation>
    </message>
    <message>
        <source> ＩＧＳディスケットをスロットへ入れて、ＩＧＳ読み込みを押して下さい｡ </source>
        <translation> Insert the IGS diskette into the drive and press IGES read. </translation>
    </message>
    <message>
        <source>DXF 読み込み</source>
        <translation>DXF read</translation>
    </message>
    <message>
        <source>IGES読み込み</source>
        <translation>IGES read</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source> ファイルが決まりました。スタートを押して下さい｡ </source>
        <translation> The file is chosen. Press Start. </translation>
    </message>
    <message>
        <source> ｽﾑｰｼﾞﾝｸﾞ処理しますか(1/0):</source>
        <translation> Smoothing (1/0):</translation>
    </message>
    <message>
        <source> 数値まるめ処理&#x3000;桁数は   :</source>
        <translation> Rounding digits:</translation>
    </message>
    <message>
        <source> 円弧座標&#x3000;XY=0 YX=1      :</source>
        <translation> Arc coordinates XY=0 YX=1:</translation>
    </message>
    <message>
        <source>DXF 読込が中止されたため、CON2TA.dat は %1 の輪郭ではありません。</source>
        <translation>The DXF import was stopped, so CON2TA.dat is not the contour of %1.</translation>
    </message>
    <message>
        <source>IGES読込が中止されたため、CON2TA.dat は %1 の輪郭ではありません。</source>
        <translation>The IGES import was stopped, so CON2TA.dat is not the contour of %1.</translation>
    </message>
    <message>
        <source>ファイル: %1</source>
        <translation>File: %1</translation>
    </message>
</context>
<context>
    <name>vx::InstanceLock</name>
    <message>
        <source>Vexline はこのインストールフォルダで既に動いています（プロセス %1）：%2
同じフォルダで二つ動かすと、互いのファイルを上書きします。動いている方をお使いください。</source>
        <translation>Vexline is already running on this install folder (process %1): %2
Two programs on one folder overwrite each other&apos;s files. Please use the one that is running.</translation>
    </message>
</context>
<context>
    <name>vx::ScreenManager</name>
    <message>
        <source>DXF（.dxf）か IGES（.igs、.iges）の図面を選んでください：%1</source>
        <translation>Please choose a DXF (.dxf) or IGES (.igs, .iges) drawing: %1</translation>
    </message>
    <message>
        <source>図面を開く</source>
        <translation>Open a drawing</translation>
    </message>
    <message>
        <source>図面 (*.dxf *.igs *.iges)</source>
        <translation>Drawings (*.dxf *.igs *.iges)</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
</context>
</TS>
