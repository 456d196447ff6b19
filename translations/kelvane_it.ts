<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Unità</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Cartelle</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>File della cartella</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Elenco file</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Elenco della pagina</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>Sposta nell&apos;elenco della pagina</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Riporta nell&apos;elenco file</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Righe di miniature</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniature</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Anteprima</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Tipo di file</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Descrizione elemento. PGGIÙ e PGSU passano a descrivere l&apos;immagine successiva e quella precedente, INVIO memorizza il testo</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 immagine</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 immagini</translation>
    </message>
</context>
<context>
    <name>ControlTable</name>
    <message>
        <source>&lt;</source>
        <extracomment>Arrow that moves the selected names back to the file list. Right-to-left languages show it mirrored.</extracomment>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>&gt;</source>
        <extracomment>Arrow that moves the selected names to the page list. Right-to-left languages show it mirrored.</extracomment>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Svuota</translation>
    </message>
    <message>
        <source>All</source>
        <extracomment>File type filter: every file.</extracomment>
        <translation>*.*</translation>
    </message>
    <message>
        <source>jpg</source>
        <extracomment>File type filter: JPEG pictures.</extracomment>
        <translation>jpg</translation>
    </message>
    <message>
        <source>html</source>
        <extracomment>File type filter: web pages.</extracomment>
        <translation>html</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aggiorna</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Descrizione immagine (fai clic su una)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Descrizione elemento</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Nome del file e titolo. Alla creazione, al nome del file viene aggiunto .html.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Descrizione pagina</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Descrizione in cima alla pagina</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>Crea HTML con link</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>Crea HTML con foto</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Apri nel browser</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>Il lavoro non conteneva alcun file</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Lavoro sconosciuto</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder decodifica le immagini per Kelvane, che lo avvia; non va avviato manualmente.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>Impossibile aprire la cartella %1.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>La cartella %1 contiene un nome che non è un testo UTF-8 valido. È stato escluso, perché al suo posto non venga aperto un altro file:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>La cartella %1 contiene %2 nomi che non sono testo UTF-8 valido. Sono stati esclusi, perché al loro posto non venga aperto un altro file:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>e altri %1</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>La cartella non ha risposto entro %n secondo.</numerusform>
            <numerusform>La cartella non ha risposto entro %n secondi.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>Impossibile visualizzare: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>Non visualizzabile</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 è l&apos;ultima immagine</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 è la prima immagine</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>The file %1 could not be written in:
%2

%3</source>
        <translation>Impossibile scrivere il file %1 in:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>Impossibile trovare il browser associato</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Browser non trovato</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>Pagina web non aperta</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>Errore URL</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Inserire un nome nella casella di testo. Diventerà il nome del file, a cui verrà aggiunto .html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>Il nome della pagina non può contenere un ritorno a capo. Digitare il nome su una sola riga.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>Impossibile scrivere la pagina:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>La decodifica è stata interrotta</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Troppo grande da decodificare.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Troppe scansioni</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>Impossibile decodificare l&apos;immagine.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>L&apos;immagine è troppo grande da caricare (%1 × %2 pixel)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Non è un file normale</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>Il file è troppo grande</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Il file è vuoto</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Troppi metadati</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>Non era stato possibile visualizzarla già in precedenza</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>Non c&apos;è una cartella in cui scriverlo.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 supera 1 MB; non viene né letto né riscritto</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Un nome di file non può contenere il carattere NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>Il file non è aperto</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Errore sconosciuto</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Immagine %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>e altre %1</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Impossibile visualizzare queste immagini in %1:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>Impossibile ripristinare il contenuto precedente: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Un nome di file non può contenere il carattere NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>La scrittura è stata abbandonata</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>Nessuna cartella specificata</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Un nome di cartella non può contenere il carattere NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>Il nome della cartella non è un testo UTF-8 valido</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>Impossibile visualizzare l&apos;immagine %1.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Descrizione immagine %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Trasforma una cartella di immagini in una pagina web.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Mostra la guida sulle opzioni della riga di comando.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Cartella di immagini da aprire al posto dell&apos;ultima usata.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>nessun display: avviarlo all&apos;interno di una sessione desktop (DISPLAY o WAYLAND_DISPLAY non è impostata)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 o %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>impossibile aprire il display %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Si può aprire un solo FOLDER.</translation>
    </message>
</context>
</TS>
