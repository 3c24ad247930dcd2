<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>ErrorReport</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <extracomment>%1 is the error&apos;s number, %2 what went wrong.</extracomment>
        <translation>Errore di run-time &apos;%1&apos;:

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <extracomment>%1 says what went wrong.</extracomment>
        <translation>Errore di run-time:

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
        <translation>è una cartella</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>non è un file normale</translation>
    </message>
    <message>
        <source>another program has held its lock %1 for over %2 seconds</source>
        <extracomment>%1 is the lock file&apos;s path, %2 a number of seconds.</extracomment>
        <translation>un altro programma tiene il suo blocco %1 da più di %2 secondi</translation>
    </message>
    <message>
        <source>its lock %1 could not be made</source>
        <translation>non è stato possibile creare il suo blocco %1</translation>
    </message>
    <message>
        <source>its lock %1 could not be made: %2</source>
        <extracomment>%1 is the lock file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>non è stato possibile creare il suo blocco %1: %2</translation>
    </message>
    <message>
        <source>the settings file %1 could not be written: %2</source>
        <extracomment>%1 is the settings file&apos;s path, %2 why, as a clause that starts in lower case.</extracomment>
        <translation>non è stato possibile scrivere il file delle impostazioni %1: %2</translation>
    </message>
    <message>
        <source>its folder could not be made</source>
        <translation>non è stato possibile creare la sua cartella</translation>
    </message>
    <message>
        <source>something that is not a lock file stands at %1</source>
        <translation>in %1 c&apos;è qualcosa che non è un file di blocco</translation>
    </message>
    <message>
        <source>it may not be read</source>
        <translation>non è consentito leggerlo</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>è di sola lettura</translation>
    </message>
    <message>
        <source>it could not be read first</source>
        <translation>non è stato possibile leggerlo prima</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Overflow</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Tipo non corrispondente</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>Risorsa con identificatore &apos;%1&apos; non trovata</translation>
    </message>
    <message>
        <source>Picture resource &apos;%1&apos; not found</source>
        <translation>Risorsa immagine &apos;%1&apos; non trovata</translation>
    </message>
</context>
<context>
    <name>SheetArea</name>
    <message>
        <source>Bubble sheet</source>
        <extracomment>What a screen reader calls the area of bubbles.</extracomment>
        <translation>Foglio di pluriball</translation>
    </message>
    <message>
        <source>Click a bubble to pop it.</source>
        <translation>Fai clic su una bolla per farla scoppiare.</translation>
    </message>
</context>
<context>
    <name>StatusLabel</name>
    <message numerus="yes">
        <source>%1 bubbles popped!</source>
        <extracomment>The status line. %1 is the lifetime count, in plain digits; the English is never singular.</extracomment>
        <translation>
            <numerusform>%1 bolla scoppiata!</numerusform>
            <numerusform>%1 bolle scoppiate!</numerusform>
        </translation>
    </message>
    <message>
        <source>Pop!</source>
        <extracomment>The status line&apos;s build-up towards each hundredth pop starts with this.</extracomment>
        <translation>Plop!</translation>
    </message>
    <message>
        <source> Pop!</source>
        <extracomment>Added to the status line&apos;s &quot;Pop!&quot; on the next pop: keep the leading blank.</extracomment>
        <translation> Plop!</translation>
    </message>
    <message>
        <source> Pop! </source>
        <extracomment>Added on the pop after that, before the round count&apos;s line: keep both blanks.</extracomment>
        <translation> Plop! </translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About Plinkety</source>
        <translation>Informazioni su Plinkety</translation>
    </message>
    <message>
        <source>&quot;Plinkety&quot;</source>
        <extracomment>The window&apos;s heading: the program&apos;s name in quotation marks, in your language&apos;s own marks.</extracomment>
        <translation>«Plinkety»</translation>
    </message>
    <message>
        <source>The greatest stuff on earth!</source>
        <extracomment>One line, 217 pixels wide, under the heading.</extracomment>
        <translation>La roba più bella del mondo!</translation>
    </message>
    <message>
        <source>Web address</source>
        <translation>Indirizzo web</translation>
    </message>
    <message>
        <source>Bubbles Popped!</source>
        <extracomment>Under the lifetime count, in two lines at most of 57 pixels.</extracomment>
        <translation>Bolle scoppiate!</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>One line of 57 pixels. %1 is the version number, as 1.1.</extracomment>
        <translation>Vers. %1</translation>
    </message>
    <message>
        <source>July 1999</source>
        <extracomment>When the program was made; one line of 57 pixels.</extracomment>
        <translation>Luglio 1999</translation>
    </message>
    <message>
        <source>Notice</source>
        <extracomment>What a screen reader calls the text box of the notice.</extracomment>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Bubble</source>
        <translation>Bolla</translation>
    </message>
    <message>
        <source>Click to hear the closing sound</source>
        <translation>Fai clic per sentire il suono di chiusura</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>A button 57 pixels wide.</extracomment>
        <translation>Chiudi</translation>
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
        <translation>Comandi</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>What a screen reader calls the strip that holds the status line.</extracomment>
        <translation>Stato</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button 41 pixels wide: keep it as short. It brings every bubble back.</extracomment>
        <translation>Ancora</translation>
    </message>
    <message>
        <source>Click to get more bubbles. Oh Yeah!</source>
        <translation>Fai clic per avere altre bolle. Oh sì!</translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>A button 41 pixels wide: keep it as short. It opens the About window.</extracomment>
        <translation>Info</translation>
    </message>
    <message>
        <source>About Plinkety.</source>
        <translation>Informazioni su Plinkety.</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>A button 41 pixels wide: keep it as short. It ends the program.</extracomment>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Enough stress relief for now.</source>
        <translation>Basta antistress per ora.</translation>
    </message>
    <message>
        <source>The pop count and the window&apos;s place could not be saved:

%1.</source>
        <extracomment>%1 says why, as a sentence without its full stop.</extracomment>
        <translation>Non è stato possibile salvare il conteggio delle bolle e la posizione della finestra:

%1.</translation>
    </message>
</context>
</TS>
