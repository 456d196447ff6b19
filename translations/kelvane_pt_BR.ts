<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Unidades</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Pastas</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>Arquivos da pasta</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Lista de arquivos</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Lista da página</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>Mover para a lista da página</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Devolver à lista de arquivos</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Linhas de miniaturas</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniaturas</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Visualização</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Tipo de arquivo</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Descrição do item. Page Down e Page Up passam a descrever a próxima imagem e a anterior, Enter armazena o texto</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 imagem</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 imagens</translation>
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
        <translation>Limpar</translation>
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
        <translation>Atualizar</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Descrição da imagem (clique em uma)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Descrição do item</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Nome do arquivo e título. Ao gerar a página, .html é acrescentado ao nome do arquivo.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Descrição</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Descrição no topo da página</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>Gerar HTML de links</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>Gerar HTML de fotos</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Ver no navegador</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>Nenhum arquivo veio com a tarefa</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Tarefa desconhecida</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder decodifica imagens para o Kelvane, que o inicia; ele não é iniciado manualmente.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>Não é possível abrir a pasta %1.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>A pasta %1 contém um nome que não é texto UTF-8 válido. Ele foi omitido, para que nenhum outro arquivo seja aberto em seu lugar:</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>A pasta %1 contém %2 nomes que não são texto UTF-8 válido. Eles foram omitidos, para que nenhum outro arquivo seja aberto em seu lugar:</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>e mais %1</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>A pasta não respondeu em %n segundo.</numerusform>
            <numerusform>A pasta não respondeu em %n segundos.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>Não é possível exibir: %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>Não é possível exibir</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 é a última imagem</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 é a primeira imagem</translation>
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
        <translation>Não foi possível gravar o arquivo %1 em:
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>Não foi possível encontrar o navegador associado</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Navegador não encontrado</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>A página da web não foi aberta</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>Falha na URL</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Preencha um nome na caixa de texto. Ele será o nome do arquivo, acrescido de .html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>O nome da página não pode conter quebra de linha. Digite o nome em uma única linha.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>Não foi possível gravar a página:
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>A decodificação foi interrompida</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Grande demais para decodificar.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Varreduras demais</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>Não foi possível decodificar a imagem.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>A imagem é grande demais para carregar (%1 × %2 pixels)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Não é um arquivo comum</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>O arquivo é grande demais</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>O arquivo está vazio</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Metadados em excesso</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>Já não foi possível exibi-la antes</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>Não há uma pasta onde gravá-lo.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 tem mais de 1 MB; não é lido nem regravado</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Um nome de arquivo não pode conter o caractere NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>O arquivo não está aberto</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Erro desconhecido</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Imagem %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>e mais %1</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Não é possível exibir estas imagens em %1:

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>Não foi possível restaurar o conteúdo anterior: %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Um nome de arquivo não pode conter o caractere NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>A gravação foi abandonada</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>Nenhuma pasta foi informada</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Um nome de pasta não pode conter o caractere NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>O nome da pasta não é texto UTF-8 válido</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>Não é possível exibir a imagem %1.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Descrição da imagem %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Transforma uma pasta de imagens em uma página da web.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Exibe a ajuda sobre as opções de linha de comando.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Pasta de imagens a abrir no lugar da última usada.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>nenhum display: inicie-o dentro de uma sessão de desktop (DISPLAY ou WAYLAND_DISPLAY não está definida)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>não é possível abrir o display %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Só é possível abrir um FOLDER.</translation>
    </message>
</context>
</TS>
