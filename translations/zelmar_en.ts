<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Zelmar_FormMain</name>
    <message>
        <source>Zelmar</source>
        <translation>Zelmar</translation>
    </message>
    <message>
        <source>Unbekannte Dateiversion</source>
        <translation>Unknown file version</translation>
    </message>
    <message>
        <source>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</source>
        <translation>File version: %s - Zelmar, a tool for SD files</translation>
    </message>
    <message>
        <source>The file versions of the necessary runtime libraries could not be verified</source>
        <translation>The file versions of the necessary runtime libraries could not be verified</translation>
    </message>
    <message>
        <source>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</translation>
    </message>
    <message>
        <source>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</translation>
    </message>
    <message>
        <source>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</translation>
    </message>
    <message>
        <source>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</translation>
    </message>
    <message>
        <source>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</translation>
    </message>
    <message>
        <source>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</translation>
    </message>
    <message>
        <source>Could not retrieve module base file name</source>
        <translation>Could not retrieve module base file name</translation>
    </message>
    <message>
        <source>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</source>
        <translation>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</translation>
    </message>
    <message>
        <source>Cannot perform open the command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</source>
        <translation>Cannot perform the open command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</translation>
    </message>
    <message>
        <source>Zelmar was unable to retrive the dropped files' full path names</source>
        <translation>Zelmar was unable to retrieve the dropped files' full path names</translation>
    </message>
    <message>
        <source>Invalid file selected. Please select a SD file</source>
        <translation>Invalid file selected. Please select a SD file</translation>
    </message>
</context>
<context>
    <name>ZelmarField</name>
    <message>
        <source>Molekül</source>
        <translation>Molecule</translation>
    </message>
    <message>
        <source>Summenformel</source>
        <translation>Formula</translation>
    </message>
    <message>
        <source>Molekulargewicht</source>
        <translation>Molecular weight</translation>
    </message>
</context>
</TS>
