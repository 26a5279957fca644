<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ZelmarDialogChooseFields</name>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Bitte wählen Sie aus der Liste ein entsprechendes Feld aus.&lt;BR&gt;Drücken Sie danach OK, um fortzufahren.</source>
        <translation>Bitte wählen Sie aus der Liste ein entsprechendes Feld aus.&lt;BR&gt;Drücken Sie danach OK, um fortzufahren.</translation>
    </message>
    <message>
        <source>Feld auswählen</source>
        <translation>Feld auswählen</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Felder</translation>
    </message>
    <message>
        <source>Felder auswählen</source>
        <translation>Felder auswählen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</source>
        <translation>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogEditChemistry</name>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Anordnen|Ordnet die Elemente auf der Zeichenfläche an</source>
        <translation>Anordnen|Ordnet die Elemente auf der Zeichenfläche an</translation>
    </message>
    <message>
        <source>Any Atom|Zeichnet ein &apos;Any Atom&apos;</source>
        <translation>Any Atom|Zeichnet ein &apos;Any Atom&apos;</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Benzen|Zeichnet einen Benzen-Kreis</source>
        <translation>Benzen|Zeichnet einen Benzen-Kreis</translation>
    </message>
    <message>
        <source>Bewegen|Bewegt die Zeichenfläche</source>
        <translation>Bewegen|Bewegt die Zeichenfläche</translation>
    </message>
    <message>
        <source>Bitte zeichnen Sie ein Molekül, keine Reaktion.</source>
        <translation>Bitte zeichnen Sie ein Molekül, keine Reaktion.</translation>
    </message>
    <message>
        <source>Br-Atom|Zeichnet ein Br-Atom</source>
        <translation>Br-Atom|Zeichnet ein Br-Atom</translation>
    </message>
    <message>
        <source>C-Atom|Zeichnet ein C-Atom</source>
        <translation>C-Atom|Zeichnet ein C-Atom</translation>
    </message>
    <message>
        <source>Chiral-Flag|Zeichnet ein Chiral-Flag</source>
        <translation>Chiral-Flag|Zeichnet ein Chiral-Flag</translation>
    </message>
    <message>
        <source>Cl-Atom|Zeichnet ein Cl-Atom</source>
        <translation>Cl-Atom|Zeichnet ein Cl-Atom</translation>
    </message>
    <message>
        <source>Copy chemistry to clipboard</source>
        <translation>Chemie in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Cut chemistry to clipboard</source>
        <translation>Chemie ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>Cyclo-Butan|Zeichnet einen Butan-Kreis</source>
        <translation>Cyclo-Butan|Zeichnet einen Butan-Kreis</translation>
    </message>
    <message>
        <source>Cyclo-Heptan|Zeichnet einen Heptan-Kreis</source>
        <translation>Cyclo-Heptan|Zeichnet einen Heptan-Kreis</translation>
    </message>
    <message>
        <source>Cyclo-Hexan|Zeichnet einen Hexan-Kreis</source>
        <translation>Cyclo-Hexan|Zeichnet einen Hexan-Kreis</translation>
    </message>
    <message>
        <source>Cyclo-Oktan|Zeichnet einen Oktan-Kreis</source>
        <translation>Cyclo-Oktan|Zeichnet einen Oktan-Kreis</translation>
    </message>
    <message>
        <source>Cyclo-Pentadien|Zeichnet einen Pentadien-Kreis</source>
        <translation>Cyclo-Pentadien|Zeichnet einen Pentadien-Kreis</translation>
    </message>
    <message>
        <source>Cyclo-Pentan|Zeichnet einen Pentan-Kreis</source>
        <translation>Cyclo-Pentan|Zeichnet einen Pentan-Kreis</translation>
    </message>
    <message>
        <source>Cyclo-Propan|Zeichnet einen Propan-Kreis</source>
        <translation>Cyclo-Propan|Zeichnet einen Propan-Kreis</translation>
    </message>
    <message>
        <source>Das Molekül konnte nicht aus dem Editor gelesen werden.</source>
        <translation>Das Molekül konnte nicht aus dem Editor gelesen werden.</translation>
    </message>
    <message>
        <source>Dieses Molekül kann der Editor nicht lesen. Es bleibt unverändert.</source>
        <translation>Dieses Molekül kann der Editor nicht lesen. Es bleibt unverändert.</translation>
    </message>
    <message>
        <source>Doppelbindung|Zeichnet eine Doppelbindung</source>
        <translation>Doppelbindung|Zeichnet eine Doppelbindung</translation>
    </message>
    <message>
        <source>Dreifachbindung|Zeichnet eine Dreifachbindung</source>
        <translation>Dreifachbindung|Zeichnet eine Dreifachbindung</translation>
    </message>
    <message>
        <source>Editor-Hilfe</source>
        <translation>Editor-Hilfe</translation>
    </message>
    <message>
        <source>Eine Reaktion kann nicht als Molekül bearbeitet werden.</source>
        <translation>Eine Reaktion kann nicht als Molekül bearbeitet werden.</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Einzelbindung|Zeichnet eine Einzelbindung</source>
        <translation>Einzelbindung|Zeichnet eine Einzelbindung</translation>
    </message>
    <message>
        <source>Export chemistry to file</source>
        <translation>Chemie in eine Datei exportieren</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>F-Atom|Zeichnet ein F-Atom</source>
        <translation>F-Atom|Zeichnet ein F-Atom</translation>
    </message>
    <message>
        <source>Fehler beim Speichern der Daten</source>
        <translation>Fehler beim Speichern der Daten</translation>
    </message>
    <message>
        <source>Hilfeseite konnte nicht gefunden werden.</source>
        <translation>Hilfeseite konnte nicht gefunden werden.</translation>
    </message>
    <message>
        <source>Import chemistry from file</source>
        <translation>Chemie aus einer Datei importieren</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Info|Zeigt Infos über das Programm an</source>
        <translation>Info|Zeigt Infos über das Programm an</translation>
    </message>
    <message>
        <source>Keil|Zeichnet einen Keil</source>
        <translation>Keil|Zeichnet einen Keil</translation>
    </message>
    <message>
        <source>Kein Chemieeditor vorhanden</source>
        <translation>Kein Chemieeditor vorhanden</translation>
    </message>
    <message>
        <source>Klammern|Zeichnet Klammern</source>
        <translation>Klammern|Zeichnet Klammern</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Lade Molekül von Datei</source>
        <translation>Lade Molekül von Datei</translation>
    </message>
    <message>
        <source>Löschen|Löscht einzelne Elemente</source>
        <translation>Löschen|Löscht einzelne Elemente</translation>
    </message>
    <message>
        <source>Mapping|Zeichnet Mapping-Nummern</source>
        <translation>Mapping|Zeichnet Mapping-Nummern</translation>
    </message>
    <message>
        <source>Mol files (*.mol)|*.mol</source>
        <translation>Mol-Dateien (*.mol)|*.mol</translation>
    </message>
    <message>
        <source>Molekül Bearbeiten</source>
        <translation>Molekül Bearbeiten</translation>
    </message>
    <message>
        <source>Molekül in Datei speichern</source>
        <translation>Molekül in Datei speichern</translation>
    </message>
    <message>
        <source>N-Atom|Zeichnet ein N-Atom</source>
        <translation>N-Atom|Zeichnet ein N-Atom</translation>
    </message>
    <message>
        <source>Negative Ladung|Fügt eine negative Ladung zu einem Atom hinzu</source>
        <translation>Negative Ladung|Fügt eine negative Ladung zu einem Atom hinzu</translation>
    </message>
    <message>
        <source>Neu|Öffnet ein neues Dokument</source>
        <translation>Neu|Öffnet ein neues Dokument</translation>
    </message>
    <message>
        <source>O-Atom|Zeichnet ein O-Atom</source>
        <translation>O-Atom|Zeichnet ein O-Atom</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>P-Atom|Zeichnet ein P-Atom</source>
        <translation>P-Atom|Zeichnet ein P-Atom</translation>
    </message>
    <message>
        <source>Paste chemistry from clipboard</source>
        <translation>Chemie aus der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Periodensystem|Öffnet das Periodensystem</source>
        <translation>Periodensystem|Öffnet das Periodensystem</translation>
    </message>
    <message>
        <source>Positive Ladung|Fügt eine positive Ladung zu einem Atom hinzu</source>
        <translation>Positive Ladung|Fügt eine positive Ladung zu einem Atom hinzu</translation>
    </message>
    <message>
        <source>Query Atom|Zeichnet ein Query Atom</source>
        <translation>Query Atom|Zeichnet ein Query Atom</translation>
    </message>
    <message>
        <source>Reaktions-Pfeil|Zeichnet einen Reaktions-Pfeil</source>
        <translation>Reaktions-Pfeil|Zeichnet einen Reaktions-Pfeil</translation>
    </message>
    <message>
        <source>Reaktions-Plus|Zeichnet ein Reaktions-Plus</source>
        <translation>Reaktions-Plus|Zeichnet ein Reaktions-Plus</translation>
    </message>
    <message>
        <source>Rückgängig|Macht die letzte Eingabe rückgängig</source>
        <translation>Rückgängig|Macht die letzte Eingabe rückgängig</translation>
    </message>
    <message>
        <source>S-Atom|Zeichnet ein S-Atom</source>
        <translation>S-Atom|Zeichnet ein S-Atom</translation>
    </message>
    <message>
        <source>Selektieren|Wechselt in den Selektiermodus</source>
        <translation>Selektieren|Wechselt in den Selektiermodus</translation>
    </message>
    <message>
        <source>Spez. Bindung|Zeichnet spezielle Bindungen</source>
        <translation>Spez. Bindung|Zeichnet spezielle Bindungen</translation>
    </message>
    <message>
        <source>Unbekannte Dateierweiterung</source>
        <translation>Unbekannte Dateierweiterung</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten in Datei</source>
        <translation>Ungültige Chemiedaten in Datei</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten im Clipboard</source>
        <translation>Ungültige Chemiedaten im Clipboard</translation>
    </message>
    <message>
        <source>Zentrieren|Zentriert die Zeichenfläche auf die einzelnen Elemente</source>
        <translation>Zentrieren|Zentriert die Zeichenfläche auf die einzelnen Elemente</translation>
    </message>
    <message>
        <source>gestr. Keil|Zeichnet einen gestrichelten Keil</source>
        <translation>gestr. Keil|Zeichnet einen gestrichelten Keil</translation>
    </message>
    <message>
        <source>gezackte Bindung|Zeichnet eine gezackte Bindung</source>
        <translation>gezackte Bindung|Zeichnet eine gezackte Bindung</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogEditMolPropertys</name>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Anzeige an Heteroatomen</source>
        <translation>Anzeige an Heteroatomen</translation>
    </message>
    <message>
        <source>Anzeige an Hetero- und Terminalatomen</source>
        <translation>Anzeige an Hetero- und Terminalatomen</translation>
    </message>
    <message>
        <source>Anzeige an Terminalatomen</source>
        <translation>Anzeige an Terminalatomen</translation>
    </message>
    <message>
        <source>Anzeige an allen Atomen</source>
        <translation>Anzeige an allen Atomen</translation>
    </message>
    <message>
        <source>Anzeige von Wasserstoffatomen:</source>
        <translation>Anzeige von Wasserstoffatomen:</translation>
    </message>
    <message>
        <source>Anzeigeeinstellung von Molekülen verändern</source>
        <translation>Anzeigeeinstellung von Molekülen verändern</translation>
    </message>
    <message>
        <source>Ausblenden</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Hier können Sie die Anzeige von Wasserstoffatomen der Moleküle verändern. Diese Einstellungen gelten global.</source>
        <translation>Hier können Sie die Anzeige von Wasserstoffatomen der Moleküle verändern. Diese Einstellungen gelten global.</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen</source>
        <translation>Strukturanzeige einstellen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Spalten des aktuellen Datenblatts:</source>
        <translation>Spalten des aktuellen Datenblatts:</translation>
    </message>
    <message>
        <source>SMILES</source>
        <translation>SMILES</translation>
    </message>
    <message>
        <source>InChI</source>
        <translation>InChI</translation>
    </message>
    <message>
        <source>InChIKey</source>
        <translation>InChIKey</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogMixSheets</name>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Alle Datensätze zusammenfassen</source>
        <translation>Alle Datensätze zusammenfassen</translation>
    </message>
    <message>
        <source>Ausgabeeinstellungen</source>
        <translation>Ausgabeeinstellungen</translation>
    </message>
    <message>
        <source>Datenblätter zusammenführen</source>
        <translation>Datenblätter zusammenführen</translation>
    </message>
    <message>
        <source>Gleiche Moleküle zusammenfassen</source>
        <translation>Gleiche Moleküle zusammenfassen</translation>
    </message>
    <message>
        <source>Linke Moleküle aus den Rechten entfernen</source>
        <translation>Linke Moleküle aus den Rechten entfernen</translation>
    </message>
    <message>
        <source>Mischen von Datenblättern</source>
        <translation>Mischen von Datenblättern</translation>
    </message>
    <message>
        <source>Mischoperation</source>
        <translation>Mischoperation</translation>
    </message>
    <message>
        <source>Mischoperationen lassen sich zwischen 2 verschiedenen Datenblättern realisieren. Diese müssen Sie aus den Listen der verfügbaren Blätter auswählen. &lt;BR&gt;Die Mischoperationen beziehen sich auf Molekülebene. Dies bedeutet, dass Vergleiche über eine exakte Chemiesuche gemacht werden. Werden Schnittmengen erstellt oder Mengen addiert, dann werden die Daten aus beiden Referenzen zur Ergebnismenge hinzugefügt. Diese Duplikate werden nicht automatisch ausgefiltert oder zusammengeführt, da die Detaildaten unterschiedlich aufbereitet sein können.&lt;BR&gt;Bei den Ausgabeeinstellungen können Sie den Namen des neuen Datenblattes angeben, oder den Vorschlag von Zelmar verwenden, der automatisch generiert wird. Mischoperationen können aufgrund eventueller Komplexität der Daten zeitaufwendig sein. Daher erscheint während einer Mischoperation unten links eine Status-Anzeige. Dort haben Sie die Gelegenheit, das Mischen abzubrechen, um neue Kriterien festzulegen, oder den Dialog zu verlassen.</source>
        <translation>Mischoperationen lassen sich zwischen 2 verschiedenen Datenblättern realisieren. Diese müssen Sie aus den Listen der verfügbaren Blätter auswählen. &lt;BR&gt;Die Mischoperationen beziehen sich auf Molekülebene. Dies bedeutet, dass Vergleiche über eine exakte Chemiesuche gemacht werden. Werden Schnittmengen erstellt oder Mengen addiert, dann werden die Daten aus beiden Referenzen zur Ergebnismenge hinzugefügt. Diese Duplikate werden nicht automatisch ausgefiltert oder zusammengeführt, da die Detaildaten unterschiedlich aufbereitet sein können.&lt;BR&gt;Bei den Ausgabeeinstellungen können Sie den Namen des neuen Datenblattes angeben, oder den Vorschlag von Zelmar verwenden, der automatisch generiert wird. Mischoperationen können aufgrund eventueller Komplexität der Daten zeitaufwendig sein. Daher erscheint während einer Mischoperation unten links eine Status-Anzeige. Dort haben Sie die Gelegenheit, das Mischen abzubrechen, um neue Kriterien festzulegen, oder den Dialog zu verlassen.</translation>
    </message>
    <message>
        <source>Mixing Sheets</source>
        <translation>Datenblätter werden gemischt</translation>
    </message>
    <message>
        <source>Name des neuen Ausgabefensters:</source>
        <translation>Name des neuen Ausgabefensters:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rechte Moleküle aus den Linken entfernen</source>
        <translation>Rechte Moleküle aus den Linken entfernen</translation>
    </message>
    <message>
        <source>Verfügbare Datenblätter</source>
        <translation>Verfügbare Datenblätter</translation>
    </message>
    <message>
        <source>Verifying left data integrity</source>
        <translation>Linkes Datenblatt wird vollständig gelesen</translation>
    </message>
    <message>
        <source>Verifying right data integrity</source>
        <translation>Rechtes Datenblatt wird vollständig gelesen</translation>
    </message>
    <message>
        <source>Vergleich der Moleküle</source>
        <translation>Vergleich der Moleküle</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_EditFields</name>
    <message>
        <source>&lt;Neues Feld&gt;</source>
        <translation>&lt;Neues Feld&gt;</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add new field</source>
        <translation>Neues Feld hinzufügen</translation>
    </message>
    <message>
        <source>Angezeigter Name:</source>
        <translation>Angezeigter Name:</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen Namen für das Feld an.</source>
        <translation>Bitte geben Sie einen Namen für das Feld an.</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen anderen Namen für die neu definierten Felder an.</source>
        <translation>Bitte geben Sie einen anderen Namen für die neu definierten Felder an.</translation>
    </message>
    <message>
        <source>Bitte wählen Sie ein Feld aus der Liste aus, um die Detaildaten zu verändern.&lt;BR&gt;Mit dem &apos;+&apos; Button können Sie neue Felder hinzufügen und mit dem &apos;-&apos; Button können Sie das aktuell ausgewählte Feld löschen, sofern dies erlaubt ist.&lt;BR&gt;Aktivieren Sie das Häkchen in der Liste, um das entsprechende Feld einzublenden bzw. auszublenden.&lt;BR&gt;Drücken Sie auf OK, um Ihre Änderungen zu übernehmen, andernfalls auf Abbrechen.</source>
        <translation>Bitte wählen Sie ein Feld aus der Liste aus, um die Detaildaten zu verändern.&lt;BR&gt;Mit dem &apos;+&apos; Button können Sie neue Felder hinzufügen und mit dem &apos;-&apos; Button können Sie das aktuell ausgewählte Feld löschen, sofern dies erlaubt ist.&lt;BR&gt;Aktivieren Sie das Häkchen in der Liste, um das entsprechende Feld einzublenden bzw. auszublenden.&lt;BR&gt;Drücken Sie auf OK, um Ihre Änderungen zu übernehmen, andernfalls auf Abbrechen.</translation>
    </message>
    <message>
        <source>Delete selected field</source>
        <translation>Ausgewähltes Feld löschen</translation>
    </message>
    <message>
        <source>Der Feldname &apos;%s&apos; wird bereits verwendet. Bitte geben Sie einen anderen Namen an.</source>
        <translation>Der Feldname &apos;%s&apos; wird bereits verwendet. Bitte geben Sie einen anderen Namen an.</translation>
    </message>
    <message>
        <source>Ein Feldname darf das Zeichen &apos;&gt;&apos; nicht enthalten.</source>
        <translation>Ein Feldname darf das Zeichen &apos;&gt;&apos; nicht enthalten.</translation>
    </message>
    <message>
        <source>Es gibt bereits neue, noch nicht definierte Felder. Bitte verwenden Sie diese, bevor Sie weitere Felder anlegen.</source>
        <translation>Es gibt bereits neue, noch nicht definierte Felder. Bitte verwenden Sie diese, bevor Sie weitere Felder anlegen.</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Felder</translation>
    </message>
    <message>
        <source>Felder bearbeiten</source>
        <translation>Felder bearbeiten</translation>
    </message>
    <message>
        <source>Feldname:</source>
        <translation>Feldname:</translation>
    </message>
    <message>
        <source>Move selected field down</source>
        <translation>Ausgewähltes Feld nach unten verschieben</translation>
    </message>
    <message>
        <source>Move selected field up</source>
        <translation>Ausgewähltes Feld nach oben verschieben</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Zeige Aktivierungsspalte</source>
        <translation>Zeige Aktivierungsspalte</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Zahlen</source>
        <translation>Zahlen</translation>
    </message>
    <message>
        <source>Werte:</source>
        <translation>Werte:</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_SearchAlphanumeric</name>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Alphanumerische Suche</source>
        <translation>Alphanumerische Suche</translation>
    </message>
    <message>
        <source>Beginnt mit</source>
        <translation>Beginnt mit</translation>
    </message>
    <message>
        <source>Bereichssuche</source>
        <translation>Bereichssuche</translation>
    </message>
    <message>
        <source>Bitte wählen Sie aus der Liste ein Feld aus, in dem Sie suchen möchten. Diese Liste enthält die z.Zt. suchbaren Felder.&lt;BR&gt;Die entsprechenden Suchmöglichkeiten werden daraufhin eingeblendet. Definieren Sie anschließend Ihre Suchkriterien und drücken Sie auf &apos;Suchen&apos;, um mit der Suche zu beginnen. Drücken Sie auf &apos;Abbrechen&apos;, um nicht zu suchen.</source>
        <translation>Bitte wählen Sie aus der Liste ein Feld aus, in dem Sie suchen möchten. Diese Liste enthält die z.Zt. suchbaren Felder.&lt;BR&gt;Die entsprechenden Suchmöglichkeiten werden daraufhin eingeblendet. Definieren Sie anschließend Ihre Suchkriterien und drücken Sie auf &apos;Suchen&apos;, um mit der Suche zu beginnen. Drücken Sie auf &apos;Abbrechen&apos;, um nicht zu suchen.</translation>
    </message>
    <message>
        <source>Exakte Suche</source>
        <translation>Exakte Suche</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Felder</translation>
    </message>
    <message>
        <source>Fließkommasuche:</source>
        <translation>Fließkommasuche:</translation>
    </message>
    <message>
        <source>Groß-/Kleinschreibung berücksichtigen</source>
        <translation>Groß-/Kleinschreibung berücksichtigen</translation>
    </message>
    <message>
        <source>Größer als</source>
        <translation>Größer als</translation>
    </message>
    <message>
        <source>Kleiner als</source>
        <translation>Kleiner als</translation>
    </message>
    <message>
        <source>Substringsuche</source>
        <translation>Substringsuche</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten</source>
        <translation>Suche nach alphanumerischen Daten</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Textsuche:</source>
        <translation>Textsuche:</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_SearchMolecules</name>
    <message>
        <source>Bitte definieren Sie die chemischen Daten, nach denen Sie suchen möchten.</source>
        <translation>Bitte definieren Sie die chemischen Daten, nach denen Sie suchen möchten.</translation>
    </message>
    <message>
        <source>Fehler beim Speichern der Daten</source>
        <translation>Fehler beim Speichern der Daten</translation>
    </message>
    <message>
        <source>Hilfeseite konnte nicht gefunden werden.</source>
        <translation>Hilfeseite konnte nicht gefunden werden.</translation>
    </message>
    <message>
        <source>Kein Chemieeditor vorhanden</source>
        <translation>Kein Chemieeditor vorhanden</translation>
    </message>
    <message>
        <source>Substruktursuche</source>
        <translation>Substruktursuche</translation>
    </message>
    <message>
        <source>Suchmodus</source>
        <translation>Suchmodus</translation>
    </message>
    <message>
        <source>Suche nach Molekülen</source>
        <translation>Suche nach Molekülen</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</source>
        <translation>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</translation>
    </message>
    <message>
        <source>Unbekannte Dateierweiterung</source>
        <translation>Unbekannte Dateierweiterung</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten im Clipboard</source>
        <translation>Ungültige Chemiedaten im Clipboard</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten in Datei</source>
        <translation>Ungültige Chemiedaten in Datei</translation>
    </message>
    <message>
        <source>exakte Suche</source>
        <translation>exakte Suche</translation>
    </message>
