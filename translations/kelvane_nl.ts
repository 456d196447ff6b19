<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Stations</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Mappen</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>Bestanden in de map</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Bestandenlijst</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Paginalijst</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>Naar paginalijst verplaatsen</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Terugzetten naar bestandenlijst</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Rijen miniaturen</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniaturen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Voorbeeld</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Bestandstype</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Beschrijving van item. Met Page Down en Page Up beschrijft u de volgende en de vorige afbeelding, Enter slaat de tekst op</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 afbeelding</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 afbeeldingen</translation>
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
        <translation>Wissen</translation>
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
        <translation>Vernieuwen</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Fotobeschrijving (klik op een foto)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Beschrijving van item</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Bestandsnaam en titel. Bij het maken wordt .html aan de bestandsnaam toegevoegd.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Paginabeschrijving</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Beschrijving bovenaan de pagina</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>HTML met links</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>HTML met foto&apos;s</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Openen in browser</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>Er is geen bestand met de taak meegegeven</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Onbekende taak</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder decodeert afbeeldingen voor Kelvane, dat het zelf start; het wordt niet handmatig gestart.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>De map %1 kan niet worden geopend.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>De map %1 bevat een naam die geen geldige UTF-8-tekst is. Deze is weggelaten, zodat er geen ander bestand in plaats daarvan wordt geopend:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>De map %1 bevat %2 namen die geen geldige UTF-8-tekst zijn. Deze zijn weggelaten, zodat er geen andere bestanden in plaats daarvan worden geopend:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>en nog %1</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>De map heeft niet binnen %n seconde gereageerd.</numerusform>
            <numerusform>De map heeft niet binnen %n seconden gereageerd.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>Kan niet weergeven: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>Kan niet weergeven</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 is de laatste afbeelding</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 is de eerste afbeelding</translation>
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
        <translation>Het bestand %1 kan niet worden geschreven in:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>Kan de gekoppelde browser niet vinden</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Browser niet gevonden</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>Webpagina niet geopend</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>URL mislukt</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Vul een naam in het tekstvak in. Dit wordt de bestandsnaam, met .html erachter.</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>De paginanaam mag geen regeleinde bevatten. Typ de naam op één regel.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>De pagina kan niet worden geschreven:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>Het decoderen is gestopt</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Te groot om te decoderen.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Te veel scans</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>De afbeelding kan niet worden gedecodeerd.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>De afbeelding is te groot om te laden (%1 × %2 pixels)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Geen gewoon bestand</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>Het bestand is te groot</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Het bestand is leeg</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Te veel metagegevens</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>Kon eerder ook niet worden weergegeven</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>Er is geen map om het in te schrijven.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 is groter dan 1 MB; het wordt niet gelezen en niet herschreven</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Een bestandsnaam mag geen NUL-teken bevatten</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>Het bestand is niet geopend</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Onbekende fout</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Afbeelding %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>en nog %1</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Deze afbeeldingen in %1 kunnen niet worden weergegeven:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>De vorige inhoud kon niet worden teruggezet: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Een bestandsnaam mag geen NUL-teken bevatten</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>Het schrijven is opgegeven</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>Er is geen map opgegeven</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Een mapnaam mag geen NUL-teken bevatten</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>De naam van de map is geen geldige UTF-8-tekst</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>De afbeelding %1 kan niet worden weergegeven.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Beschrijving van foto %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Maakt van een map met afbeeldingen een webpagina.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Toont hulp bij de opdrachtregelopties.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Map met afbeeldingen die in plaats van de laatst gebruikte wordt geopend.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>geen display: start het binnen een desktopsessie (DISPLAY of WAYLAND_DISPLAY is niet ingesteld)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>kan display %1 niet openen</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Er kan maar één FOLDER worden geopend.</translation>
    </message>
</context>
</TS>
