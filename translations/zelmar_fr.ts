<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Zelmar_FormMain</name>
    <message>
        <source>Zelmar</source>
        <translation>Zelmar</translation>
    </message>
    <message>
        <source>Unbekannte Dateiversion</source>
        <translation>Version de fichier inconnue</translation>
    </message>
    <message>
        <source>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</source>
        <translation>Version du fichier : %s - Zelmar, un outil pour les fichiers SD</translation>
    </message>
    <message>
        <source>The file versions of the necessary runtime libraries could not be verified</source>
        <translation>Les versions des bibliothèques d'exécution nécessaires n'ont pas pu être vérifiées</translation>
    </message>
    <message>
        <source>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>La version du fichier libveskChemRoutines.so n'a pas pu être vérifiée. Assurez-vous que le fichier existe et que vous avez le droit d'y accéder</translation>
    </message>
    <message>
        <source>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Votre version de libveskChemRoutines.so est obsolète. Zelmar nécessite la version %s ou une version ultérieure</translation>
    </message>
    <message>
        <source>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>La version du fichier libveskChemViewer.so n'a pas pu être vérifiée. Assurez-vous que le fichier existe et que vous avez le droit d'y accéder</translation>
    </message>
    <message>
        <source>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Votre version de libveskChemViewer.so est obsolète. Zelmar nécessite la version %s ou une version ultérieure</translation>
    </message>
    <message>
        <source>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>La version du fichier libveskChemSearch.so n'a pas pu être vérifiée. Assurez-vous que le fichier existe et que vous avez le droit d'y accéder</translation>
    </message>
    <message>
        <source>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Votre version de libveskChemSearch.so est obsolète. Zelmar nécessite la version %s ou une version ultérieure</translation>
    </message>
    <message>
        <source>Could not retrieve module base file name</source>
        <translation>Impossible de déterminer le nom de fichier du module</translation>
    </message>
    <message>
        <source>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</source>
        <translation>Zelmar a reçu une commande « ouvrir un fichier » non valide (requête vide)</translation>
    </message>
    <message>
        <source>Cannot perform open the command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</source>
        <translation>Impossible d'exécuter la commande d'ouverture demandée par un autre programme&lt;BR&gt;&lt;BR&gt;Message d'erreur : &lt;BR&gt;%s</translation>
    </message>
    <message>
        <source>Zelmar was unable to retrive the dropped files' full path names</source>
        <translation>Zelmar n'a pas pu déterminer les chemins complets des fichiers déposés</translation>
    </message>
    <message>
        <source>Invalid file selected. Please select a SD file</source>
        <translation>Fichier non valide sélectionné. Veuillez choisir un fichier SD</translation>
    </message>
</context>
<context>
    <name>ZelmarField</name>
    <message>
        <source>Molekül</source>
        <translation>Molécule</translation>
    </message>
    <message>
        <source>Summenformel</source>
        <translation>Formule brute</translation>
    </message>
    <message>
        <source>Molekulargewicht</source>
        <translation>Masse moléculaire</translation>
    </message>
</context>
</TS>
