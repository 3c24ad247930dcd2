<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ErrorReport</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <extracomment>%1 is the error&apos;s number, %2 what went wrong.</extracomment>
        <translation>実行時エラー &apos;%1&apos;:

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <extracomment>%1 says what went wrong.</extracomment>
        <translation>実行時エラー:

%1</translation>
    </message>
    <message>
        <source>Plinkety</source>
        <extracomment>The program&apos;s name, as the title of its message boxes.</extracomment>
        <translation>Plinkety</translation>
    </message>
</context>
<context>
    <name>QtSettingsStore</name>
    <message>
        <source>it is a folder</source>
        <translation>フォルダーです</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>another program has held its lock %1 for over %2 seconds</source>
        <extracomment>%1 is the lock file&apos;s path, %2 a number of seconds.</extracomment>
        <translation>別のプログラムがロック %1 を %2 秒以上保持しています</translation>
    </message>
    <message>
        <source>its lock %1 could not be made</source>
        <translation>ロック %1 を作成できませんでした</translation>
    </message>
    <message>
        <source>its lock %1 could not be made: %2</source>
        <extracomment>%1 is the lock file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>ロック %1 を作成できませんでした: %2</translation>
    </message>
    <message>
        <source>the settings file %1 could not be written: %2</source>
        <extracomment>%1 is the settings file&apos;s path, %2 why, as a clause that starts in lower case.</extracomment>
        <translation>設定ファイル %1 に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>its folder could not be made</source>
        <translation>フォルダーを作成できませんでした</translation>
    </message>
    <message>
        <source>something that is not a lock file stands at %1</source>
        <translation>%1 にロックファイルではないものがあります</translation>
    </message>
    <message>
        <source>it may not be read</source>
        <translation>読み取りが許可されていません</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>読み取り専用です</translation>
    </message>
    <message>
        <source>it could not be read first</source>
        <translation>先に読み込むことができませんでした</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Overflow</source>
        <translation>オーバーフローしました</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>型が一致しません</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>識別子 &apos;%1&apos; のリソースが見つかりません</translation>
    </message>
    <message>
        <source>Picture resource &apos;%1&apos; not found</source>
        <translation>画像リソース &apos;%1&apos; が見つかりません</translation>
    </message>
</context>
<context>
    <name>SheetArea</name>
    <message>
        <source>Bubble sheet</source>
        <extracomment>What a screen reader calls the area of bubbles.</extracomment>
        <translation>プチプチシート</translation>
    </message>
    <message>
        <source>Click a bubble to pop it.</source>
        <translation>プチプチをクリックしてつぶそう。</translation>
    </message>
</context>
<context>
    <name>StatusLabel</name>
    <message numerus="yes">
        <source>%1 bubbles popped!</source>
        <extracomment>The status line. %1 is the lifetime count, in plain digits; the English is never singular.</extracomment>
        <translation>
            <numerusform>プチプチを%1個つぶした！</numerusform>
        </translation>
    </message>
    <message>
        <source>Pop!</source>
        <extracomment>The status line&apos;s build-up towards each hundredth pop starts with this.</extracomment>
        <translation>プチッ！</translation>
    </message>
    <message>
        <source> Pop!</source>
        <extracomment>Added to the status line&apos;s &quot;Pop!&quot; on the next pop: keep the leading blank.</extracomment>
        <translation> プチッ！</translation>
    </message>
    <message>
        <source> Pop! </source>
        <extracomment>Added on the pop after that, before the round count&apos;s line: keep both blanks.</extracomment>
        <translation> プチッ！ </translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About Plinkety</source>
        <translation>Plinkety について</translation>
    </message>
    <message>
        <source>&quot;Plinkety&quot;</source>
        <extracomment>The window&apos;s heading: the program&apos;s name in quotation marks, in your language&apos;s own marks.</extracomment>
        <translation>「Plinkety」</translation>
    </message>
    <message>
        <source>The greatest stuff on earth!</source>
        <extracomment>One line, 217 pixels wide, under the heading.</extracomment>
        <translation>地球でいちばんすごいもの！</translation>
    </message>
    <message>
        <source>Web address</source>
        <translation>ウェブアドレス</translation>
    </message>
    <message>
        <source>Bubbles Popped!</source>
        <extracomment>Under the lifetime count, in two lines at most of 57 pixels.</extracomment>
        <translation>個つぶした！</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>One line of 57 pixels. %1 is the version number, as 1.1.</extracomment>
        <translation>Ver. %1</translation>
    </message>
    <message>
        <source>July 1999</source>
        <extracomment>When the program was made; one line of 57 pixels.</extracomment>
        <translation>1999年7月</translation>
    </message>
    <message>
        <source>Notice</source>
        <extracomment>What a screen reader calls the text box of the notice.</extracomment>
        <translation>お知らせ</translation>
    </message>
    <message>
        <source>Bubble</source>
        <translation>プチプチ</translation>
    </message>
    <message>
        <source>Click to hear the closing sound</source>
        <translation>クリックすると終了の音が鳴ります</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>A button 57 pixels wide.</extracomment>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>frmPlinkety</name>
    <message>
        <source>Plinkety</source>
        <extracomment>The program&apos;s name, as the main window&apos;s title.</extracomment>
        <translation>Plinkety</translation>
    </message>
    <message>
        <source>Commands</source>
        <extracomment>What a screen reader calls the strip of command buttons.</extracomment>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>What a screen reader calls the strip that holds the status line.</extracomment>
        <translation>ステータス</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button 41 pixels wide: keep it as short. It brings every bubble back.</extracomment>
        <translation>補充</translation>
    </message>
    <message>
        <source>Click to get more bubbles. Oh Yeah!</source>
        <translation>クリックでプチプチを補充。やったね！</translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>A button 41 pixels wide: keep it as short. It opens the About window.</extracomment>
        <translation>情報</translation>
    </message>
    <message>
        <source>About Plinkety.</source>
        <translation>Plinkety について。</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>A button 41 pixels wide: keep it as short. It ends the program.</extracomment>
        <translation>終了</translation>
    </message>
    <message>
        <source>Enough stress relief for now.</source>
        <translation>ストレス解消はこのへんで。</translation>
    </message>
    <message>
        <source>The pop count and the window&apos;s place could not be saved:

%1.</source>
        <extracomment>%1 says why, as a sentence without its full stop.</extracomment>
        <translation>つぶした数とウィンドウの位置を保存できませんでした:

%1。</translation>
    </message>
</context>
</TS>
