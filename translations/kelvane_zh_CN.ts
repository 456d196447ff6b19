<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ControlTable</name>
    <message>
        <source>&lt;</source>
        <extracomment>Arrow that moves the selected names back to the file list. Right-to-left languages show it mirrored.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;</source>
        <extracomment>Arrow that moves the selected names to the page list. Right-to-left languages show it mirrored.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <extracomment>File type filter: every file.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>jpg</source>
        <extracomment>File type filter: JPEG pictures.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>html</source>
        <extracomment>File type filter: web pages.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>The file %1 could not be written in:
%2

%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
