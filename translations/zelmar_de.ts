<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Zelmar_FormMain</name>
    <message>
        <source>Zelmar</source>
        <translation>Zelmar</translation>
    </message>
    <message>
        <source>Unbekannte Dateiversion</source>
        <translation>Unbekannte Dateiversion</translation>
    </message>
    <message>
        <source>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</source>
        <translation>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</translation>
    </message>
    <message>
        <source>The file versions of the necessary runtime libraries could not be verified</source>
        <translation>Die Dateiversionen der benötigten Laufzeitbibliotheken konnten nicht geprüft werden</translation>
    </message>
    <message>
        <source>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>Die Dateiversion von libveskChemRoutines.so konnte nicht geprüft werden. Stellen Sie sicher, dass die Datei vorhanden ist und Sie die Berechtigung haben, darauf zuzugreifen</translation>
    </message>
    <message>
        <source>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Ihre Version von libveskChemRoutines.so ist veraltet. Zelmar benötigt Version %s oder neuer</translation>
    </message>
    <message>
        <source>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>Die Dateiversion von libveskChemViewer.so konnte nicht geprüft werden. Stellen Sie sicher, dass die Datei vorhanden ist und Sie die Berechtigung haben, darauf zuzugreifen</translation>
    </message>
    <message>
        <source>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Ihre Version von libveskChemViewer.so ist veraltet. Zelmar benötigt Version %s oder neuer</translation>
    </message>
    <message>
        <source>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>Die Dateiversion von libveskChemSearch.so konnte nicht geprüft werden. Stellen Sie sicher, dass die Datei vorhanden ist und Sie die Berechtigung haben, darauf zuzugreifen</translation>
    </message>
    <message>
        <source>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Ihre Version von libveskChemSearch.so ist veraltet. Zelmar benötigt Version %s oder neuer</translation>
    </message>
    <message>
        <source>Could not retrieve module base file name</source>
        <translation>Der Dateiname des Moduls konnte nicht ermittelt werden</translation>
    </message>
    <message>
        <source>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</source>
        <translation>Zelmar hat einen ungültigen Befehl „Datei öffnen“ erhalten (leere Anfrage)</translation>
    </message>
    <message>
        <source>Cannot perform open the command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</source>
        <translation>Der von einem anderen Programm angeforderte Befehl „Öffnen“ kann nicht ausgeführt werden&lt;BR&gt;&lt;BR&gt;Fehlermeldung: &lt;BR&gt;%s</translation>
    </message>
    <message>
        <source>Zelmar was unable to retrive the dropped files' full path names</source>
        <translation>Zelmar konnte die vollständigen Pfade der abgelegten Dateien nicht ermitteln</translation>
    </message>
    <message>
        <source>Invalid file selected. Please select a SD file</source>
        <translation>Ungültige Datei ausgewählt. Bitte wählen Sie eine SD-Datei</translation>
    </message>
</context>
<context>
    <name>ZelmarField</name>
    <message>
        <source>Molekül</source>
        <translation>Molekül</translation>
    </message>
    <message>
        <source>Summenformel</source>
        <translation>Summenformel</translation>
    </message>
    <message>
        <source>Molekulargewicht</source>
        <translation>Molekulargewicht</translation>
    </message>
</context>
</TS>
