<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="he" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>כוננים</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>תיקיות</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>קובצי התיקייה</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>רשימת הקבצים</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>רשימת הדף</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>העבר לרשימת הדף</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>החזר לרשימת הקבצים</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>שורות של תמונות ממוזערות</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>תמונות ממוזערות</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>תצוגה מקדימה</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>סוג קובץ</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>תיאור הפריט. Page Down ו-Page Up עוברים לתיאור התמונה הבאה והקודמת, Enter שומר את הטקסט</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>תמונה אחת</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 תמונות</translation>
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
        <translation>נקה</translation>
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
        <translation>רענן</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>תיאור תמונה (לחץ על תמונה)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>תיאור הפריט</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>שם</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>שם הקובץ והכותרת. בעת הבנייה יתווסף לשם הקובץ &#x200e;.html.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>תיאור הדף</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>תיאור בראש הדף</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>צור HTML של קישורים</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>צור HTML של תמונות</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>הצג בדפדפן</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>לא צורף קובץ למשימה</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>משימה לא ידועה</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder מפענח תמונות עבור Kelvane, שמפעיל אותו; אין להפעיל אותו ידנית.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>לא ניתן לפתוח את התיקייה %1.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>התיקייה %1 מכילה שם שאינו טקסט UTF-8 תקין. השם הושמט, כדי שלא ייפתח קובץ אחר במקומו:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>התיקייה %1 מכילה %2 שמות שאינם טקסט UTF-8 תקין. השמות הושמטו, כדי שלא ייפתח קובץ אחר במקומם:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>ועוד %1</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>התיקייה לא הגיבה בתוך %n שנייה.</numerusform>
            <numerusform>התיקייה לא הגיבה בתוך %n שניות.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>לא ניתן להציג: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>לא ניתן להציג</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 היא התמונה האחרונה</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 היא התמונה הראשונה</translation>
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
        <translation>לא ניתן היה לכתוב את הקובץ %1 בתיקייה:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>לא נמצא דפדפן משויך</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>הדפדפן לא נמצא</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>דף האינטרנט לא נפתח</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>פתיחת ה-URL נכשלה</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>נא להזין שם בתיבת הטקסט. זה יהיה שם הקובץ, ויתווסף לו &#x200e;.html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>שם הדף אינו יכול להכיל מעבר שורה. נא להקליד את השם בשורה אחת.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>לא ניתן היה לכתוב את הדף:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>הפענוח הופסק</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>התמונה גדולה מדי לפענוח.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>יותר מדי סריקות</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>לא ניתן היה לפענח את התמונה.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>התמונה גדולה מדי לטעינה (%1 × %2 פיקסלים)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>אינו קובץ רגיל</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>הקובץ גדול מדי</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>הקובץ ריק</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>יותר מדי מטא-נתונים</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>גם בפעם הקודמת לא ניתן היה להציג אותה</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>אין תיקייה לכתוב אליה.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 גדול מ-1 MB; הוא אינו נקרא ואינו נכתב מחדש</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>שם קובץ אינו יכול להכיל את התו NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>הקובץ אינו פתוח</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>שגיאה לא ידועה</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>תמונה %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>ועוד %1</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>לא ניתן להציג את התמונות האלה בתיקייה %1:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>סגור</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>לא ניתן היה לשחזר את התוכן הקודם: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>שם קובץ אינו יכול להכיל את התו NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>הכתיבה בוטלה</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>לא צוינה תיקייה</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>שם תיקייה אינו יכול להכיל את התו NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>שם התיקייה אינו טקסט UTF-8 תקין</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>לא ניתן להציג את התמונה %1.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>תיאור תמונה %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>הופך תיקיית תמונות לדף אינטרנט.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>מציג עזרה על האפשרויות של שורת הפקודה.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>תיקיית תמונות לפתיחה במקום התיקייה האחרונה שנעשה בה שימוש.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>אין תצוגה: יש להפעיל את התוכנית בתוך הפעלה של שולחן עבודה (DISPLAY או WAYLAND_DISPLAY אינם מוגדרים)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 או %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>לא ניתן לפתוח את התצוגה %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>ניתן לפתוח FOLDER אחד בלבד.</translation>
    </message>
</context>
</TS>
