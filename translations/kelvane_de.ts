<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Laufwerke</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>Dateien des Ordners</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Seitenliste</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>In die Seitenliste verschieben</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Zurück in die Dateiliste verschieben</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Zeilen der Miniaturansichten</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniaturansichten</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Dateityp</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Bildbeschreibung. Bild ab und Bild auf beschreiben das nächste und das vorige Bild, die Eingabetaste speichert den Text</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 Bild</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 Bilder</translation>
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
        <translation>Leeren</translation>
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
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Bildbeschreibung (Bild anklicken)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Bildbeschreibung</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Dateiname und Titel. Beim Erstellen wird an den Dateinamen .html angehängt.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Seitentext</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Beschreibung oben auf der Seite</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>Link-Seite erstellen</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>Bilder-Seite erstellen</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Im Browser öffnen</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>Der Auftrag kam ohne Datei</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Unbekannter Auftrag</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder dekodiert Bilder für Kelvane, das ihn startet; er wird nicht von Hand gestartet.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>Der Ordner %1 enthält einen Namen, der kein gültiger UTF-8-Text ist. Er wurde ausgelassen, damit keine andere Datei an seiner Stelle geöffnet wird:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>Der Ordner %1 enthält %2 Namen, die kein gültiger UTF-8-Text sind. Sie wurden ausgelassen, damit keine andere Datei an ihrer Stelle geöffnet wird:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>Der Ordner hat nicht innerhalb von %n Sekunde geantwortet.</numerusform>
            <numerusform>Der Ordner hat nicht innerhalb von %n Sekunden geantwortet.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>Anzeige nicht möglich: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>Anzeige nicht möglich</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 ist das letzte Bild</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 ist das erste Bild</translation>
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
        <translation>Die Datei %1 konnte nicht in diesen Ordner geschrieben werden:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>Der zugeordnete Browser wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Browser nicht gefunden</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>Webseite nicht geöffnet</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>URL-Fehler</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Bitte geben Sie im Textfeld einen Namen ein. Er wird zum Dateinamen und um .html ergänzt.</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>Der Seitenname darf keinen Zeilenumbruch enthalten. Bitte geben Sie den Namen in einer Zeile ein.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>Die Seite konnte nicht geschrieben werden:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>Das Dekodieren wurde abgebrochen</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Zu groß zum Dekodieren.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Zu viele Scans</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>Das Bild konnte nicht dekodiert werden.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>Das Bild ist zu groß zum Laden (%1 × %2 Pixel)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>Die Datei ist zu groß</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Zu viele Metadaten</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>Konnte schon bei einem früheren Versuch nicht angezeigt werden</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>Es gibt keinen Ordner, in den sie geschrieben werden kann.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 ist größer als 1 MB; die Datei wird weder gelesen noch neu geschrieben</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Ein Dateiname darf kein NUL-Zeichen enthalten</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>Die Datei ist nicht geöffnet</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Bild %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Diese Bilder in %1 können nicht angezeigt werden:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>Der vorherige Inhalt konnte nicht wiederhergestellt werden: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Ein Dateiname darf kein NUL-Zeichen enthalten</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>Das Schreiben wurde aufgegeben</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>Es wurde kein Ordner angegeben</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Ein Ordnername darf kein NUL-Zeichen enthalten</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>Der Name des Ordners ist kein gültiger UTF-8-Text</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>Das Bild %1 kann nicht angezeigt werden.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Bildbeschreibung für Bild %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Macht aus einem Ordner mit Bildern eine Webseite.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt die Hilfe zu den Kommandozeilenoptionen an.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Bilderordner, der anstelle des zuletzt verwendeten geöffnet wird.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>kein Display: Starten Sie das Programm in einer Desktop-Sitzung (DISPLAY oder WAYLAND_DISPLAY ist nicht gesetzt)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>Display %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Es kann nur ein FOLDER geöffnet werden.</translation>
    </message>
</context>
</TS>
