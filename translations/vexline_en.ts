<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
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
