<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>ErrorReport</name>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <extracomment>%1 is the error&apos;s number, %2 what went wrong.</extracomment>
        <translation>Erro em tempo de execução &apos;%1&apos;:

%2</translation>
    </message>
    <message>
        <source>Run-time error:

%1</source>
        <extracomment>%1 says what went wrong.</extracomment>
        <translation>Erro em tempo de execução:

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
        <translation>é uma pasta</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>não é um arquivo comum</translation>
    </message>
    <message>
        <source>another program has held its lock %1 for over %2 seconds</source>
        <extracomment>%1 is the lock file&apos;s path, %2 a number of seconds.</extracomment>
        <translation>outro programa está com a trava %1 há mais de %2 segundos</translation>
    </message>
    <message>
        <source>its lock %1 could not be made</source>
        <translation>não foi possível criar a trava %1</translation>
    </message>
    <message>
        <source>its lock %1 could not be made: %2</source>
        <extracomment>%1 is the lock file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>não foi possível criar a trava %1: %2</translation>
    </message>
    <message>
        <source>the settings file %1 could not be written: %2</source>
        <extracomment>%1 is the settings file&apos;s path, %2 why, as a clause that starts in lower case.</extracomment>
        <translation>não foi possível gravar o arquivo de configurações %1: %2</translation>
    </message>
    <message>
        <source>its folder could not be made</source>
        <translation>não foi possível criar a pasta dele</translation>
    </message>
    <message>
        <source>something that is not a lock file stands at %1</source>
        <translation>em %1 há algo que não é um arquivo de trava</translation>
    </message>
    <message>
        <source>it may not be read</source>
        <translation>não é permitido lê-lo</translation>
    </message>
    <message>
        <source>it is read-only</source>
        <translation>é somente leitura</translation>
    </message>
    <message>
        <source>it could not be read first</source>
        <translation>não foi possível lê-lo antes</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Overflow</source>
        <translation>Estouro</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Tipos incompatíveis</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>Recurso com identificador &apos;%1&apos; não encontrado</translation>
    </message>
    <message>
        <source>Picture resource &apos;%1&apos; not found</source>
        <translation>Recurso de imagem &apos;%1&apos; não encontrado</translation>
    </message>
</context>
<context>
    <name>SheetArea</name>
    <message>
        <source>Bubble sheet</source>
        <extracomment>What a screen reader calls the area of bubbles.</extracomment>
        <translation>Plástico-bolha</translation>
    </message>
    <message>
        <source>Click a bubble to pop it.</source>
        <translation>Clique em uma bolha para estourá-la.</translation>
    </message>
</context>
<context>
    <name>StatusLabel</name>
    <message numerus="yes">
        <source>%1 bubbles popped!</source>
        <extracomment>The status line. %1 is the lifetime count, in plain digits; the English is never singular.</extracomment>
        <translation>
            <numerusform>%1 bolha estourada!</numerusform>
            <numerusform>%1 bolhas estouradas!</numerusform>
        </translation>
    </message>
    <message>
        <source>Pop!</source>
        <extracomment>The status line&apos;s build-up towards each hundredth pop starts with this.</extracomment>
        <translation>Ploc!</translation>
    </message>
    <message>
        <source> Pop!</source>
        <extracomment>Added to the status line&apos;s &quot;Pop!&quot; on the next pop: keep the leading blank.</extracomment>
        <translation> Ploc!</translation>
    </message>
    <message>
        <source> Pop! </source>
        <extracomment>Added on the pop after that, before the round count&apos;s line: keep both blanks.</extracomment>
        <translation> Ploc! </translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About Plinkety</source>
        <translation>Sobre o Plinkety</translation>
    </message>
    <message>
        <source>&quot;Plinkety&quot;</source>
        <extracomment>The window&apos;s heading: the program&apos;s name in quotation marks, in your language&apos;s own marks.</extracomment>
        <translation>“Plinkety”</translation>
    </message>
    <message>
        <source>The greatest stuff on earth!</source>
        <extracomment>One line, 217 pixels wide, under the heading.</extracomment>
        <translation>A melhor coisa do mundo!</translation>
    </message>
    <message>
        <source>Web address</source>
        <translation>Endereço da web</translation>
    </message>
    <message>
        <source>Bubbles Popped!</source>
        <extracomment>Under the lifetime count, in two lines at most of 57 pixels.</extracomment>
        <translation>Bolhas estouradas!</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>One line of 57 pixels. %1 is the version number, as 1.1.</extracomment>
        <translation>Versão %1</translation>
    </message>
    <message>
        <source>July 1999</source>
        <extracomment>When the program was made; one line of 57 pixels.</extracomment>
        <translation>Julho 1999</translation>
    </message>
    <message>
        <source>Notice</source>
        <extracomment>What a screen reader calls the text box of the notice.</extracomment>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Bubble</source>
        <translation>Bolha</translation>
    </message>
    <message>
        <source>Click to hear the closing sound</source>
        <translation>Clique para ouvir o som de fechamento</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>A button 57 pixels wide.</extracomment>
        <translation>Fechar</translation>
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
        <translation>Comandos</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>What a screen reader calls the strip that holds the status line.</extracomment>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button 41 pixels wide: keep it as short. It brings every bubble back.</extracomment>
        <translation>Mais</translation>
    </message>
    <message>
        <source>Click to get more bubbles. Oh Yeah!</source>
        <translation>Clique para ganhar mais bolhas. Oh, yeah!</translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>A button 41 pixels wide: keep it as short. It opens the About window.</extracomment>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>About Plinkety.</source>
        <translation>Sobre o Plinkety.</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>A button 41 pixels wide: keep it as short. It ends the program.</extracomment>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Enough stress relief for now.</source>
        <translation>Chega de desestressar por agora.</translation>
    </message>
    <message>
        <source>The pop count and the window&apos;s place could not be saved:

%1.</source>
        <extracomment>%1 says why, as a sentence without its full stop.</extracomment>
        <translation>Não foi possível salvar a contagem de bolhas e a posição da janela:

%1.</translation>
    </message>
</context>
</TS>
