<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ErrorReport</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <extracomment>%1 is the error&apos;s number, %2 what went wrong.</extracomment>
        <translation>运行时错误 &apos;%1&apos;：

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <extracomment>%1 says what went wrong.</extracomment>
        <translation>运行时错误：

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
        <translation>它是一个文件夹</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>它不是普通文件</translation>
    </message>
    <message>
        <source>another program has held its lock %1 for over %2 seconds</source>
        <extracomment>%1 is the lock file&apos;s path, %2 a number of seconds.</extracomment>
        <translation>另一个程序占用其锁 %1 已超过 %2 秒</translation>
    </message>
    <message>
        <source>its lock %1 could not be made</source>
        <translation>无法创建其锁 %1</translation>
    </message>
    <message>
        <source>its lock %1 could not be made: %2</source>
        <extracomment>%1 is the lock file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>无法创建其锁 %1：%2</translation>
    </message>
    <message>
        <source>the settings file %1 could not be written: %2</source>
        <extracomment>%1 is the settings file&apos;s path, %2 why, as a clause that starts in lower case.</extracomment>
        <translation>无法写入设置文件 %1：%2</translation>
    </message>
    <message>
        <source>its folder could not be made</source>
        <translation>无法创建它所在的文件夹</translation>
    </message>
    <message>
        <source>something that is not a lock file stands at %1</source>
        <translation>%1 处有一个不是锁文件的东西</translation>
    </message>
    <message>
        <source>it may not be read</source>
        <translation>不允许读取它</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>它是只读的</translation>
    </message>
    <message>
        <source>it could not be read first</source>
        <translation>无法先读取它</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Overflow</source>
        <translation>溢出</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>类型不匹配</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>找不到标识符为 &apos;%1&apos; 的资源</translation>
    </message>
    <message>
        <source>Picture resource &apos;%1&apos; not found</source>
        <translation>找不到图片资源 &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>SheetArea</name>
    <message>
        <source>Bubble sheet</source>
        <extracomment>What a screen reader calls the area of bubbles.</extracomment>
        <translation>泡泡纸</translation>
    </message>
    <message>
        <source>Click a bubble to pop it.</source>
        <translation>点击泡泡，把它捏爆。</translation>
    </message>
</context>
<context>
    <name>StatusLabel</name>
    <message numerus="yes">
        <source>%1 bubbles popped!</source>
        <extracomment>The status line. %1 is the lifetime count, in plain digits; the English is never singular.</extracomment>
        <translation>
            <numerusform>已捏爆 %1 个泡泡！</numerusform>
        </translation>
    </message>
    <message>
        <source>Pop!</source>
        <extracomment>The status line&apos;s build-up towards each hundredth pop starts with this.</extracomment>
        <translation>啪！</translation>
    </message>
    <message>
        <source> Pop!</source>
        <extracomment>Added to the status line&apos;s &quot;Pop!&quot; on the next pop: keep the leading blank.</extracomment>
        <translation> 啪！</translation>
    </message>
    <message>
        <source> Pop! </source>
        <extracomment>Added on the pop after that, before the round count&apos;s line: keep both blanks.</extracomment>
        <translation> 啪！ </translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About Plinkety</source>
        <translation>关于 Plinkety</translation>
    </message>
    <message>
        <source>&quot;Plinkety&quot;</source>
        <extracomment>The window&apos;s heading: the program&apos;s name in quotation marks, in your language&apos;s own marks.</extracomment>
        <translation>“Plinkety”</translation>
    </message>
    <message>
        <source>The greatest stuff on earth!</source>
        <extracomment>One line, 217 pixels wide, under the heading.</extracomment>
        <translation>世上最棒的东西！</translation>
    </message>
    <message>
        <source>Web address</source>
        <translation>网址</translation>
    </message>
    <message>
        <source>Bubbles Popped!</source>
        <extracomment>Under the lifetime count, in two lines at most of 57 pixels.</extracomment>
        <translation>个泡泡被捏爆！</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>One line of 57 pixels. %1 is the version number, as 1.1.</extracomment>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>July 1999</source>
        <extracomment>When the program was made; one line of 57 pixels.</extracomment>
        <translation>1999年7月</translation>
    </message>
    <message>
        <source>Notice</source>
        <extracomment>What a screen reader calls the text box of the notice.</extracomment>
        <translation>声明</translation>
    </message>
    <message>
        <source>Bubble</source>
        <translation>泡泡</translation>
    </message>
    <message>
        <source>Click to hear the closing sound</source>
        <translation>点击听关闭时的声音</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>A button 57 pixels wide.</extracomment>
        <translation>关闭</translation>
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
        <translation>命令</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>What a screen reader calls the strip that holds the status line.</extracomment>
        <translation>状态</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button 41 pixels wide: keep it as short. It brings every bubble back.</extracomment>
        <translation>重来</translation>
    </message>
    <message>
        <source>Click to get more bubbles. Oh Yeah!</source>
        <translation>点击获得更多泡泡。耶！</translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>A button 41 pixels wide: keep it as short. It opens the About window.</extracomment>
        <translation>关于</translation>
    </message>
    <message>
        <source>About Plinkety.</source>
        <translation>关于 Plinkety。</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>A button 41 pixels wide: keep it as short. It ends the program.</extracomment>
        <translation>退出</translation>
    </message>
    <message>
        <source>Enough stress relief for now.</source>
        <translation>今天的减压就到这里吧。</translation>
    </message>
    <message>
        <source>The pop count and the window&apos;s place could not be saved:

%1.</source>
        <extracomment>%1 says why, as a sentence without its full stop.</extracomment>
        <translation>无法保存捏爆的数量和窗口位置：

%1。</translation>
    </message>
</context>
</TS>
