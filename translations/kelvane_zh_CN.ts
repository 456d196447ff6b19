<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>驱动器</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>文件夹中的文件</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>文件列表</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>页面列表</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>移到页面列表</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>移回文件列表</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>缩略图行</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>缩略图</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>文件类型</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>项目说明。按 Page Down 和 Page Up 转到下一张和上一张图片的说明，按 Enter 保存文本</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 张图片</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 张图片</translation>
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
        <translation>清除</translation>
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
        <translation>刷新</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>图片说明（单击图片）</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>项目说明</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>文件名和标题。生成时会在文件名后加上 .html。</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>页面说明</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>显示在页面顶部的说明</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>生成链接 HTML</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>生成图片 HTML</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>在浏览器中查看</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>作业未附带文件</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>未知作业</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder 为 Kelvane 解码图片，由 Kelvane 启动；不应手动启动。</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>无法打开文件夹 %1。

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>文件夹 %1 中有一个名称不是有效的 UTF-8 文本。已将其略过，以免打开其他文件来代替它：</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>文件夹 %1 中有 %2 个名称不是有效的 UTF-8 文本。已将它们略过，以免打开其他文件来代替它们：</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另外还有 %1 个</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>文件夹未在 %n 秒内响应。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>无法显示：%1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>无法显示</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 是最后一张图片</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 是第一张图片</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1，%2</translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>The file %1 could not be written in:
%2

%3</source>
        <translation>无法在以下文件夹中写入文件 %1：
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>找不到关联的浏览器</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>未找到浏览器</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>未能打开网页</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>打开 URL 失败</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>请在文本框中填写名称。该名称将用作文件名，并在末尾加上 .html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>页面名称不能包含换行符。请在一行中输入名称。</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>无法写入页面：
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>解码已停止</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>太大，无法解码。</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>扫描次数过多</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>无法解码该图片。</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>图片太大，无法加载（%1 × %2 像素）</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>不是常规文件</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>文件太大</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>文件为空</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>元数据过多</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>上次也无法显示</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>没有可写入的文件夹。</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 大于 1 MB；不会读取，也不会重写</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>文件名不能包含 NUL 字符</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>文件未打开</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>未知错误</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>图片 %1：%2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另外还有 %1 个</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>%1 中的以下图片无法显示：

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>无法恢复原来的内容：%1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>文件名不能包含 NUL 字符</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>已放弃写入</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>未指定文件夹</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>文件夹名称不能包含 NUL 字符</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>文件夹名称不是有效的 UTF-8 文本</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>无法显示图片 %1。

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>图片 %1 的说明</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>将图片文件夹制作成网页。</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>显示命令行选项的帮助。</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>要打开的图片文件夹，代替上次使用的文件夹。</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>没有显示：请在桌面会话中启动（未设置 DISPLAY 或 WAYLAND_DISPLAY）</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 或 %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>无法打开显示 %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>只能打开一个 FOLDER。</translation>
    </message>
</context>
</TS>
