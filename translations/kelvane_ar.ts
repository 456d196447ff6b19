<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>محركات الأقراص</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>المجلدات</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>ملفات المجلد</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>قائمة الملفات</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>قائمة الصفحة</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>نقل إلى قائمة الصفحة</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>إرجاع إلى قائمة الملفات</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>صفوف الصور المصغرة</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>الصور المصغرة</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>معاينة</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>نوع الملف</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>وصف العنصر. ينتقل المفتاحان Page Down وPage Up إلى وصف الصورة التالية والسابقة، ويحفظ المفتاح Enter النص</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>صورة واحدة</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>عدد الصور: %1</translation>
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
        <translation>مسح</translation>
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
        <translation>تحديث</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>وصف الصورة (انقر فوق صورة)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>وصف العنصر</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>الاسم</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>اسم الملف وعنوان الصفحة. عند إنشاء الصفحة يُضاف &#x200e;.html إلى اسم الملف.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>وصف الصفحة</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>الوصف في أعلى الصفحة</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>إنشاء HTML للارتباطات</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>إنشاء HTML للصور</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>عرض في المستعرض</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>لم يُرسل أي ملف مع المهمة</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>مهمة غير معروفة</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>يفك kelvane-decoder ترميز الصور لبرنامج Kelvane الذي يشغّله؛ ولا يُشغَّل يدويًا.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>تعذر فتح المجلد &#x200e;%1&#x200e;.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>يحتوي المجلد &#x200e;%1&#x200e; على اسم ليس نصًا صالحًا بترميز UTF-8. تم تجاهله حتى لا يُفتح ملف آخر بدلًا منه:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>يحتوي المجلد &#x200e;%1&#x200e; على أسماء ليست نصًا صالحًا بترميز UTF-8 (عددها: %2). تم تجاهلها حتى لا تُفتح ملفات أخرى بدلًا منها:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>و%1 أخرى</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>لم يستجب المجلد خلال %n ثانية.</numerusform>
            <numerusform>لم يستجب المجلد خلال %n ثانية.</numerusform>
            <numerusform>لم يستجب المجلد خلال %n ثانية.</numerusform>
            <numerusform>لم يستجب المجلد خلال %n ثوانٍ.</numerusform>
            <numerusform>لم يستجب المجلد خلال %n ثانية.</numerusform>
            <numerusform>لم يستجب المجلد خلال %n ثانية.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>تعذر العرض: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>تعذر العرض</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 هي الصورة الأخيرة</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 هي الصورة الأولى</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1، %2</translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>The file %1 could not be written in:
%2

%3</source>
        <translation>تعذرت كتابة الملف %1 في المجلد:
&#x200e;%2&#x200e;

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>تعذر العثور على المستعرض المقترن</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>لم يتم العثور على المستعرض</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>لم يتم فتح صفحة الويب</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>فشل عنوان URL</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>يُرجى إدخال اسم في مربع النص. سيصبح هذا الاسم اسم الملف وسيُضاف إليه &#x200e;.html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>لا يمكن أن يحتوي اسم الصفحة على فاصل أسطر. يُرجى كتابة الاسم في سطر واحد.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>تعذرت كتابة الصفحة:
&#x200e;%1&#x200e;

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>تم إيقاف فك الترميز</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>أكبر من أن يُفك ترميزها.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>عدد المسحات كبير جدًا</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>تعذر فك ترميز الصورة.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>الصورة أكبر من أن يتم تحميلها (%1 × %2 بكسل)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>ليس ملفًا عاديًا</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>الملف كبير جدًا</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>الملف فارغ</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>بيانات التعريف كثيرة جدًا</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>تعذر عرضها من قبل</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>لا يوجد مجلد يمكن كتابته فيه.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>الملف %1 أكبر من 1 ميغابايت؛ لذا لا تتم قراءته ولا إعادة كتابته</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>لا يمكن أن يحتوي اسم الملف على الحرف NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>الملف غير مفتوح</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>خطأ غير معروف</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>الصورة %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>و%1 أخرى</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>تعذر عرض هذه الصور من المجلد &#x200e;%1&#x200e;:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>تعذرت استعادة المحتويات السابقة: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>لا يمكن أن يحتوي اسم الملف على الحرف NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>تم التخلي عن الكتابة</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>لم يتم تحديد مجلد</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>لا يمكن أن يحتوي اسم المجلد على الحرف NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>اسم المجلد ليس نصًا صالحًا بترميز UTF-8</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>تعذر عرض الصورة &#x200e;%1&#x200e;.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>وصف الصورة رقم %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>يحوّل مجلدًا من الصور إلى صفحة ويب.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>يعرض التعليمات حول خيارات سطر الأوامر.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>مجلد الصور المراد فتحه بدلًا من آخر مجلد مستخدم.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>لا توجد شاشة: شغّل البرنامج داخل جلسة سطح مكتب (لم يتم تعيين DISPLAY ولا WAYLAND_DISPLAY)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 أو %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>تعذر فتح الشاشة %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>يمكن فتح مجلد واحد فقط (FOLDER).</translation>
    </message>
</context>
</TS>
