<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ErrorReport</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <extracomment>%1 is the error&apos;s number, %2 what went wrong.</extracomment>
        <translation>Erreur d&apos;exécution &apos;%1&apos;&#xa0;:

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <extracomment>%1 says what went wrong.</extracomment>
        <translation>Erreur d&apos;exécution&#xa0;:

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
        <translation>c&apos;est un dossier</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>another program has held its lock %1 for over %2 seconds</source>
        <extracomment>%1 is the lock file&apos;s path, %2 a number of seconds.</extracomment>
        <translation>un autre programme détient son verrou %1 depuis plus de %2 secondes</translation>
    </message>
    <message>
        <source>its lock %1 could not be made</source>
        <translation>son verrou %1 n&apos;a pas pu être créé</translation>
    </message>
    <message>
        <source>its lock %1 could not be made: %2</source>
        <extracomment>%1 is the lock file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>son verrou %1 n&apos;a pas pu être créé&#xa0;: %2</translation>
    </message>
    <message>
        <source>the settings file %1 could not be written: %2</source>
        <extracomment>%1 is the settings file&apos;s path, %2 why, as a clause that starts in lower case.</extracomment>
        <translation>le fichier de réglages %1 n&apos;a pas pu être écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>its folder could not be made</source>
        <translation>son dossier n&apos;a pas pu être créé</translation>
    </message>
    <message>
        <source>something that is not a lock file stands at %1</source>
        <translation>à la place de %1 se trouve autre chose qu&apos;un fichier de verrou</translation>
    </message>
    <message>
        <source>it may not be read</source>
        <translation>sa lecture n&apos;est pas permise</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>il est en lecture seule</translation>
    </message>
    <message>
        <source>it could not be read first</source>
        <translation>il n&apos;a pas pu être lu au préalable</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Type incompatible</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>Ressource d&apos;identificateur &apos;%1&apos; introuvable</translation>
    </message>
    <message>
        <source>Picture resource &apos;%1&apos; not found</source>
        <translation>Ressource image &apos;%1&apos; introuvable</translation>
    </message>
</context>
<context>
    <name>SheetArea</name>
    <message>
        <source>Bubble sheet</source>
        <extracomment>What a screen reader calls the area of bubbles.</extracomment>
        <translation>Papier bulle</translation>
    </message>
    <message>
        <source>Click a bubble to pop it.</source>
        <translation>Cliquez sur une bulle pour la faire éclater.</translation>
    </message>
</context>
<context>
    <name>StatusLabel</name>
    <message numerus="yes">
        <source>%1 bubbles popped!</source>
        <extracomment>The status line. %1 is the lifetime count, in plain digits; the English is never singular.</extracomment>
        <translation>
            <numerusform>%1 bulle éclatée&#xa0;!</numerusform>
            <numerusform>%1 bulles éclatées&#xa0;!</numerusform>
        </translation>
    </message>
    <message>
        <source>Pop!</source>
        <extracomment>The status line&apos;s build-up towards each hundredth pop starts with this.</extracomment>
        <translation>Plop&#xa0;!</translation>
    </message>
    <message>
        <source> Pop!</source>
        <extracomment>Added to the status line&apos;s &quot;Pop!&quot; on the next pop: keep the leading blank.</extracomment>
        <translation> Plop&#xa0;!</translation>
    </message>
    <message>
        <source> Pop! </source>
        <extracomment>Added on the pop after that, before the round count&apos;s line: keep both blanks.</extracomment>
        <translation> Plop&#xa0;! </translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About Plinkety</source>
        <translation>À propos de Plinkety</translation>
    </message>
    <message>
        <source>&quot;Plinkety&quot;</source>
        <extracomment>The window&apos;s heading: the program&apos;s name in quotation marks, in your language&apos;s own marks.</extracomment>
        <translation>«&#xa0;Plinkety&#xa0;»</translation>
    </message>
    <message>
        <source>The greatest stuff on earth!</source>
        <extracomment>One line, 217 pixels wide, under the heading.</extracomment>
        <translation>Le meilleur truc du monde&#xa0;!</translation>
    </message>
    <message>
        <source>Web address</source>
        <translation>Adresse web</translation>
    </message>
    <message>
        <source>Bubbles Popped!</source>
        <extracomment>Under the lifetime count, in two lines at most of 57 pixels.</extracomment>
        <translation>Bulles éclatées&#xa0;!</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>One line of 57 pixels. %1 is the version number, as 1.1.</extracomment>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>July 1999</source>
        <extracomment>When the program was made; one line of 57 pixels.</extracomment>
        <translation>Juillet 1999</translation>
    </message>
    <message>
        <source>Notice</source>
        <extracomment>What a screen reader calls the text box of the notice.</extracomment>
        <translation>Avis</translation>
    </message>
    <message>
        <source>Bubble</source>
        <translation>Bulle</translation>
    </message>
    <message>
        <source>Click to hear the closing sound</source>
        <translation>Cliquez pour entendre le son de fermeture</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>A button 57 pixels wide.</extracomment>
        <translation>Fermer</translation>
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
        <translation>Commandes</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>What a screen reader calls the strip that holds the status line.</extracomment>
        <translation>État</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button 41 pixels wide: keep it as short. It brings every bubble back.</extracomment>
        <translation>Encore</translation>
    </message>
    <message>
        <source>Click to get more bubbles. Oh Yeah!</source>
        <translation>Cliquez pour avoir d&apos;autres bulles. Oh yeah&#xa0;!</translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>A button 41 pixels wide: keep it as short. It opens the About window.</extracomment>
        <translation>Infos</translation>
    </message>
    <message>
        <source>About Plinkety.</source>
        <translation>À propos de Plinkety.</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>A button 41 pixels wide: keep it as short. It ends the program.</extracomment>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Enough stress relief for now.</source>
        <translation>Assez décompressé pour aujourd&apos;hui.</translation>
    </message>
    <message>
        <source>The pop count and the window&apos;s place could not be saved:

%1.</source>
        <extracomment>%1 says why, as a sentence without its full stop.</extracomment>
        <translation>Le nombre de bulles éclatées et la position de la fenêtre n&apos;ont pas pu être enregistrés&#xa0;:

%1.</translation>
    </message>
</context>
</TS>