</context>
<context>
    <name>ZelmarField</name>
    <message>
        <source>Molekulargewicht</source>
        <translation>Molekulargewicht</translation>
    </message>
    <message>
        <source>Molekül</source>
        <translation>Molekül</translation>
    </message>
    <message>
        <source>Summenformel</source>
        <translation>Summenformel</translation>
    </message>
    <message>
        <source>SMILES</source>
        <translation>SMILES</translation>
    </message>
    <message>
        <source>InChI</source>
        <translation>InChI</translation>
    </message>
    <message>
        <source>InChIKey</source>
        <translation>InChIKey</translation>
    </message>
</context>
<context>
    <name>ZelmarWindow</name>
    <message>
        <source>%d Einträge</source>
        <translation>%d Einträge</translation>
    </message>
    <message>
        <source>%d von %d Einträgen geladen</source>
        <translation>%d von %d Einträgen geladen</translation>
    </message>
    <message>
        <source>1 Eintrag</source>
        <translation>1 Eintrag</translation>
    </message>
    <message>
        <source>Alle Datensätze deselektieren</source>
        <translation>Alle Datensätze deselektieren</translation>
    </message>
    <message>
        <source>Alle Datensätze selektieren</source>
        <translation>Alle Datensätze selektieren</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</source>
        <translation>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</translation>
    </message>
    <message>
        <source>Bitte warten.</source>
        <translation>Bitte warten.</translation>
    </message>
    <message>
        <source>Das Datenblatt &quot;%s&quot; konnte nicht gespeichert werden. Möchten Sie es trotzdem schließen?</source>
        <translation>Das Datenblatt &quot;%s&quot; konnte nicht gespeichert werden. Möchten Sie es trotzdem schließen?</translation>
    </message>
    <message>
        <source>Das Datenblatt &apos;%s&apos; wurde verändert.&lt;BR&gt;Wollen Sie es speichern, bevor es geschlossen wird?</source>
        <translation>Das Datenblatt &apos;%s&apos; wurde verändert.&lt;BR&gt;Wollen Sie es speichern, bevor es geschlossen wird?</translation>
    </message>
    <message>
        <source>Das aktuelle Datenblatt wurde noch nicht verändert</source>
        <translation>Das aktuelle Datenblatt wurde noch nicht verändert</translation>
    </message>
    <message>
        <source>Das aktuelle Datenblatt wurde verändert</source>
        <translation>Das aktuelle Datenblatt wurde verändert</translation>
    </message>
    <message>
        <source>Das Laden der Daten war fehlerhaft. Klicken Sie hier, um die Fehler anzuzeigen.</source>
        <translation>Das Laden der Daten war fehlerhaft. Klicken Sie hier, um die Fehler anzuzeigen.</translation>
    </message>
    <message>
        <source>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Deselektierte Datensätze löschen</source>
        <translation>Deselektierte Datensätze löschen</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; hat noch fehlerhafte Einträge. Diese werden nicht mitgespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>Die Datei &quot;%s&quot; hat noch fehlerhafte Einträge. Diese werden nicht mitgespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</translation>
    </message>
    <message>
        <source>Die Datensatznummer &quot;%d&quot; liegt außerhalb des Datenbereichs.&lt;BR&gt;Bitte geben Sie eine gültige Datensatznummer ein.</source>
        <translation>Die Datensatznummer &quot;%d&quot; liegt außerhalb des Datenbereichs.&lt;BR&gt;Bitte geben Sie eine gültige Datensatznummer ein.</translation>
    </message>
    <message>
        <source>Die Änderungen an den Feldern konnten nicht vorgenommen werden.</source>
        <translation>Die Änderungen an den Feldern konnten nicht vorgenommen werden.</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Einfügen|Den Inhalt der Zwischenablage einfügen</source>
        <translation>Einfügen|Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</source>
        <translation>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</translation>
    </message>
    <message>
        <source>Es geschah ein Fehler beim Umbenennen einer Datei.&lt;BR&gt;Fehlermeldung: %s</source>
        <translation>Es geschah ein Fehler beim Umbenennen einer Datei.&lt;BR&gt;Fehlermeldung: %s</translation>
    </message>
    <message>
        <source>Es konnte kein Record aus der Datei: &quot;%s&quot; geladen werden.&lt;BR&gt;Möglicherweise ist die Datei beschädigt. &lt;BR&gt;Das aktuelle Fenster wird geschlossen.</source>
        <translation>Es konnte kein Record aus der Datei: &quot;%s&quot; geladen werden.&lt;BR&gt;Möglicherweise ist die Datei beschädigt. &lt;BR&gt;Das aktuelle Fenster wird geschlossen.</translation>
    </message>
    <message>
        <source>Es konnte keine Sicherungskopie der Originaldatei erstellt werden. &lt;BR&gt;Wollen Sie das Speichern trotzdem fortsetzen?</source>
        <translation>Es konnte keine Sicherungskopie der Originaldatei erstellt werden. &lt;BR&gt;Wollen Sie das Speichern trotzdem fortsetzen?</translation>
    </message>
    <message>
        <source>Es sind derzeitig keine Daten verfügbar, die angezeigt werden könnten. </source>
        <translation>Es sind derzeitig keine Daten verfügbar, die angezeigt werden könnten. </translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Exportiert das Molekül als MOL-Datei</source>
        <translation>Exportiert das Molekül als MOL-Datei</translation>
    </message>
    <message>
        <source>Fehlerhafte Datensätze löschen</source>
        <translation>Fehlerhafte Datensätze löschen</translation>
    </message>
    <message>
        <source>Fehlermeldung</source>
        <translation>Fehlermeldung</translation>
    </message>
    <message>
        <source>Feld leeren</source>
        <translation>Feld leeren</translation>
    </message>
    <message>
        <source>Feld leeren|Löscht den Inhalt der aktuellen Zelle</source>
        <translation>Feld leeren|Löscht den Inhalt der aktuellen Zelle</translation>
    </message>
    <message>
        <source>Gehe zu...</source>
        <translation>Gehe zu...</translation>
    </message>
    <message>
        <source>Häkchen</source>
        <translation>Häkchen</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Indiziere SD-Datei: %s</source>
        <translation>Indiziere SD-Datei: %s</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</source>
        <translation>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Lade SD-Datei: %s</source>
        <translation>Lade SD-Datei: %s</translation>
    </message>
    <message>
        <source>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</source>
        <translation>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</source>
        <translation>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>MOL-Datei exportieren</source>
        <translation>MOL-Datei exportieren</translation>
    </message>
    <message>
        <source>MOL-Datei importieren</source>
        <translation>MOL-Datei importieren</translation>
    </message>
    <message>
        <source>MOL-Dateien (*.mol)|*.mol|Alle Dateien (*.*)|*.*</source>
        <translation>MOL-Dateien (*.mol)|*.mol|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Molekül aus MOL-Datei importieren</source>
        <translation>Molekül aus MOL-Datei importieren</translation>
    </message>
    <message>
        <source>Neuer Datensatz</source>
        <translation>Neuer Datensatz</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>SD-Dateien (*.sdf)</translation>
    </message>
    <message>
        <source>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Sortiere Daten. Drücken Sie ESC, um abzubrechen</source>
        <translation>Sortiere Daten. Drücken Sie ESC, um abzubrechen</translation>
    </message>
    <message>
        <source>Speichere Datei: &quot;%s&quot;</source>
        <translation>Speichere Datei: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</source>
        <translation>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Suche läuft. Drücken Sie ESC, um die Suche abzubrechen.</source>
        <translation>Suche läuft. Drücken Sie ESC, um die Suche abzubrechen.</translation>
    </message>
    <message>
        <source>Ungültiger Dateiname: %s&lt;BR&gt;Aktuelles Fenster wird geschlossen.</source>
        <translation>Ungültiger Dateiname: %s&lt;BR&gt;Aktuelles Fenster wird geschlossen.</translation>
    </message>
    <message>
        <source>Während dem Speichern der Datei &quot;%s&quot; ist ein Fehler aufgetreten.&lt;BR&gt;Beim Speichern des Datensatzes %d ist der Fehler &quot;%s&quot; aufgetreten.&lt;BR&gt;Möchten Sie mit dem Speichern fortfahren?</source>
        <translation>Während dem Speichern der Datei &quot;%s&quot; ist ein Fehler aufgetreten.&lt;BR&gt;Beim Speichern des Datensatzes %d ist der Fehler &quot;%s&quot; aufgetreten.&lt;BR&gt;Möchten Sie mit dem Speichern fortfahren?</translation>
    </message>
    <message>
        <source>Während dem Speichern der Datei: &quot;%s&quot; ist der Fehler : %s aufgetreten. &lt;BR&gt;Das Speichern kann nicht fortgesetzt werden.</source>
        <translation>Während dem Speichern der Datei: &quot;%s&quot; ist der Fehler : %s aufgetreten. &lt;BR&gt;Das Speichern kann nicht fortgesetzt werden.</translation>
    </message>
    <message>
        <source>SD-Datei speichern unter</source>
        <translation>SD-Datei speichern unter</translation>
    </message>
    <message>
        <source>1 Datensatz ist nicht markiert und wird nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>1 Datensatz ist nicht markiert und wird nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</translation>
    </message>
    <message>
        <source>%d Datensätze sind nicht markiert und werden nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>%d Datensätze sind nicht markiert und werden nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</translation>
    </message>
    <message>
        <source>Werte als Zahlen</source>
        <translation>Werte als Zahlen</translation>
    </message>
    <message>
        <source>Werte als Zahlen|Sortiert, sucht und vergleicht die Werte dieser Spalte als Zahlen</source>
        <translation>Werte als Zahlen|Sortiert, sucht und vergleicht die Werte dieser Spalte als Zahlen</translation>
    </message>
    <message>
        <source>Natürliche Reihenfolge</source>
        <translation>Natürliche Reihenfolge</translation>
    </message>
    <message>
        <source>Natürliche Reihenfolge|Sortiert Ziffernfolgen nach ihrem Wert (CHEMBL9 vor CHEMBL10)</source>
        <translation>Natürliche Reihenfolge|Sortiert Ziffernfolgen nach ihrem Wert (CHEMBL9 vor CHEMBL10)</translation>
    </message>
    <message>
        <source>Spaltenstatistik...</source>
        <translation>Spaltenstatistik...</translation>
    </message>
    <message>
        <source>Spaltenstatistik|Zeigt Anzahl, Minimum, Maximum, Mittelwert, Median und Verteilung der Werte dieser Spalte</source>
        <translation>Spaltenstatistik|Zeigt Anzahl, Minimum, Maximum, Mittelwert, Median und Verteilung der Werte dieser Spalte</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl setzen</source>
        <translation>Häkchen für Auswahl setzen</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl setzen|Setzt das Häkchen der ausgewählten Zeilen</source>
        <translation>Häkchen für Auswahl setzen|Setzt das Häkchen der ausgewählten Zeilen</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl entfernen</source>
        <translation>Häkchen für Auswahl entfernen</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl entfernen|Entfernt das Häkchen der ausgewählten Zeilen</source>
        <translation>Häkchen für Auswahl entfernen|Entfernt das Häkchen der ausgewählten Zeilen</translation>
    </message>
    <message>
        <source>%d eingefügte Datensätze konnten nicht gelesen werden.</source>
        <translation>%d eingefügte Datensätze konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Zelle %s</source>
        <translation>Zelle %s</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Text oder Zahl, z. B. &gt;300 oder 100..200</source>
        <translation>Text oder Zahl, z. B. &gt;300 oder 100..200</translation>
    </message>
    <message>
        <source>Struktur...</source>
        <translation>Struktur...</translation>
    </message>
    <message>
        <source>Zeigt nur die Datensätze, die eine gezeichnete Teilstruktur enthalten</source>
        <translation>Zeigt nur die Datensätze, die eine gezeichnete Teilstruktur enthalten</translation>
    </message>
    <message>
        <source>Filter aufheben (Esc)</source>
        <translation>Filter aufheben (Esc)</translation>
    </message>
    <message>
        <source>Das Feld, in dem gesucht wird</source>
        <translation>Das Feld, in dem gesucht wird</translation>
    </message>
    <message>
        <source>Alle Felder</source>
        <translation>Alle Felder</translation>
    </message>
    <message>
        <source>Bitte eine Zahl oder einen Vergleich eingeben, z. B. 300, &gt;300, &lt;=5 oder 100..200</source>
        <translation>Bitte eine Zahl oder einen Vergleich eingeben, z. B. 300, &gt;300, &lt;=5 oder 100..200</translation>
    </message>
    <message>
        <source>%d von %d Einträgen</source>
        <translation>%d von %d Einträgen</translation>
    </message>
    <message>
        <source>Gespeichert: alle %d Einträge, auch die vom Filter ausgeblendeten</source>
        <translation>Gespeichert: alle %d Einträge, auch die vom Filter ausgeblendeten</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Felder</translation>
    </message>
    <message>
        <source>Kopiere Daten. Drücken Sie ESC, um das Kopieren abzubrechen.</source>
        <translation>Kopiere Daten. Drücken Sie ESC, um das Kopieren abzubrechen.</translation>
    </message>
    <message>
        <source>Kennungen einblenden</source>
        <translation>Kennungen einblenden</translation>
    </message>
    <message>
        <source>SMILES</source>
        <translation>SMILES</translation>
    </message>
    <message>
        <source>InChI</source>
        <translation>InChI</translation>
    </message>
    <message>
        <source>InChIKey</source>
        <translation>InChIKey</translation>
    </message>
    <message>
        <source>SMILES|Zeigt die kanonischen SMILES der Moleküle in einer eigenen Spalte</source>
        <translation>SMILES|Zeigt die kanonischen SMILES der Moleküle in einer eigenen Spalte</translation>
    </message>
    <message>
        <source>InChI|Zeigt die Standard-InChI der Moleküle in einer eigenen Spalte</source>
        <translation>InChI|Zeigt die Standard-InChI der Moleküle in einer eigenen Spalte</translation>
    </message>
    <message>
        <source>InChIKey|Zeigt die Standard-InChIKeys der Moleküle in einer eigenen Spalte</source>
        <translation>InChIKey|Zeigt die Standard-InChIKeys der Moleküle in einer eigenen Spalte</translation>
    </message>
    <message>
        <source>Als Datenfeld übernehmen</source>
        <translation>Als Datenfeld übernehmen</translation>
    </message>
    <message>
        <source>Als Datenfeld übernehmen|Macht aus dieser Spalte ein Datenfeld mit den Werten aller Datensätze, das gespeichert wird</source>
        <translation>Als Datenfeld übernehmen|Macht aus dieser Spalte ein Datenfeld mit den Werten aller Datensätze, das gespeichert wird</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogAbout</name>
    <message>
        <source>Den Moleküleditor stellt Ketcher bereit (Apache-Lizenz 2.0, der Lizenztext liegt im Ordner Drawlet).</source>
        <translation>Den Moleküleditor stellt Ketcher bereit (Apache-Lizenz 2.0, der Lizenztext liegt im Ordner Drawlet).</translation>
    </message>
    <message>
        <source>Die Chemie rechnet RDKit (BSD-Lizenz), die Oberfläche zeichnet Qt (LGPL). Die Bilder der Befehle sind für Zelmar gezeichnet.</source>
        <translation>Die Chemie rechnet RDKit (BSD-Lizenz), die Oberfläche zeichnet Qt (LGPL). Die Bilder der Befehle sind für Zelmar gezeichnet.</translation>
    </message>
    <message>
        <source>Info über Zelmar</source>
        <translation>Info über Zelmar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Zelmar</source>
        <translation>Zelmar</translation>
    </message>
    <message>
        <source>Zelmar, ein Werkzeug für SD-Dateien: Datensätze ansehen, bearbeiten, sortieren, durchsuchen, vergleichen und verlustfrei speichern.</source>
        <translation>Zelmar, ein Werkzeug für SD-Dateien: Datensätze ansehen, bearbeiten, sortieren, durchsuchen, vergleichen und verlustfrei speichern.</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogGotoRecord</name>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Anzahl der Datensätze:</source>
        <translation>Anzahl der Datensätze:</translation>
    </message>
    <message>
        <source>Datensatznummer:</source>
        <translation>Datensatznummer:</translation>
    </message>
    <message>
        <source>Der eingegebene Wert &apos;%s&apos; ist keine gültige Zahl. Bitte geben Sie eine ganzzahlige Position an</source>
        <translation>Der eingegebene Wert &apos;%s&apos; ist keine gültige Zahl. Bitte geben Sie eine ganzzahlige Position an</translation>
    </message>
    <message>
        <source>Gehe zu Datensatz</source>
        <translation>Gehe zu Datensatz</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Bitte geben Sie eine Zahl zwischen 1 und %d an.</source>
        <translation>Bitte geben Sie eine Zahl zwischen 1 und %d an.</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogLoadErros</name>
    <message>
        <source>Error Text</source>
        <translation>Fehlertext</translation>
    </message>
    <message>
        <source>Hier sind die Details zu den Ladefehlern einzusehen.</source>
        <translation>Hier sind die Details zu den Ladefehlern einzusehen.</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Ladefehler</source>
        <translation>Ladefehler</translation>
    </message>
    <message>
        <source>Ladefehler anzeigen</source>
        <translation>Ladefehler anzeigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Zelmar_FormMain</name>
    <message>
        <source>%1 ohne die Moleküle von %2</source>
        <translation>%1 ohne die Moleküle von %2</translation>
    </message>
    <message>
        <source>%2 ohne die Moleküle von %1</source>
        <translation>%2 ohne die Moleküle von %1</translation>
    </message>
    <message>
        <source>&amp;Alle verkleinern</source>
        <translation>&amp;Alle verkleinern</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Fenster</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Vertikal anordnen</source>
        <translation>&amp;Vertikal anordnen</translation>
    </message>
    <message>
        <source>&amp;Aktuelles Datenblatt</source>
        <translation>&amp;Aktuelles Datenblatt</translation>
    </message>
    <message>
        <source>Alle &amp;wiederherstellen</source>
        <translation>Alle &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>Alle Datensätze deselektieren</source>
        <translation>Alle Datensätze deselektieren</translation>
    </message>
    <message>
        <source>Alle Datensätze selektieren</source>
        <translation>Alle Datensätze selektieren</translation>
    </message>
    <message>
        <source>Alle an&amp;ordnen</source>
        <translation>Alle an&amp;ordnen</translation>
    </message>
    <message>
        <source>Alle anordnen|Ordnet die Symbole der verkleinerten Fenster an</source>
        <translation>Alle anordnen|Ordnet die Symbole der verkleinerten Fenster an</translation>
    </message>
    <message>
        <source>Alle verkleinern|Verkleinert alle Fenster zu Symbolen</source>
        <translation>Alle verkleinern|Verkleinert alle Fenster zu Symbolen</translation>
    </message>
    <message>
        <source>Alle wiederherstellen|Stellt alle Fenster in ihrer normalen Größe wieder her</source>
        <translation>Alle wiederherstellen|Stellt alle Fenster in ihrer normalen Größe wieder her</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</source>
        <translation>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</translation>
    </message>
    <message>
        <source>B&amp;earbeiten</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>Beenden|Anwendung beenden</source>
        <translation>Beenden|Anwendung beenden</translation>
    </message>
    <message>
        <source>Cannot perform open the command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</source>
        <translation>Der von einem anderen Programm angeforderte Befehl „Öffnen“ kann nicht ausgeführt werden&lt;BR&gt;&lt;BR&gt;Fehlermeldung: &lt;BR&gt;%s</translation>
    </message>
    <message>
        <source>Could not retrieve module base file name</source>
        <translation>Der Dateiname des Moduls konnte nicht ermittelt werden</translation>
    </message>
    <message>
        <source>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</source>
        <translation>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</translation>
    </message>
    <message>
        <source>Datenblätter mischen...</source>
        <translation>Datenblätter mischen...</translation>
    </message>
    <message>
        <source>Datenblätter mischen|Verbindet zwei Datenblätter Molekül für Molekül zu einem neuen</source>
        <translation>Datenblätter mischen|Verbindet zwei Datenblätter Molekül für Molekül zu einem neuen</translation>
    </message>
    <message>
        <source>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Deselektierte Datensätze löschen</source>
        <translation>Deselektierte Datensätze löschen</translation>
    </message>
    <message>
        <source>Duplikate nach %1 in %2</source>
        <translation>Duplikate nach %1 in %2</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Einfügen|Den Inhalt der Zwischenablage einfügen</source>
        <translation>Einfügen|Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</source>
        <translation>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Exportiert das Molekül als MOL-Datei</source>
        <translation>Exportiert das Molekül als MOL-Datei</translation>
    </message>
    <message>
        <source>Fehlerhafte Datensätze löschen</source>
        <translation>Fehlerhafte Datensätze löschen</translation>
    </message>
    <message>
        <source>Felder bearbeiten...</source>
        <translation>Felder bearbeiten...</translation>
    </message>
    <message>
        <source>Felder bearbeiten|Benennt die Felder des aktuellen Datenblattes um, fügt Felder hinzu, löscht, ordnet und verbirgt sie</source>
        <translation>Felder bearbeiten|Benennt die Felder des aktuellen Datenblattes um, fügt Felder hinzu, löscht, ordnet und verbirgt sie</translation>
    </message>
    <message>
        <source>Gehe zu...</source>
        <translation>Gehe zu...</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Hori&amp;zontal anordnen</source>
        <translation>Hori&amp;zontal anordnen</translation>
    </message>
    <message>
        <source>Horizontal anordnen|Ordnet die Fenster untereinander an</source>
        <translation>Horizontal anordnen|Ordnet die Fenster untereinander an</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Info ...</source>
        <translation>Info ...</translation>
    </message>
    <message>
        <source>Info|Zeigt die Versionen des Programms und seiner Bibliotheken</source>
        <translation>Info|Zeigt die Versionen des Programms und seiner Bibliotheken</translation>
    </message>
    <message>
        <source>Invalid file selected. Please select a SD file</source>
        <translation>Ungültige Datei ausgewählt. Bitte wählen Sie eine SD-Datei</translation>
    </message>
    <message>
        <source>Keine Suchergebnisse vorhanden</source>
        <translation>Keine Suchergebnisse vorhanden</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</source>
        <translation>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</source>
        <translation>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</source>
        <translation>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Molekül</source>
        <translation>Molekül</translation>
    </message>
    <message>
        <source>Molekül aus MOL-Datei importieren</source>
        <translation>Molekül aus MOL-Datei importieren</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen...</source>
        <translation>Molekülansicht einstellen...</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen|Legt fest, an welchen Atomen die Strukturen Wasserstoffatome zeigen</source>
        <translation>Molekülansicht einstellen|Legt fest, an welchen Atomen die Strukturen Wasserstoffatome zeigen</translation>
    </message>
    <message>
        <source>Neuer Datensatz</source>
        <translation>Neuer Datensatz</translation>
    </message>
    <message>
        <source>Neu|Neue Datei erstellen</source>
        <translation>Neu|Neue Datei erstellen</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Rückgängig: %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Rückgängig|Nimmt die letzte Änderung am Datenblatt zurück</source>
        <translation>Rückgängig|Nimmt die letzte Änderung am Datenblatt zurück</translation>
    </message>
    <message>
        <source>S&amp;chließen</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>SD-Dateien (*.sdf)</translation>
    </message>
    <message>
        <source>Schließen|Aktuelle Datei schließen</source>
        <translation>Schließen|Aktuelle Datei schließen</translation>
    </message>
    <message>
        <source>Schnittmenge von %1 und %2</source>
        <translation>Schnittmenge von %1 und %2</translation>
    </message>
    <message>
        <source>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Speichern &amp;unter...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Speichern unter|Eine Datei unter einem anderen Namen speichern</source>
        <translation>Speichern unter|Eine Datei unter einem anderen Namen speichern</translation>
    </message>
    <message>
        <source>Speichern|Aktuelle Datei speichern</source>
        <translation>Speichern|Aktuelle Datei speichern</translation>
    </message>
    <message>
        <source>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</source>
        <translation>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</translation>
    </message>
    <message>
        <source>Struktursuche (%1) in %2</source>
        <translation>Struktursuche (%1) in %2</translation>
    </message>
    <message>
        <source>Struktursuche (%1, mit Stereochemie) in %2</source>
        <translation>Struktursuche (%1, mit Stereochemie) in %2</translation>
    </message>
    <message>
        <source>Substruktur</source>
        <translation>Substruktur</translation>
    </message>
    <message>
        <source>Suche nach %1 in %2 von %3</source>
        <translation>Suche nach %1 in %2 von %3</translation>
    </message>
    <message>
        <source>Suche nach Duplikaten...</source>
        <translation>Suche nach Duplikaten...</translation>
    </message>
    <message>
        <source>Suche nach Duplikaten|Findet Datensätze mit gleichen Werten oder gleichen Molekülen</source>
        <translation>Suche nach Duplikaten|Findet Datensätze mit gleichen Werten oder gleichen Molekülen</translation>
    </message>
    <message>
        <source>Suche nach Molekülen...</source>
        <translation>Suche nach Molekülen...</translation>
    </message>
    <message>
        <source>Suche nach Molekülen|Durchsucht das aktuelle Datenblatt nach Strukturen</source>
        <translation>Suche nach Molekülen|Durchsucht das aktuelle Datenblatt nach Strukturen</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten...</source>
        <translation>Suche nach alphanumerischen Daten...</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten|Durchsucht ein Feld des aktuellen Datenblattes nach einem Text oder einer Zahl</source>
        <translation>Suche nach alphanumerischen Daten|Durchsucht ein Feld des aktuellen Datenblattes nach einem Text oder einer Zahl</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Suchergebnis</source>
        <translation>Suchergebnis</translation>
    </message>
    <message>
        <source>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>Die Dateiversion von libveskChemRoutines.so konnte nicht geprüft werden. Stellen Sie sicher, dass die Datei vorhanden ist und Sie die Berechtigung haben, darauf zuzugreifen</translation>
    </message>
    <message>
        <source>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>Die Dateiversion von libveskChemSearch.so konnte nicht geprüft werden. Stellen Sie sicher, dass die Datei vorhanden ist und Sie die Berechtigung haben, darauf zuzugreifen</translation>
    </message>
    <message>
        <source>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>Die Dateiversion von libveskChemViewer.so konnte nicht geprüft werden. Stellen Sie sicher, dass die Datei vorhanden ist und Sie die Berechtigung haben, darauf zuzugreifen</translation>
    </message>
    <message>
        <source>The file versions of the necessary runtime libraries could not be verified</source>
        <translation>Die Dateiversionen der benötigten Laufzeitbibliotheken konnten nicht geprüft werden</translation>
    </message>
    <message>
        <source>Unbekannte Dateiversion</source>
        <translation>Unbekannte Dateiversion</translation>
    </message>
    <message>
        <source>Vereinigung von %1 und %2</source>
        <translation>Vereinigung von %1 und %2</translation>
    </message>
    <message>
        <source>Vertikal anordnen|Ordnet die Fenster nebeneinander an</source>
        <translation>Vertikal anordnen|Ordnet die Fenster nebeneinander an</translation>
    </message>
    <message>
        <source>Wiederherstellen</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Wiederherstellen: %1</source>
        <translation>Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>Wiederherstellen|Führt die zuletzt zurückgenommene Änderung wieder aus</source>
        <translation>Wiederherstellen|Führt die zuletzt zurückgenommene Änderung wieder aus</translation>
    </message>
    <message>
        <source>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Ihre Version von libveskChemRoutines.so ist veraltet. Zelmar benötigt Version %s oder neuer</translation>
    </message>
    <message>
        <source>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Ihre Version von libveskChemSearch.so ist veraltet. Zelmar benötigt Version %s oder neuer</translation>
    </message>
    <message>
        <source>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Ihre Version von libveskChemViewer.so ist veraltet. Zelmar benötigt Version %s oder neuer</translation>
    </message>
    <message>
        <source>Zelle löschen</source>
        <translation>Zelle löschen</translation>
    </message>
    <message>
        <source>Zelle löschen|Löscht den Inhalt der aktuellen Zelle</source>
        <translation>Zelle löschen|Löscht den Inhalt der aktuellen Zelle</translation>
    </message>
    <message>
        <source>Zelmar</source>
        <translation>Zelmar</translation>
    </message>
    <message>
        <source>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</source>
        <translation>Zelmar hat einen ungültigen Befehl „Datei öffnen“ erhalten (leere Anfrage)</translation>
    </message>
    <message>
        <source>Zelmar was unable to retrive the dropped files&apos; full path names</source>
        <translation>Zelmar konnte die vollständigen Pfade der abgelegten Dateien nicht ermitteln</translation>
    </message>
    <message>
        <source>exakte Struktur</source>
        <translation>exakte Struktur</translation>
    </message>
    <message>
        <source>nicht gefunden</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Öffnen|Vorhandene Datei öffnen</source>
        <translation>Öffnen|Vorhandene Datei öffnen</translation>
    </message>
    <message>
        <source>Ü&amp;berlappend</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message>
        <source>Überlappend|Ordnet die Fenster überlappend an</source>
        <translation>Überlappend|Ordnet die Fenster überlappend an</translation>
    </message>
    <message>
        <source>SD-Datei öffnen</source>
        <translation>SD-Datei öffnen</translation>
    </message>
    <message>
        <source>&amp;Zuletzt geöffnet</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>(keine)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Filtern...</source>
        <translation>Filtern...</translation>
    </message>
    <message>
        <source>Filtern|Zeigt im Datenblatt nur die Datensätze, die einem Text, einer Zahl oder einer Struktur entsprechen</source>
        <translation>Filtern|Zeigt im Datenblatt nur die Datensätze, die einem Text, einer Zahl oder einer Struktur entsprechen</translation>
    </message>
    <message>
        <source>&amp;Handbuch</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <source>Handbuch|Zeigt das Benutzerhandbuch von Zelmar</source>
        <translation>Handbuch|Zeigt das Benutzerhandbuch von Zelmar</translation>
    </message>
    <message>
        <source>Treffer hervorgehoben</source>
        <translation>Treffer hervorgehoben</translation>
    </message>
    <message>
        <source>Duplikate nach %1 (%2) in %3</source>
        <translation>Duplikate nach %1 (%2) in %3</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Nicht s&amp;peichern</source>
        <translation>Nicht s&amp;peichern</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ZelmarTool</name>
    <message>
        <source>&quot;%s&quot; ist ein Ordner, keine SD-Datei.</source>
        <translation>&quot;%s&quot; ist ein Ordner, keine SD-Datei.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; ist keine Zahl.</source>
        <translation>&quot;%s&quot; ist keine Zahl.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; konnte nicht nach %s sortiert werden.</source>
        <translation>&quot;%s&quot; konnte nicht nach %s sortiert werden.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; und &quot;%s&quot; konnten nicht gemischt werden.</source>
        <translation>&quot;%s&quot; und &quot;%s&quot; konnten nicht gemischt werden.</translation>
    </message>
    <message>
        <source>%s: %s Datensätze konnten nicht gelesen werden und bleiben unverändert erhalten.</source>
        <translation>%s: %s Datensätze konnten nicht gelesen werden und bleiben unverändert erhalten.</translation>
    </message>
    <message>
        <source>%s: --kind gilt nur für Datenfelder, nicht für %s.</source>
        <translation>%s: --kind gilt nur für Datenfelder, nicht für %s.</translation>
    </message>
    <message>
        <source>%s: --kind ist text oder number, nicht &quot;%s&quot;.</source>
        <translation>%s: --kind ist text oder number, nicht &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>%s: Bitte die Option &quot;%s&quot; angeben. Hilfe: zelmar-tool %s --help</source>
        <translation>%s: Bitte die Option &quot;%s&quot; angeben. Hilfe: zelmar-tool %s --help</translation>
    </message>
    <message>
        <source>%s: Bitte eine Ausgabedatei mit -o angeben (- für die Standardausgabe).</source>
        <translation>%s: Bitte eine Ausgabedatei mit -o angeben (- für die Standardausgabe).</translation>
    </message>
    <message>
        <source>%s: Bitte genau eine Eingabedatei angeben.</source>
        <translation>%s: Bitte genau eine Eingabedatei angeben.</translation>
    </message>
    <message>
        <source>%s: Bitte genau zwei Eingabedateien angeben.</source>
        <translation>%s: Bitte genau zwei Eingabedateien angeben.</translation>
    </message>
    <message>
        <source>%s: Datensatz %s (Zeile %s): %s</source>
        <translation>%s: Datensatz %s (Zeile %s): %s</translation>
    </message>
    <message>
        <source>%s: Der Option &quot;%s&quot; fehlt ihr Wert.</source>
        <translation>%s: Der Option &quot;%s&quot; fehlt ihr Wert.</translation>
    </message>
    <message>
        <source>%s: unbekannte Option &quot;%s&quot;. Hilfe: zelmar-tool %s --help</source>
        <translation>%s: unbekannte Option &quot;%s&quot;. Hilfe: zelmar-tool %s --help</translation>
    </message>
    <message>
        <source>Das Feld &quot;%s&quot; gibt es in &quot;%s&quot; nicht. Felder: %s</source>
        <translation>Das Feld &quot;%s&quot; gibt es in &quot;%s&quot; nicht. Felder: %s</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>Datensatz %s: %s</source>
        <translation>Datensatz %s: %s</translation>
    </message>
    <message>
        <source>Datensätze:</source>
        <translation>Datensätze:</translation>
    </message>
    <message>
        <source>Die Abfrage &quot;%s&quot; ist kein lesbares Molekül.</source>
        <translation>Die Abfrage &quot;%s&quot; ist kein lesbares Molekül.</translation>
    </message>
    <message>
        <source>Die Abfrage &quot;%s&quot; kann nicht gelesen werden.</source>
        <translation>Die Abfrage &quot;%s&quot; kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist auch eine Eingabedatei und wird nicht überschrieben.</source>
        <translation>Die Ausgabedatei &quot;%s&quot; ist auch eine Eingabedatei und wird nicht überschrieben.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist ein Ordner.</source>
        <translation>Die Ausgabedatei &quot;%s&quot; ist ein Ordner.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist schreibgeschützt.</source>
        <translation>Die Ausgabedatei &quot;%s&quot; ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight oder molecule; - liest die Standardeingabe oder schreibt die Standardausgabe.</source>
        <translation>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight oder molecule; - liest die Standardeingabe oder schreibt die Standardausgabe.</translation>
    </message>
    <message>
        <source>Die Bibliothek %s wurde nicht gefunden.</source>
        <translation>Die Bibliothek %s wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; enthält keinen lesbaren SD-Datensatz.</source>
        <translation>Die Datei &quot;%s&quot; enthält keinen lesbaren SD-Datensatz.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; gibt es nicht.</source>
        <translation>Die Datei &quot;%s&quot; gibt es nicht.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist leer.</source>
        <translation>Die Datei &quot;%s&quot; ist leer.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist mit gzip gepackt. Bitte zuerst entpacken (gunzip).</source>
        <translation>Die Datei &quot;%s&quot; ist mit gzip gepackt. Bitte zuerst entpacken (gunzip).</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; kann nicht gelesen werden: %s</source>
        <translation>Die Datei &quot;%s&quot; kann nicht gelesen werden: %s</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; konnte nicht geschrieben werden: %s</source>
        <translation>Die Datei &quot;%s&quot; konnte nicht geschrieben werden: %s</translation>
    </message>
    <message>
        <source>Die Standardeingabe kann nur einmal gelesen werden.</source>
        <translation>Die Standardeingabe kann nur einmal gelesen werden.</translation>
    </message>
    <message>
        <source>Die Suche in &quot;%s&quot; ist fehlgeschlagen.</source>
        <translation>Die Suche in &quot;%s&quot; ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Felder:</source>
        <translation>Felder:</translation>
    </message>
    <message>
        <source>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern.</source>
        <translation>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern.</translation>
    </message>
    <message>
        <source>Kodierung:</source>
        <translation>Kodierung:</translation>
    </message>
    <message>
        <source>Lesen:</source>
        <translation>Lesen:</translation>
    </message>
    <message>
        <source>Mischen:</source>
        <translation>Mischen:</translation>
    </message>
    <message>
        <source>Nicht lesbare Datensätze:</source>
        <translation>Nicht lesbare Datensätze:</translation>
    </message>
    <message>
        <source>Rückgabewert: 0 erledigt, 1 nichts gefunden, 2 falscher Aufruf oder fehlerhafte Eingabe.</source>
        <translation>Rückgabewert: 0 erledigt, 1 nichts gefunden, 2 falscher Aufruf oder fehlerhafte Eingabe.</translation>
    </message>
    <message>
        <source>Schreiben:</source>
        <translation>Schreiben:</translation>
    </message>
    <message>
        <source>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe.</source>
        <translation>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe.</translation>
    </message>
    <message>
        <source>Schreibt die Treffer einer Struktur-, Text- oder Zahlensuche. --min, --max und --equal suchen in weight und in Zahlenfeldern nach dem Wert; --min und --max zählen Werte echt darüber bzw. darunter, &quot;&gt;10&quot; ist größer als 9 und nie gleich 10.</source>
        <translation>Schreibt die Treffer einer Struktur-, Text- oder Zahlensuche. --min, --max und --equal suchen in weight und in Zahlenfeldern nach dem Wert; --min und --max zählen Werte echt darüber bzw. darunter, &quot;&gt;10&quot; ist größer als 9 und nie gleich 10.</translation>
    </message>
    <message>
        <source>Schreibt eine Tabelle mit Kopfzeile: die Datenfelder, Summenformel und Molekulargewicht.</source>
        <translation>Schreibt eine Tabelle mit Kopfzeile: die Datenfelder, Summenformel und Molekulargewicht.</translation>
    </message>
    <message>
        <source>Sortieren:</source>
        <translation>Sortieren:</translation>
    </message>
    <message>
        <source>Sortiert die Datensätze nach einem Feld, wie ein Klick auf die Spaltenüberschrift: Zahlenfelder nach dem Wert, Text nach dem Gebietsschema. --natural vergleicht Ziffernfolgen eines Datenfelds nach ihrem Wert (CHEMBL9 vor CHEMBL10); --kind liest ein Datenfeld als Text oder als Zahlen.</source>
        <translation>Sortiert die Datensätze nach einem Feld, wie ein Klick auf die Spaltenüberschrift: Zahlenfelder nach dem Wert, Text nach dem Gebietsschema. --natural vergleicht Ziffernfolgen eines Datenfelds nach ihrem Wert (CHEMBL9 vor CHEMBL10); --kind liest ein Datenfeld als Text oder als Zahlen.</translation>
    </message>
    <message>
        <source>Standardeingabe</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>Suchen:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>Unbekannter Befehl &quot;%s&quot;. Hilfe: zelmar-tool --help</source>
        <translation>Unbekannter Befehl &quot;%s&quot;. Hilfe: zelmar-tool --help</translation>
    </message>
    <message>
        <source>Zeigt Datensätze, Felder mit ihrer Art (Datenfelder: text oder number), nicht lesbare Datensätze und Kodierung der Datei.</source>
        <translation>Zeigt Datensätze, Felder mit ihrer Art (Datenfelder: text oder number), nicht lesbare Datensätze und Kodierung der Datei.</translation>
    </message>
    <message>
        <source>export: --format ist csv oder tsv, nicht &quot;%s&quot;.</source>
        <translation>export: --format ist csv oder tsv, nicht &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>mix: --op ist intersect, merge, left-minus-right oder right-minus-left, nicht &quot;%s&quot;.</source>
        <translation>mix: --op ist intersect, merge, left-minus-right oder right-minus-left, nicht &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>search: --contains und --begins schließen einander aus.</source>
        <translation>search: --contains und --begins schließen einander aus.</translation>
    </message>
    <message>
        <source>search: --equal schließt --min und --max aus.</source>
        <translation>search: --equal schließt --min und --max aus.</translation>
    </message>
    <message>
        <source>search: --equal sucht den ganzen Wert; für Teile --text mit --contains oder --begins.</source>
        <translation>search: --equal sucht den ganzen Wert; für Teile --text mit --contains oder --begins.</translation>
    </message>
    <message>
        <source>search: --min und --max gelten nur für weight und Zahlenfelder, nicht für %s.</source>
        <translation>search: --min und --max gelten nur für weight und Zahlenfelder, nicht für %s.</translation>
    </message>
    <message>
        <source>search: --min und --max suchen Zahlen, --text sucht Text: bitte nur eines davon.</source>
        <translation>search: --min und --max suchen Zahlen, --text sucht Text: bitte nur eines davon.</translation>
    </message>
    <message>
        <source>search: Bitte --text oder --equal angeben. Hilfe: zelmar-tool search --help</source>
        <translation>search: Bitte --text oder --equal angeben. Hilfe: zelmar-tool search --help</translation>
    </message>
    <message>
        <source>search: Bitte entweder --substructure Q.mol, --exact Q.mol oder --field F angeben. Hilfe: zelmar-tool search --help</source>
        <translation>search: Bitte entweder --substructure Q.mol, --exact Q.mol oder --field F angeben. Hilfe: zelmar-tool search --help</translation>
    </message>
    <message>
        <source>search: Das Feld weight wird mit --min, --max oder --equal durchsucht.</source>
        <translation>search: Das Feld weight wird mit --min, --max oder --equal durchsucht.</translation>
    </message>
    <message>
        <source>search: Moleküle werden mit --substructure oder --exact gesucht.</source>
        <translation>search: Moleküle werden mit --substructure oder --exact gesucht.</translation>
    </message>
    <message>
        <source>sort: --natural gilt nur für Datenfelder, nicht für %s.</source>
        <translation>sort: --natural gilt nur für Datenfelder, nicht für %s.</translation>
    </message>
    <message>
        <source>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight, molecule, smiles, inchi oder inchikey; - liest die Standardeingabe oder schreibt die Standardausgabe.</source>
        <translation>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight, molecule, smiles, inchi oder inchikey; - liest die Standardeingabe oder schreibt die Standardausgabe.</translation>
    </message>
    <message>
        <source>%s: --policy nimmt salts, charges, isotopes und tautomers, durch Kommas getrennt, nicht &quot;%s&quot;.</source>
        <translation>%s: --policy nimmt salts, charges, isotopes und tautomers, durch Kommas getrennt, nicht &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Die Bibliothek %s kennt keine Duplikatregeln (--policy).</source>
        <translation>Die Bibliothek %s kennt keine Duplikatregeln (--policy).</translation>
    </message>
    <message>
        <source>duplicates: --policy gilt nur für --by molecule.</source>
        <translation>duplicates: --policy gilt nur für --by molecule.</translation>
    </message>
    <message>
        <source>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe. --policy salts,charges,isotopes,tautomers (jede Auswahl, durch Kommas getrennt) lässt Moleküle auch dann gleich sein, wenn sie sich nur in Salzen und Lösungsmitteln, Ladungen, Isotopen oder als Tautomere unterscheiden.</source>
        <translation>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe. --policy salts,charges,isotopes,tautomers (jede Auswahl, durch Kommas getrennt) lässt Moleküle auch dann gleich sein, wenn sie sich nur in Salzen und Lösungsmitteln, Ladungen, Isotopen oder als Tautomere unterscheiden.</translation>
    </message>
    <message>
        <source>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern; --policy vergleicht die Moleküle nach denselben Regeln wie duplicates.</source>
        <translation>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern; --policy vergleicht die Moleküle nach denselben Regeln wie duplicates.</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogColumnStatistics</name>
    <message>
        <source>Wert</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Lese die Werte der Spalte...</source>
        <translation>Lese die Werte der Spalte...</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Datensätze: %1, leer: %2, keine Zahl: %3</source>
        <translation>Datensätze: %1, leer: %2, keine Zahl: %3</translation>
    </message>
    <message>
        <source>Zahlen: %1, Minimum: %2, Maximum: %3</source>
        <translation>Zahlen: %1, Minimum: %2, Maximum: %3</translation>
    </message>
    <message>
        <source>Mittelwert: %1, Median: %2</source>
        <translation>Mittelwert: %1, Median: %2</translation>
    </message>
    <message>
        <source>Spaltenstatistik - %1</source>
        <translation>Spaltenstatistik - %1</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogExport</name>
    <message>
        <source>SMILES-Spalte &amp;hinzufügen</source>
        <translation>SMILES-Spalte &amp;hinzufügen</translation>
    </message>
    <message>
        <source>E&amp;xportieren...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>Exportieren|Die Datensätze als SD-Datei, CSV, TSV oder Excel-Arbeitsmappe schreiben</source>
        <translation>Exportieren|Die Datensätze als SD-Datei, CSV, TSV oder Excel-Arbeitsmappe schreiben</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>&amp;SD-Datei (*.sdf)</source>
        <translation>&amp;SD-Datei (*.sdf)</translation>
    </message>
    <message>
        <source>&amp;CSV, durch Kommas getrennt (*.csv)</source>
        <translation>&amp;CSV, durch Kommas getrennt (*.csv)</translation>
    </message>
    <message>
        <source>&amp;TSV, durch Tabulatoren getrennt (*.tsv)</source>
        <translation>&amp;TSV, durch Tabulatoren getrennt (*.tsv)</translation>
    </message>
    <message>
        <source>E&amp;xcel-Arbeitsmappe (*.xlsx)</source>
        <translation>E&amp;xcel-Arbeitsmappe (*.xlsx)</translation>
    </message>
    <message>
        <source>Datensätze</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Alle (%d)</source>
        <translation>&amp;Alle (%d)</translation>
    </message>
    <message>
        <source>Nur die &amp;markierten (%d)</source>
        <translation>Nur die &amp;markierten (%d)</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>SD-Dateien (*.sdf)</translation>
    </message>
    <message>
        <source>CSV-Dateien (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>TSV-Dateien (*.tsv)</source>
        <translation>TSV-Dateien (*.tsv)</translation>
    </message>
    <message>
        <source>Excel-Arbeitsmappen (*.xlsx)</source>
        <translation>Excel-Arbeitsmappen (*.xlsx)</translation>
    </message>
    <message>
        <source>Die Datensätze mit Molekül und allen Datenfeldern; unveränderte genau so, wie sie gelesen wurden.</source>
        <translation>Die Datensätze mit Molekül und allen Datenfeldern; unveränderte genau so, wie sie gelesen wurden.</translation>
    </message>
    <message>
        <source>Eine Tabelle: die Datenfelder, Summenformel und Molekulargewicht; das Molekül auf Wunsch als SMILES.</source>
        <translation>Eine Tabelle: die Datenfelder, Summenformel und Molekulargewicht; das Molekül auf Wunsch als SMILES.</translation>
    </message>
    <message>
        <source>Exportieren nach</source>
        <translation>Exportieren nach</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; gibt es schon.&lt;BR&gt;Möchten Sie sie ersetzen?</source>
        <translation>Die Datei &quot;%s&quot; gibt es schon.&lt;BR&gt;Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>Exportiere &quot;%s&quot; ...</source>
        <translation>Exportiere &quot;%s&quot; ...</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; konnte nicht geschrieben werden.&lt;BR&gt;Fehlermeldung: %s</source>
        <translation>Die Datei &quot;%s&quot; konnte nicht geschrieben werden.&lt;BR&gt;Fehlermeldung: %s</translation>
    </message>
</context>
<context>
    <name>Zelmar_HelpWindow</name>
    <message>
        <source>de</source>
        <translation>de</translation>
    </message>
    <message>
        <source>Zelmar-Handbuch</source>
        <translation>Zelmar-Handbuch</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Zur vorigen Seite</source>
        <translation>Zur vorigen Seite</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Zur nächsten Seite</source>
        <translation>Zur nächsten Seite</translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Zum Inhaltsverzeichnis des Handbuchs</source>
        <translation>Zum Inhaltsverzeichnis des Handbuchs</translation>
    </message>
</context>
<context>
    <name>ZelmarPolicyChoice</name>
    <message>
        <source>Salze und Lösungsmittel ignorieren</source>
        <translation>Salze und Lösungsmittel ignorieren</translation>
    </message>
    <message>
        <source>Nur das größte organische Fragment zählt (Gegenionen und Lösungsmittel fallen weg).</source>
        <translation>Nur das größte organische Fragment zählt (Gegenionen und Lösungsmittel fallen weg).</translation>
    </message>
    <message>
        <source>ohne Salze</source>
        <translation>ohne Salze</translation>
    </message>
    <message>
        <source>Ladungen ignorieren</source>
        <translation>Ladungen ignorieren</translation>
    </message>
    <message>
        <source>Säuren, Basen und Zwitterionen zählen in ihrer neutralen Form.</source>
        <translation>Säuren, Basen und Zwitterionen zählen in ihrer neutralen Form.</translation>
    </message>
    <message>
        <source>ohne Ladungen</source>
        <translation>ohne Ladungen</translation>
    </message>
    <message>
        <source>Isotope ignorieren</source>
        <translation>Isotope ignorieren</translation>
    </message>
    <message>
        <source>Markierte Atome (13C, D, T) zählen wie unmarkierte.</source>
        <translation>Markierte Atome (13C, D, T) zählen wie unmarkierte.</translation>
    </message>
    <message>
        <source>ohne Isotope</source>
        <translation>ohne Isotope</translation>
    </message>
    <message>
        <source>Tautomere als ein Molekül</source>
        <translation>Tautomere als ein Molekül</translation>
    </message>
    <message>
        <source>Wasserstoff, der zwischen Heteroatomen wandert, zählt nicht (2-Pyridon = 2-Hydroxypyridin); Keto- und Enolform bleiben getrennt.</source>
        <translation>Wasserstoff, der zwischen Heteroatomen wandert, zählt nicht (2-Pyridon = 2-Hydroxypyridin); Keto- und Enolform bleiben getrennt.</translation>
    </message>
    <message>
        <source>Tautomere vereint</source>
        <translation>Tautomere vereint</translation>
    </message>
</context>
</TS>
