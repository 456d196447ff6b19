<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Access</name>
    <message>
        <source>Drives</source>
        <translation>Lecteurs</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Files of the folder</source>
        <translation>Fichiers du dossier</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Liste des fichiers</translation>
    </message>
    <message>
        <source>Page list</source>
        <translation>Liste de la page</translation>
    </message>
    <message>
        <source>Move to page list</source>
        <translation>Déplacer vers la liste de la page</translation>
    </message>
    <message>
        <source>Move back to file list</source>
        <translation>Renvoyer dans la liste des fichiers</translation>
    </message>
    <message>
        <source>Thumbnail rows</source>
        <translation>Rangées de miniatures</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniatures</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Type de fichier</translation>
    </message>
    <message>
        <source>Item Description. Page Down and Page Up describe the next and the previous picture, Enter stores the text</source>
        <translation>Description de l’image. Page suivante et Page précédente décrivent l’image suivante et la précédente, Entrée enregistre le texte</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 image</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 images</translation>
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
        <translation>Effacer</translation>
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
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Picture Description (click on a pic)</source>
        <translation>Description (cliquez sur une image)</translation>
    </message>
    <message>
        <source>Item Description</source>
        <translation>Description de l’image</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Filename and Title. Filename appended with .html when building it.</source>
        <translation>Nom de fichier et titre. À la création, .html est ajouté au nom de fichier.</translation>
    </message>
    <message>
        <source>Page Description</source>
        <translation>Texte de la page</translation>
    </message>
    <message>
        <source>Description at top of the page</source>
        <translation>Description en haut de la page</translation>
    </message>
    <message>
        <source>Build HTML of Links</source>
        <translation>Créer HTML (liens)</translation>
    </message>
    <message>
        <source>Build HTML of Images</source>
        <translation>Créer HTML (images)</translation>
    </message>
    <message>
        <source>View In Browser</source>
        <translation>Afficher la page</translation>
    </message>
</context>
<context>
    <name>DecoderWorker</name>
    <message>
        <source>No file came with the job</source>
        <translation>La tâche est arrivée sans fichier</translation>
    </message>
    <message>
        <source>Unknown job</source>
        <translation>Tâche inconnue</translation>
    </message>
    <message>
        <source>kelvane-decoder decodes pictures for Kelvane, which starts it; it is not started by hand.</source>
        <translation>kelvane-decoder décode les images pour Kelvane, qui le lance ; il ne se lance pas à la main.</translation>
    </message>
</context>
<context>
    <name>FolderBox</name>
    <message>
        <source>The folder %1 cannot be opened.

%2</source>
        <translation>Impossible d’ouvrir le dossier %1.

%2</translation>
    </message>
    <message>
        <source>The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other file is opened in its place:</source>
        <translation>Le dossier %1 contient un nom qui n’est pas un texte UTF-8 valide. Il a été ignoré, afin qu’aucun autre fichier ne soit ouvert à sa place :</translation>
    </message>
    <message>
        <source>The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no other file is opened in their place:</source>
        <translation>Le dossier %1 contient %2 noms qui ne sont pas un texte UTF-8 valide. Ils ont été ignorés, afin qu’aucun autre fichier ne soit ouvert à leur place :</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 autres</translation>
    </message>
    <message numerus="yes">
        <source>The folder did not answer within %n seconds.</source>
        <translation>
            <numerusform>Le dossier n’a pas répondu dans un délai de %n seconde.</numerusform>
            <numerusform>Le dossier n’a pas répondu dans un délai de %n secondes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImageBox</name>
    <message>
        <source>Cannot show: %1</source>
        <translation>Affichage impossible : %1</translation>
    </message>
    <message>
        <source>Cannot show</source>
        <translation>Affichage impossible</translation>
    </message>
</context>
<context>
    <name>KeyRoad</name>
    <message>
        <source>%1 is the last picture</source>
        <translation>%1 est la dernière image</translation>
    </message>
    <message>
        <source>%1 is the first picture</source>
        <translation>%1 est la première image</translation>
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
        <translation>Impossible d’écrire le fichier %1 dans :
%2

