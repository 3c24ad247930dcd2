<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>ErrorReport</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <extracomment>%1 is the error&apos;s number, %2 what went wrong.</extracomment>
        <translation>Błąd wykonania &apos;%1&apos;:

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <extracomment>%1 says what went wrong.</extracomment>
        <translation>Błąd wykonania:

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
        <translation>jest folderem</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>nie jest zwykłym plikiem</translation>
    </message>
    <message>
        <source>another program has held its lock %1 for over %2 seconds</source>
        <extracomment>%1 is the lock file&apos;s path, %2 a number of seconds.</extracomment>
        <translation>inny program trzyma jego blokadę %1 od ponad %2 sekund</translation>
    </message>
    <message>
        <source>its lock %1 could not be made</source>
        <translation>nie udało się utworzyć jego blokady %1</translation>
    </message>
    <message>
        <source>its lock %1 could not be made: %2</source>
        <extracomment>%1 is the lock file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>nie udało się utworzyć jego blokady %1: %2</translation>
    </message>
    <message>
        <source>the settings file %1 could not be written: %2</source>
        <extracomment>%1 is the settings file&apos;s path, %2 why, as a clause that starts in lower case.</extracomment>
        <translation>nie udało się zapisać pliku ustawień %1: %2</translation>
    </message>
    <message>
        <source>its folder could not be made</source>
        <translation>nie udało się utworzyć jego folderu</translation>
    </message>
    <message>
        <source>something that is not a lock file stands at %1</source>
        <translation>w miejscu %1 jest coś, co nie jest plikiem blokady</translation>
    </message>
    <message>
        <source>it may not be read</source>
        <translation>nie wolno go czytać</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>jest tylko do odczytu</translation>
    </message>
    <message>
        <source>it could not be read first</source>
        <translation>nie udało się go najpierw odczytać</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Overflow</source>
        <translation>Przepełnienie</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Niezgodność typów</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>Nie znaleziono zasobu o identyfikatorze &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Picture resource &apos;%1&apos; not found</source>
        <translation>Nie znaleziono zasobu obrazu &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>SheetArea</name>
    <message>
        <source>Bubble sheet</source>
        <extracomment>What a screen reader calls the area of bubbles.</extracomment>
        <translation>Folia bąbelkowa</translation>
    </message>
    <message>
        <source>Click a bubble to pop it.</source>
        <translation>Kliknij bąbelek, żeby go przebić.</translation>
    </message>
</context>
<context>
    <name>StatusLabel</name>
    <message numerus="yes">
        <source>%1 bubbles popped!</source>
        <extracomment>The status line. %1 is the lifetime count, in plain digits; the English is never singular.</extracomment>
        <translation>
            <numerusform>Pękł %1 bąbelek!</numerusform>
            <numerusform>Pękły %1 bąbelki!</numerusform>
            <numerusform>Pękło %1 bąbelków!</numerusform>
        </translation>
    </message>
    <message>
        <source>Pop!</source>
        <extracomment>The status line&apos;s build-up towards each hundredth pop starts with this.</extracomment>
        <translation>Pyk!</translation>
    </message>
    <message>
        <source> Pop!</source>
        <extracomment>Added to the status line&apos;s &quot;Pop!&quot; on the next pop: keep the leading blank.</extracomment>
        <translation> Pyk!</translation>
    </message>
    <message>
        <source> Pop! </source>
        <extracomment>Added on the pop after that, before the round count&apos;s line: keep both blanks.</extracomment>
        <translation> Pyk! </translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About Plinkety</source>
        <translation>O programie Plinkety</translation>
    </message>
    <message>
        <source>&quot;Plinkety&quot;</source>
        <extracomment>The window&apos;s heading: the program&apos;s name in quotation marks, in your language&apos;s own marks.</extracomment>
        <translation>„Plinkety”</translation>
    </message>
    <message>
        <source>The greatest stuff on earth!</source>
        <extracomment>One line, 217 pixels wide, under the heading.</extracomment>
        <translation>Najlepsza rzecz na świecie!</translation>
    </message>
    <message>
        <source>Web address</source>
        <translation>Adres WWW</translation>
    </message>
    <message>
        <source>Bubbles Popped!</source>
        <extracomment>Under the lifetime count, in two lines at most of 57 pixels.</extracomment>
        <translation>Pękniętych bąbelków!</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>One line of 57 pixels. %1 is the version number, as 1.1.</extracomment>
        <translation>Wersja %1</translation>
    </message>
    <message>
        <source>July 1999</source>
        <extracomment>When the program was made; one line of 57 pixels.</extracomment>
        <translation>Lipiec 1999</translation>
    </message>
    <message>
        <source>Notice</source>
        <extracomment>What a screen reader calls the text box of the notice.</extracomment>
        <translation>Informacja</translation>
    </message>
    <message>
        <source>Bubble</source>
        <translation>Bąbelek</translation>
    </message>
    <message>
        <source>Click to hear the closing sound</source>
        <translation>Kliknij, aby usłyszeć dźwięk zamknięcia</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>A button 57 pixels wide.</extracomment>
        <translation>Zamknij</translation>
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
        <translation>Polecenia</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>What a screen reader calls the strip that holds the status line.</extracomment>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button 41 pixels wide: keep it as short. It brings every bubble back.</extracomment>
        <translation>Nowa</translation>
    </message>
    <message>
        <source>Click to get more bubbles. Oh Yeah!</source>
        <translation>Kliknij, by dostać więcej bąbelków. O tak!</translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>A button 41 pixels wide: keep it as short. It opens the About window.</extracomment>
        <translation>Info</translation>
    </message>
    <message>
        <source>About Plinkety.</source>
        <translation>O programie Plinkety.</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>A button 41 pixels wide: keep it as short. It ends the program.</extracomment>
        <translation>Wyjdź</translation>
    </message>
    <message>
        <source>Enough stress relief for now.</source>
        <translation>Dość odstresowania na dziś.</translation>
    </message>
    <message>
        <source>The pop count and the window&apos;s place could not be saved:

%1.</source>
        <extracomment>%1 says why, as a sentence without its full stop.</extracomment>
        <translation>Nie udało się zapisać liczby pękniętych bąbelków ani położenia okna:

%1.</translation>
    </message>
</context>
</TS>
