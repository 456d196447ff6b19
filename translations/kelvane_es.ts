<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Unidades</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>Archivos de la carpeta</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Lista de archivos</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Lista de la página</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>Mover a la lista de la página</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Devolver a la lista de archivos</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Filas de miniaturas</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniaturas</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Tipo de archivo</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Descripción de la imagen. Av Pág y Re Pág describen la imagen siguiente y la anterior; Intro guarda el texto</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 imagen</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 imágenes</translation>
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
        <translation>Limpiar</translation>
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
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Descripción (haga clic en una imagen)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Descripción de la imagen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Nombre de archivo y título. Al crear la página, se añade .html al nombre de archivo.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Texto de la página</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Descripción en la parte superior de la página</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>HTML de enlaces</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>HTML de imágenes</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Ver en navegador</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>La tarea llegó sin archivo</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Tarea desconocida</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder decodifica imágenes para Kelvane, que lo inicia; no se inicia a mano.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>No se puede abrir la carpeta %1.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>La carpeta %1 contiene un nombre que no es texto UTF-8 válido. Se ha omitido para que no se abra otro archivo en su lugar:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>La carpeta %1 contiene %2 nombres que no son texto UTF-8 válido. Se han omitido para que no se abra otro archivo en su lugar:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>y %1 más</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>La carpeta no respondió en %n segundo.</numerusform>
            <numerusform>La carpeta no respondió en %n segundos.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>No se puede mostrar: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>No se puede mostrar</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 es la última imagen</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 es la primera imagen</translation>
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
        <translation>No se pudo escribir el archivo %1 en:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>No se encontró el navegador asociado</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Navegador no encontrado</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>No se abrió la página web</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>Error de URL</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Escriba un título en el cuadro de texto. Será el nombre del archivo, al que se añadirá .html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>El título de la página no puede contener saltos de línea. Escríbalo en una sola línea.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>No se pudo escribir la página:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>Se detuvo la decodificación</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Demasiado grande para decodificar.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Demasiadas pasadas</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>No se pudo decodificar la imagen.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>La imagen es demasiado grande para cargarla (%1 × %2 píxeles)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>No es un archivo normal</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>El archivo es demasiado grande</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>El archivo está vacío</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Demasiados metadatos</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>No se pudo mostrar en un intento anterior</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>No hay ninguna carpeta donde escribirlo.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 ocupa más de 1 MB; no se lee ni se reescribe</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Un nombre de archivo no puede contener el carácter NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>El archivo no está abierto</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Imagen %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>y %1 más</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Estas imágenes de %1 no se pueden mostrar:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>No se pudo restaurar el contenido anterior: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Un nombre de archivo no puede contener el carácter NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>Se abandonó la escritura</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>No se indicó ninguna carpeta</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Un nombre de carpeta no puede contener el carácter NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>El nombre de la carpeta no es texto UTF-8 válido</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>No se puede mostrar la imagen %1.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Descripción de la imagen %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Convierte una carpeta de imágenes en una página web.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Muestra la ayuda sobre las opciones de la línea de comandos.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Carpeta de imágenes que se abrirá en lugar de la última usada.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>no hay pantalla: inicie el programa en una sesión de escritorio (DISPLAY o WAYLAND_DISPLAY no está definida)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 o %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>no se puede abrir la pantalla %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Solo se puede abrir un FOLDER.</translation>
    </message>
</context>
</TS>
