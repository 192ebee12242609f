<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
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
        <source>Excel 97-2003 形式のブックではありません</source>
        <translation>not an Excel 97-2003 workbook</translation>
    </message>
    <message>
        <source>ファイルにブックがありません</source>
        <translation>the file holds no workbook</translation>
    </message>
    <message>
        <source>ブックにワークシートがありません</source>
        <translation>the workbook has no worksheet</translation>
    </message>
    <message>
        <source>ファイルが壊れています</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation>not a file</translation>
    </message>
    <message>
        <source>Excel 2007 以降の形式です。Excel 97-2003 形式で保存してください</source>
        <translation>an Excel 2007 or later workbook; please save it as Excel 97-2003</translation>
    </message>
    <message>
        <source>パスワードで保護されています</source>
        <translation>protected by a password</translation>
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
        <source>[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ] </source>
        <translation>[ ON LINE!!   PLEASE WAIT A MOMENT. ] </translation>
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
        <source>&#x3000;ＤＸＦ&#x3000;データロード中。しばらくお待ち下さい。</source>
        <translation> Loading the DXF data. Please wait.</translation>
    </message>
    <message>
        <source>&#x3000;ＩＧＥＳデータロード中。しばらくお待ち下さい。</source>
        <translation> Loading the IGES data. Please wait.</translation>
    </message>
    <message>
        <source>&#x3000;まるめ処理中。しばらくお待ち下さい。</source>
        <translation> Rounding. Please wait.</translation>
    </message>
    <message>
        <source>&#x3000;スムージング処理中。しばらくお待ち下さい。</source>
        <translation> Smoothing. Please wait.</translation>
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
        <source>DATAIN.xls が見つかりません：%1</source>
        <translation>DATAIN.xls not found: %1</translation>
    </message>
    <message>
        <source>DATAIN.xls を読み込めません（%1）：%2</source>
        <translation>Cannot read DATAIN.xls (%1): %2</translation>
    </message>
    <message>
        <source>DATAIN.xls のデータが多すぎます：エレメントは %1 行までです（シート %2 行目で超えました）。ConDTA.dat は書き込みません。</source>
        <translation>Too much data in DATAIN.xls: at most %1 element rows (passed at sheet row %2). ConDTA.dat is not written.</translation>
    </message>
    <message>
        <source>ConDTA.dat を書き込めません：%1</source>
        <translation>Cannot write ConDTA.dat: %1</translation>
    </message>
    <message>
        <source>ブックが壊れているか、読めない形式です（freexl %1）</source>
        <translation>the workbook is damaged or in a form that cannot be read (freexl %1)</translation>
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
</context>
<context>
    <name>vx::DocumentGrid</name>
    <message>
        <source>表計算アプリケーションで開けませんでした：%1</source>
        <translation>Could not open it in the spreadsheet application: %1</translation>
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
