<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Диски</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Папки</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>Файлы папки</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Список файлов</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Список страницы</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>Переместить в список страницы</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Вернуть в список файлов</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Ряды эскизов</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Эскизы</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Предварительный просмотр</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Тип файла</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Описание элемента. Page Down и Page Up переходят к описанию следующего и предыдущего изображения, Enter сохраняет текст</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 изображение</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>Изображений: %1</translation>
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
        <translation>Очистить</translation>
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
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Описание (щёлкните изображение)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Описание элемента</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Имя файла и заголовок страницы. При создании страницы к имени файла добавляется .html.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Описание стр.</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Описание в начале страницы</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>HTML со ссылками</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>HTML с картинками</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Открыть страницу</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>Задание пришло без файла</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Неизвестное задание</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder декодирует изображения для программы Kelvane, которая его запускает; вручную его не запускают.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>Не удаётся открыть папку %1.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>В папке %1 есть имя, которое не является допустимым текстом UTF-8. Оно пропущено, чтобы вместо него не был открыт другой файл:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>В папке %1 есть имена, которые не являются допустимым текстом UTF-8 (всего: %2). Они пропущены, чтобы вместо них не были открыты другие файлы:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>Папка не ответила за %n секунду.</numerusform>
            <numerusform>Папка не ответила за %n секунды.</numerusform>
            <numerusform>Папка не ответила за %n секунд.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>Не удаётся показать: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>Не удаётся показать</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 — последнее изображение</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 — первое изображение</translation>
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
        <translation>Не удалось записать файл %1 в папку:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>Не найден сопоставленный браузер</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Браузер не найден</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>Веб-страница не открыта</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>Ошибка URL</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Введите имя в текстовое поле. Оно станет именем файла, к которому будет добавлено .html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>Имя страницы не может содержать разрыв строки. Введите имя в одну строку.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>Не удалось записать страницу:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>Декодирование остановлено</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Слишком велико для декодирования.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Слишком много сканов</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>Не удалось декодировать изображение.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>Изображение слишком велико для загрузки (%1 × %2 пикс.)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Это не обычный файл</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>Файл слишком велик</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Файл пуст</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Слишком много метаданных</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>Ранее его не удалось показать</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>Нет папки, в которую его можно записать.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>файл %1 больше 1 МБ; он не читается и не перезаписывается</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Имя файла не может содержать символ NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>Файл не открыт</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Неизвестная ошибка</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Изображение %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Не удаётся показать эти изображения из папки %1:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>Не удалось восстановить прежнее содержимое: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Имя файла не может содержать символ NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>Запись прекращена</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>Папка не указана</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Имя папки не может содержать символ NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>Имя папки не является допустимым текстом UTF-8</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>Не удаётся показать изображение %1.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Описание изображения %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Превращает папку с изображениями в веб-страницу.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Отображает справку по параметрам командной строки.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Папка с изображениями, которую нужно открыть вместо последней использованной.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>нет дисплея: запустите программу в сеансе рабочего стола (не заданы переменные DISPLAY и WAYLAND_DISPLAY)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 или %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>не удаётся открыть дисплей %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Можно открыть только одну папку (FOLDER).</translation>
    </message>
</context>
</TS>