%3</translation>
    </message>
    <message>
        <source>Could not find associated Browser</source>
        <translation>Impossible de trouver le navigateur associé</translation>
    </message>
    <message>
        <source>Browser Not Found</source>
        <translation>Navigateur introuvable</translation>
    </message>
    <message>
        <source>Web Page not Opened</source>
        <translation>Page Web non ouverte</translation>
    </message>
    <message>
        <source>URL Failed</source>
        <translation>Échec de l’URL</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please fill in a Name in the text box.  This will become the name of the file and will be appended with .html</source>
        <translation>Veuillez saisir un nom dans la zone de texte. Il deviendra le nom du fichier, suivi de .html</translation>
    </message>
    <message>
        <source>The page name cannot contain a line break. Please type the name on one line.</source>
        <translation>Le nom de la page ne peut pas contenir de saut de ligne. Veuillez saisir le nom sur une seule ligne.</translation>
    </message>
    <message>
        <source>The page could not be written:
%1

%2</source>
        <translation>Impossible d’écrire la page :
%1

%2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>The decode was stopped</source>
        <translation>Le décodage a été interrompu</translation>
    </message>
    <message>
        <source>Too large to decode.</source>
        <translation>Trop grand pour être décodé.</translation>
    </message>
    <message>
        <source>Too many scans</source>
        <translation>Trop de passes</translation>
    </message>
    <message>
        <source>The picture could not be decoded.</source>
        <translation>Impossible de décoder l’image.</translation>
    </message>
    <message>
        <source>The picture is too large to load (%1 × %2 pixels)</source>
        <translation>L’image est trop grande pour être chargée (%1 × %2 pixels)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>The file is too large</source>
        <translation>Le fichier est trop volumineux</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Le fichier est vide</translation>
    </message>
    <message>
        <source>Too much metadata</source>
        <translation>Trop de métadonnées</translation>
    </message>
    <message>
        <source>It could not be shown before</source>
        <translation>Impossible à afficher lors d’un essai précédent</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>There is no folder to write it in.</source>
        <translation>Il n’y a aucun dossier où l’écrire.</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1 is larger than 1 MB; it is neither read nor rewritten</source>
        <translation>%1 dépasse 1 Mo ; il n’est ni lu ni réécrit</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Un nom de fichier ne peut pas contenir de caractère NUL</translation>
    </message>
    <message>
        <source>The file is not open</source>
        <translation>Le fichier n’est pas ouvert</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
</context>
<context>
    <name>ThumbnailBoard</name>
    <message>
        <source>Picture %1: %2</source>
        <translation>Image %1 : %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture that cannot be shown: its file name, then the reason.</extracomment>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 autres</translation>
    </message>
    <message>
        <source>These pictures in %1 cannot be shown:

%2</source>
        <translation>Ces images de %1 ne peuvent pas être affichées :

%2</translation>
    </message>
</context>
<context>
    <name>TitleRow</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>Toolkit</name>
    <message>
        <source>The earlier contents could not be put back: %1</source>
        <translation>Impossible de restaurer le contenu précédent : %1</translation>
    </message>
    <message>
        <source>A file name cannot contain a NUL character</source>
        <translation>Un nom de fichier ne peut pas contenir de caractère NUL</translation>
    </message>
    <message>
        <source>The write was given up</source>
        <translation>L’écriture a été abandonnée</translation>
    </message>
    <message>
        <source>No folder was given</source>
        <translation>Aucun dossier n’a été indiqué</translation>
    </message>
    <message>
        <source>A folder name cannot contain a NUL character</source>
        <translation>Un nom de dossier ne peut pas contenir de caractère NUL</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>The folder&apos;s name is not valid UTF-8 text</source>
        <translation>Le nom du dossier n’est pas un texte UTF-8 valide</translation>
    </message>
    <message>
        <source>The picture %1 cannot be shown.

%2</source>
        <translation>Impossible d’afficher l’image %1.

%2</translation>
    </message>
    <message>
        <source>Picture Description for Pic %1</source>
        <translation>Description de l’image %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Turn a folder of pictures into a web page.</source>
        <translation>Transforme un dossier d’images en page Web.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Affiche l’aide sur les options de la ligne de commande.</translation>
    </message>
    <message>
        <source>Folder of pictures to open in place of the last one used.</source>
        <translation>Dossier d’images à ouvrir à la place du dernier utilisé.</translation>
    </message>
    <message>
        <source>no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)</source>
        <translation>aucun affichage : lancez le programme dans une session de bureau (DISPLAY ou WAYLAND_DISPLAY n’est pas défini)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>cannot open display %1</source>
        <translation>impossible d’ouvrir l’affichage %1</translation>
    </message>
    <message>
        <source>Only one FOLDER can be opened.</source>
        <translation>Un seul FOLDER peut être ouvert.</translation>
    </message>
</context>
</TS>
