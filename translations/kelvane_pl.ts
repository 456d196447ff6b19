<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Dyski</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Foldery</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>Pliki w folderze</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Lista plików</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Lista strony</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>Przenieś na listę strony</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Przenieś z powrotem na listę plików</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Wiersze miniatur</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniatury</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Podgląd</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Typ pliku</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Opis elementu. Page Down i Page Up przechodzą do opisu następnego i poprzedniego obrazu, Enter zapisuje tekst</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 obraz</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>Liczba obrazów: %1</translation>
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
        <translation>Wyczyść</translation>
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
        <translation>Odśwież</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Opis obrazu (kliknij miniaturę)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Opis elementu</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Tytuł</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Nazwa pliku i tytuł strony. Przy tworzeniu strony do nazwy pliku jest dopisywane .html.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Opis strony</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Opis na górze strony</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>Utwórz HTML: łącza</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>Utwórz HTML: obrazy</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Otwórz stronę</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>Zadanie nie zawierało pliku</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Nieznane zadanie</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder dekoduje obrazy dla programu Kelvane, który go uruchamia; nie uruchamia się go ręcznie.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>Nie można otworzyć folderu %1.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>Folder %1 zawiera nazwę, która nie jest poprawnym tekstem UTF-8. Pominięto ją, aby w jej miejsce nie został otwarty inny plik:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>Folder %1 zawiera nazwy, które nie są poprawnym tekstem UTF-8 (liczba nazw: %2). Pominięto je, aby w ich miejsce nie został otwarty inny plik:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>i jeszcze %1</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>Folder nie odpowiedział w ciągu %n sekundy.</numerusform>
            <numerusform>Folder nie odpowiedział w ciągu %n sekund.</numerusform>
            <numerusform>Folder nie odpowiedział w ciągu %n sekund.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>Nie można wyświetlić: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>Nie można wyświetlić</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 to ostatni obraz</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 to pierwszy obraz</translation>
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
        <translation>Nie można zapisać pliku %1 w folderze:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>Nie znaleziono skojarzonej przeglądarki</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Nie znaleziono przeglądarki</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>Nie otwarto strony internetowej</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>Błąd adresu URL</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Wpisz tytuł w polu tekstowym. Stanie się on nazwą pliku, do której zostanie dopisane .html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>Tytuł strony nie może zawierać podziału wiersza. Wpisz go w jednym wierszu.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>Nie można zapisać strony:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>Dekodowanie zostało przerwane</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Zbyt duży do zdekodowania.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Zbyt wiele skanów</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>Nie można zdekodować obrazu.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>Obraz jest za duży, aby go wczytać (%1 × %2 pikseli)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>To nie jest zwykły plik</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>Plik jest za duży</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Plik jest pusty</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Zbyt dużo metadanych</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>Wcześniej nie udało się go wyświetlić</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>Nie ma folderu, w którym można go zapisać.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>plik %1 jest większy niż 1 MB; nie jest ani odczytywany, ani zapisywany na nowo</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Nazwa pliku nie może zawierać znaku NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>Plik nie jest otwarty</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Nieznany błąd</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Obraz %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>i jeszcze %1</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Nie można wyświetlić tych obrazów z folderu %1:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>Nie można przywrócić poprzedniej zawartości: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Nazwa pliku nie może zawierać znaku NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>Zrezygnowano z zapisu</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>Nie podano folderu</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Nazwa folderu nie może zawierać znaku NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>Nazwa folderu nie jest poprawnym tekstem UTF-8</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>Nie można wyświetlić obrazu %1.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Opis obrazu nr %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Tworzy stronę internetową z folderu obrazów.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Wyświetla pomoc dotyczącą opcji wiersza poleceń.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Folder obrazów do otwarcia zamiast ostatnio używanego.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>brak ekranu: uruchom program w sesji pulpitu (nie ustawiono DISPLAY ani WAYLAND_DISPLAY)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 lub %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>nie można otworzyć ekranu %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Można otworzyć tylko jeden FOLDER.</translation>
    </message>
</context>
</TS>
