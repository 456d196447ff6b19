<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>ドライブ</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>フォルダー内のファイル</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>ファイル一覧</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>ページ一覧</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>ページ一覧へ移動</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>ファイル一覧へ戻す</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>サムネイルの行</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>サムネイル</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>ファイルの種類</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>項目の説明。Page Down キーで次の画像、Page Up キーで前の画像の説明に移り、Enter キーでテキストを保存します</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>画像 1 枚</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>画像 %1 枚</translation>
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
        <translation>クリア</translation>
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
        <translation>更新</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>画像の説明（画像をクリック）</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>項目の説明</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>ファイル名とタイトル。作成時にファイル名の末尾に .html が付きます。</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>ページの説明</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>ページの先頭に表示する説明</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>リンクの HTML を作成</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>画像の HTML を作成</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>ブラウザーで表示</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>ジョブにファイルが指定されていません</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>不明なジョブです</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder は Kelvane のために画像をデコードします。Kelvane から起動されるため、手動で起動するものではありません。</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>フォルダー %1 を開けません。

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>フォルダー %1 に、有効な UTF-8 テキストではない名前があります。別のファイルが代わりに開かれないように、この名前は除外しました:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>フォルダー %1 に、有効な UTF-8 テキストではない名前が %2 個あります。別のファイルが代わりに開かれないように、これらの名前は除外しました:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>ほか %1 件</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>フォルダーが %n 秒以内に応答しませんでした。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>表示できません: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>表示できません</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 は最後の画像です</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 は最初の画像です</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1、%2</translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>The file %1 could not be written in:
%2

%3</source>
        <translation>ファイル %1 を次のフォルダーに書き込めませんでした:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>関連付けられたブラウザーが見つかりませんでした</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>ブラウザーが見つかりません</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>Web ページを開けませんでした</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>URL を開けませんでした</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>テキスト ボックスに名前を入力してください。この名前がファイル名になり、末尾に .html が付きます。</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>ページ名に改行を含めることはできません。名前は 1 行で入力してください。</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>ページを書き込めませんでした:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>デコードが中止されました</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>大きすぎるためデコードできません。</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>スキャンが多すぎます</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>画像をデコードできませんでした。</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>画像が大きすぎるため読み込めません (%1 × %2 ピクセル)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>ファイルが大きすぎます</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>ファイルが空です</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>メタデータが多すぎます</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>前回も表示できませんでした</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>書き込み先のフォルダーがありません。</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 は 1 MB を超えているため、読み込みも書き換えも行いません</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>ファイル名に NUL 文字を含めることはできません</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>ファイルが開かれていません</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>不明なエラー</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>画像 %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>ほか %1 件</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>%1 内の次の画像を表示できません:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>以前の内容に戻せませんでした: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>ファイル名に NUL 文字を含めることはできません</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>書き込みを中止しました</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>フォルダーが指定されていません</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>フォルダー名に NUL 文字を含めることはできません</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>フォルダー名が有効な UTF-8 テキストではありません</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>画像 %1 を表示できません。

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>画像 %1 の説明</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>画像のフォルダーから Web ページを作成します。</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンド ライン オプションのヘルプを表示します。</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>前回使ったフォルダーの代わりに開く画像のフォルダー。</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>ディスプレイがありません: デスクトップ セッション内で起動してください (DISPLAY も WAYLAND_DISPLAY も設定されていません)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 または %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>ディスプレイ %1 を開けません</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>開ける FOLDER は 1 つだけです。</translation>
    </message>
</context>
</TS>
