<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ZelmarDialogChooseFields</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Bitte wählen Sie aus der Liste ein entsprechendes Feld aus.&lt;BR&gt;Drücken Sie danach OK, um fortzufahren.</source>
        <translation>Please select an appropriate field from the list.&lt;BR&gt;Having done so, click on OK to proceed.</translation>
    </message>
    <message>
        <source>Feld auswählen</source>
        <translation>Select field</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>Felder auswählen</source>
        <translation>Select fields</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</source>
        <translation>Consider tetrahedral&lt;BR&gt;stereo chemistry</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogEditChemistry</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Anordnen|Ordnet die Elemente auf der Zeichenfläche an</source>
        <translation>Arrange|Arranges the elements on the drawing area</translation>
    </message>
    <message>
        <source>Any Atom|Zeichnet ein &apos;Any Atom&apos;</source>
        <translation>Any atom|Draws an &apos;any atom&apos;</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Benzen|Zeichnet einen Benzen-Kreis</source>
        <translation>Benzene|Draws a benzene ring</translation>
    </message>
    <message>
        <source>Bewegen|Bewegt die Zeichenfläche</source>
        <translation>Move|Moves the drawing area</translation>
    </message>
    <message>
        <source>Bitte zeichnen Sie ein Molekül, keine Reaktion.</source>
        <translation>Please draw a molecule, not a reaction.</translation>
    </message>
    <message>
        <source>Br-Atom|Zeichnet ein Br-Atom</source>
        <translation>Br atom|Draws a Br atom</translation>
    </message>
    <message>
        <source>C-Atom|Zeichnet ein C-Atom</source>
        <translation>C atom|Draws a C atom</translation>
    </message>
    <message>
        <source>Chiral-Flag|Zeichnet ein Chiral-Flag</source>
        <translation>Chiral flag|Draws a chiral flag</translation>
    </message>
    <message>
        <source>Cl-Atom|Zeichnet ein Cl-Atom</source>
        <translation>Cl atom|Draws a Cl atom</translation>
    </message>
    <message>
        <source>Copy chemistry to clipboard</source>
        <translation>Copy chemistry to clipboard</translation>
    </message>
    <message>
        <source>Cut chemistry to clipboard</source>
        <translation>Cut chemistry to clipboard</translation>
    </message>
    <message>
        <source>Cyclo-Butan|Zeichnet einen Butan-Kreis</source>
        <translation>Cyclobutane|Draws a cyclobutane ring</translation>
    </message>
    <message>
        <source>Cyclo-Heptan|Zeichnet einen Heptan-Kreis</source>
        <translation>Cycloheptane|Draws a cycloheptane ring</translation>
    </message>
    <message>
        <source>Cyclo-Hexan|Zeichnet einen Hexan-Kreis</source>
        <translation>Cyclohexane|Draws a cyclohexane ring</translation>
    </message>
    <message>
        <source>Cyclo-Oktan|Zeichnet einen Oktan-Kreis</source>
        <translation>Cyclooctane|Draws a cyclooctane ring</translation>
    </message>
    <message>
        <source>Cyclo-Pentadien|Zeichnet einen Pentadien-Kreis</source>
        <translation>Cyclopentadiene|Draws a cyclopentadiene ring</translation>
    </message>
    <message>
        <source>Cyclo-Pentan|Zeichnet einen Pentan-Kreis</source>
        <translation>Cyclopentane|Draws a cyclopentane ring</translation>
    </message>
    <message>
        <source>Cyclo-Propan|Zeichnet einen Propan-Kreis</source>
        <translation>Cyclopropane|Draws a cyclopropane ring</translation>
    </message>
    <message>
        <source>Das Molekül konnte nicht aus dem Editor gelesen werden.</source>
        <translation>The molecule could not be read from the editor.</translation>
    </message>
    <message>
        <source>Dieses Molekül kann der Editor nicht lesen. Es bleibt unverändert.</source>
        <translation>The editor cannot read this molecule. It stays as it is.</translation>
    </message>
    <message>
        <source>Doppelbindung|Zeichnet eine Doppelbindung</source>
        <translation>Double Bond|Draws a double bond</translation>
    </message>
    <message>
        <source>Dreifachbindung|Zeichnet eine Dreifachbindung</source>
        <translation>Triple Bond|Draws a triple bond</translation>
    </message>
    <message>
        <source>Editor-Hilfe</source>
        <translation>Editor Help</translation>
    </message>
    <message>
        <source>Eine Reaktion kann nicht als Molekül bearbeitet werden.</source>
        <translation>A reaction cannot be edited as a molecule.</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Einzelbindung|Zeichnet eine Einzelbindung</source>
        <translation>Single Bond|Draws a single bond</translation>
    </message>
    <message>
        <source>Export chemistry to file</source>
        <translation>Export chemistry to file</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>F-Atom|Zeichnet ein F-Atom</source>
        <translation>F atom|Draws a F atom</translation>
    </message>
    <message>
        <source>Fehler beim Speichern der Daten</source>
        <translation>Error saving data</translation>
    </message>
    <message>
        <source>Hilfeseite konnte nicht gefunden werden.</source>
        <translation>Help page not found</translation>
    </message>
    <message>
        <source>Import chemistry from file</source>
        <translation>Import chemistry from file</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Info|Zeigt Infos über das Programm an</source>
        <translation>Info|Shows information about the drawing</translation>
    </message>
    <message>
        <source>Keil|Zeichnet einen Keil</source>
        <translation>Wedge|Draws a wedge</translation>
    </message>
    <message>
        <source>Kein Chemieeditor vorhanden</source>
        <translation>No chemistry editor available</translation>
    </message>
    <message>
        <source>Klammern|Zeichnet Klammern</source>
        <translation>Brackets|Draws brackets</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Lade Molekül von Datei</source>
        <translation>Load molecule from file</translation>
    </message>
    <message>
        <source>Löschen|Löscht einzelne Elemente</source>
        <translation>Delete|Deletes single elements</translation>
    </message>
    <message>
        <source>Mapping|Zeichnet Mapping-Nummern</source>
        <translation>Mapping|Draws mapping numbers</translation>
    </message>
    <message>
        <source>Mol files (*.mol)|*.mol</source>
        <translation>Mol files (*.mol)|*.mol</translation>
    </message>
    <message>
        <source>Molekül Bearbeiten</source>
        <translation>Edit molecule</translation>
    </message>
    <message>
        <source>Molekül in Datei speichern</source>
        <translation>Save molecule to file</translation>
    </message>
    <message>
        <source>N-Atom|Zeichnet ein N-Atom</source>
        <translation>N atom|Draws a N atom</translation>
    </message>
    <message>
        <source>Negative Ladung|Fügt eine negative Ladung zu einem Atom hinzu</source>
        <translation>Negative charge|Adds a negative charge to an atom</translation>
    </message>
    <message>
        <source>Neu|Öffnet ein neues Dokument</source>
        <translation>New|Opens a new document</translation>
    </message>
    <message>
        <source>O-Atom|Zeichnet ein O-Atom</source>
        <translation>O atom|Draws a O atom</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>P-Atom|Zeichnet ein P-Atom</source>
        <translation>P atom|Draws a P atom</translation>
    </message>
    <message>
        <source>Paste chemistry from clipboard</source>
        <translation>Paste chemistry from clipboard</translation>
    </message>
    <message>
        <source>Periodensystem|Öffnet das Periodensystem</source>
        <translation>Periodic systems|Opens the periodic system</translation>
    </message>
    <message>
        <source>Positive Ladung|Fügt eine positive Ladung zu einem Atom hinzu</source>
        <translation>Positive charge|Adds a positive charge to an atom</translation>
    </message>
    <message>
        <source>Query Atom|Zeichnet ein Query Atom</source>
        <translation>Query atom|Draws a query atom</translation>
    </message>
    <message>
        <source>Reaktions-Pfeil|Zeichnet einen Reaktions-Pfeil</source>
        <translation>Reaction arrow|Draws a reaction arrow</translation>
    </message>
    <message>
        <source>Reaktions-Plus|Zeichnet ein Reaktions-Plus</source>
        <translation>Reaction plus|Draws a reaction plus</translation>
    </message>
    <message>
        <source>Rückgängig|Macht die letzte Eingabe rückgängig</source>
        <translation>Undo|Undoes the last input</translation>
    </message>
    <message>
        <source>S-Atom|Zeichnet ein S-Atom</source>
        <translation>S atom|Draws a S atom</translation>
    </message>
    <message>
        <source>Selektieren|Wechselt in den Selektiermodus</source>
        <translation>Select|Switches to selection mode</translation>
    </message>
    <message>
        <source>Spez. Bindung|Zeichnet spezielle Bindungen</source>
        <translation>Special bond|Draws special bonds</translation>
    </message>
    <message>
        <source>Unbekannte Dateierweiterung</source>
        <translation>Unknown file extension</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten in Datei</source>
        <translation>Invalid chemistry data in file</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten im Clipboard</source>
        <translation>Invalid chemistry data in clipboard</translation>
    </message>
    <message>
        <source>Zentrieren|Zentriert die Zeichenfläche auf die einzelnen Elemente</source>
        <translation>Center|Centers the drawing area on the elements</translation>
    </message>
    <message>
        <source>gestr. Keil|Zeichnet einen gestrichelten Keil</source>
        <translation>Hashed wedge|Draws a hashed wedge</translation>
    </message>
    <message>
        <source>gezackte Bindung|Zeichnet eine gezackte Bindung</source>
        <translation>Chain|Draws a zigzag chain</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogEditMolPropertys</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Anzeige an Heteroatomen</source>
        <translation>Show at hetero atoms</translation>
    </message>
    <message>
        <source>Anzeige an Hetero- und Terminalatomen</source>
        <translation>Show at hetero and terminal atoms</translation>
    </message>
    <message>
        <source>Anzeige an Terminalatomen</source>
        <translation>Show at terminal atoms</translation>
    </message>
    <message>
        <source>Anzeige an allen Atomen</source>
        <translation>Show at all atoms</translation>
    </message>
    <message>
        <source>Anzeige von Wasserstoffatomen:</source>
        <translation>Display of hydrogen atoms:</translation>
    </message>
    <message>
        <source>Anzeigeeinstellung von Molekülen verändern</source>
        <translation>Change molecule display properties</translation>
    </message>
    <message>
        <source>Ausblenden</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Hier können Sie die Anzeige von Wasserstoffatomen der Moleküle verändern. Diese Einstellungen gelten global.</source>
        <translation>Here you can modify the display property for hydrogen atoms in molecules. These settings are global.</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen</source>
        <translation>Setup molecule display</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Spalten des aktuellen Datenblatts:</source>
        <translation>Columns of the current sheet:</translation>
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
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Alle Datensätze zusammenfassen</source>
        <translation>Combine all records</translation>
    </message>
    <message>
        <source>Ausgabeeinstellungen</source>
        <translation>Output properties</translation>
    </message>
    <message>
        <source>Datenblätter zusammenführen</source>
        <translation>Combine data sheets</translation>
    </message>
    <message>
        <source>Gleiche Moleküle zusammenfassen</source>
        <translation>Combine equal molecules</translation>
    </message>
    <message>
        <source>Linke Moleküle aus den Rechten entfernen</source>
        <translation>Remove left side molecules from the right side</translation>
    </message>
    <message>
        <source>Mischen von Datenblättern</source>
        <translation>Combining data sheets</translation>
    </message>
    <message>
        <source>Mischoperation</source>
        <translation>Data combination</translation>
    </message>
    <message>
        <source>Mischoperationen lassen sich zwischen 2 verschiedenen Datenblättern realisieren. Diese müssen Sie aus den Listen der verfügbaren Blätter auswählen. &lt;BR&gt;Die Mischoperationen beziehen sich auf Molekülebene. Dies bedeutet, dass Vergleiche über eine exakte Chemiesuche gemacht werden. Werden Schnittmengen erstellt oder Mengen addiert, dann werden die Daten aus beiden Referenzen zur Ergebnismenge hinzugefügt. Diese Duplikate werden nicht automatisch ausgefiltert oder zusammengeführt, da die Detaildaten unterschiedlich aufbereitet sein können.&lt;BR&gt;Bei den Ausgabeeinstellungen können Sie den Namen des neuen Datenblattes angeben, oder den Vorschlag von Zelmar verwenden, der automatisch generiert wird. Mischoperationen können aufgrund eventueller Komplexität der Daten zeitaufwendig sein. Daher erscheint während einer Mischoperation unten links eine Status-Anzeige. Dort haben Sie die Gelegenheit, das Mischen abzubrechen, um neue Kriterien festzulegen, oder den Dialog zu verlassen.</source>
        <translation>Two different data sheets can be combined. Choose them from the lists of available sheets.&lt;BR&gt;Sheets are combined at the level of molecules: records are compared by an exact structure search. When common molecules or all records are combined, the records of both sides go into the result. These duplicates are neither filtered out nor merged, as their data items may differ.&lt;BR&gt;Under output properties you can name the new data sheet or keep the name Zelmar suggests. Combining can take a while with complex data, so a progress display appears at the bottom left while it runs. There you can stop combining to choose again, or leave the dialog.</translation>
    </message>
    <message>
        <source>Mixing Sheets</source>
        <translation>Combine data sheets</translation>
    </message>
    <message>
        <source>Name des neuen Ausgabefensters:</source>
        <translation>Name of the new result window:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rechte Moleküle aus den Linken entfernen</source>
        <translation>Remove right side molecules from the left side</translation>
    </message>
    <message>
        <source>Verfügbare Datenblätter</source>
        <translation>Available data sheets</translation>
    </message>
    <message>
        <source>Verifying left data integrity</source>
        <translation>Verifying left data integrity</translation>
    </message>
    <message>
        <source>Verifying right data integrity</source>
        <translation>Verifying right data integrity</translation>
    </message>
    <message>
        <source>Vergleich der Moleküle</source>
        <translation>Comparing molecules</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_EditFields</name>
    <message>
        <source>&lt;Neues Feld&gt;</source>
        <translation>&lt;New field&gt;</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Add new field</source>
        <translation>Add new field</translation>
    </message>
    <message>
        <source>Angezeigter Name:</source>
        <translation>Display name:</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen Namen für das Feld an.</source>
        <translation>Please enter a name for the field.</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen anderen Namen für die neu definierten Felder an.</source>
        <translation>Please enter a another name for the newly defined fields.</translation>
    </message>
    <message>
        <source>Bitte wählen Sie ein Feld aus der Liste aus, um die Detaildaten zu verändern.&lt;BR&gt;Mit dem &apos;+&apos; Button können Sie neue Felder hinzufügen und mit dem &apos;-&apos; Button können Sie das aktuell ausgewählte Feld löschen, sofern dies erlaubt ist.&lt;BR&gt;Aktivieren Sie das Häkchen in der Liste, um das entsprechende Feld einzublenden bzw. auszublenden.&lt;BR&gt;Drücken Sie auf OK, um Ihre Änderungen zu übernehmen, andernfalls auf Abbrechen.</source>
        <translation>Please select a field from the list to change its details.&lt;BR&gt;Use the &apos;+&apos; button to add new fields and the &apos;-&apos; button to delete the selected field, where this is allowed.&lt;BR&gt;Tick or clear the check mark in the list to show or hide the field.&lt;BR&gt;Click on OK to apply your changes, otherwise on Cancel.</translation>
    </message>
    <message>
        <source>Delete selected field</source>
        <translation>Delete selected field</translation>
    </message>
    <message>
        <source>Der Feldname &apos;%s&apos; wird bereits verwendet. Bitte geben Sie einen anderen Namen an.</source>
        <translation>The field name &apos;%s&apos; is already in use. Please enter another name.</translation>
    </message>
    <message>
        <source>Ein Feldname darf das Zeichen &apos;&gt;&apos; nicht enthalten.</source>
        <translation>A field name must not contain the character &apos;&gt;&apos;.</translation>
    </message>
    <message>
        <source>Es gibt bereits neue, noch nicht definierte Felder. Bitte verwenden Sie diese, bevor Sie weitere Felder anlegen.</source>
        <translation>There are already new fields that have not been defined yet. Please use them before creating new ones.</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>Felder bearbeiten</source>
        <translation>Edit fields</translation>
    </message>
    <message>
        <source>Feldname:</source>
        <translation>Field Name:</translation>
    </message>
    <message>
        <source>Move selected field down</source>
        <translation>Move selected field down</translation>
    </message>
    <message>
        <source>Move selected field up</source>
        <translation>Move selected field up</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Zeige Aktivierungsspalte</source>
        <translation>Show selection row</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Zahlen</source>
        <translation>Numbers</translation>
    </message>
    <message>
        <source>Werte:</source>
        <translation>Values:</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_SearchAlphanumeric</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Alphanumerische Suche</source>
        <translation>Alphanumerical search</translation>
    </message>
    <message>
        <source>Beginnt mit</source>
        <translation>Starts with</translation>
    </message>
    <message>
        <source>Bereichssuche</source>
        <translation>Range search</translation>
    </message>
    <message>
        <source>Bitte wählen Sie aus der Liste ein Feld aus, in dem Sie suchen möchten. Diese Liste enthält die z.Zt. suchbaren Felder.&lt;BR&gt;Die entsprechenden Suchmöglichkeiten werden daraufhin eingeblendet. Definieren Sie anschließend Ihre Suchkriterien und drücken Sie auf &apos;Suchen&apos;, um mit der Suche zu beginnen. Drücken Sie auf &apos;Abbrechen&apos;, um nicht zu suchen.</source>
        <translation>Please select the field you want to search in from the list. The list contains all fields that can be used for searching at the moment.&lt;BR&gt;Zelmar will then show the appropriate search options.&lt;BR&gt;After that, you can define your search criteria and then click on &apos;Search&apos; to start the search process. You can also click on &apos;Cancel&apos; to close the dialog without searching.</translation>
    </message>
    <message>
        <source>Exakte Suche</source>
        <translation>exact Search</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>Fließkommasuche:</source>
        <translation>Floating point search</translation>
    </message>
    <message>
        <source>Groß-/Kleinschreibung berücksichtigen</source>
        <translation>Perform case-sensitive comparison</translation>
    </message>
    <message>
        <source>Größer als</source>
        <translation>Greater than</translation>
    </message>
    <message>
        <source>Kleiner als</source>
        <translation>Lower than</translation>
    </message>
    <message>
        <source>Substringsuche</source>
        <translation>at any position</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten</source>
        <translation>Search for alphanumerical data</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Textsuche:</source>
        <translation>Text search:</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_SearchMolecules</name>
    <message>
        <source>Bitte definieren Sie die chemischen Daten, nach denen Sie suchen möchten.</source>
        <translation>Please define the chemistry data you want to search for</translation>
    </message>
    <message>
        <source>Fehler beim Speichern der Daten</source>
        <translation>Error saving data</translation>
    </message>
    <message>
        <source>Hilfeseite konnte nicht gefunden werden.</source>
        <translation>Unable to find help page</translation>
    </message>
    <message>
        <source>Kein Chemieeditor vorhanden</source>
        <translation>No chemistry editor available</translation>
    </message>
    <message>
        <source>Substruktursuche</source>
        <translation>Substructure search</translation>
    </message>
    <message>
        <source>Suchmodus</source>
        <translation>Search Mode</translation>
    </message>
    <message>
        <source>Suche nach Molekülen</source>
        <translation>Search for molecules</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</source>
        <translation>Consider tetrahedral&lt;BR&gt;stereo chemistry</translation>
    </message>
    <message>
        <source>Unbekannte Dateierweiterung</source>
        <translation>Unknown file extension</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten im Clipboard</source>
        <translation>Invalid chemistry data in clipboard</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten in Datei</source>
        <translation>Invalid chemistry data in file</translation>
    </message>
    <message>
        <source>exakte Suche</source>
        <translation>exact Search</translation>
    </message>
</context>
<context>
    <name>ZelmarField</name>
    <message>
        <source>Molekulargewicht</source>
        <translation>Molecular weight</translation>
    </message>
    <message>
        <source>Molekül</source>
        <translation>Molecule</translation>
    </message>
    <message>
        <source>Summenformel</source>
        <translation>Formula</translation>
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
        <translation>%d entries</translation>
    </message>
    <message>
        <source>%d von %d Einträgen geladen</source>
        <translation>%d of %d entries loaded</translation>
    </message>
    <message>
        <source>1 Eintrag</source>
        <translation>1 entry</translation>
    </message>
    <message>
        <source>Alle Datensätze deselektieren</source>
        <translation>Deselect all records</translation>
    </message>
    <message>
        <source>Alle Datensätze selektieren</source>
        <translation>Select all records</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</source>
        <translation>Cut|Moves the selected object to the clipboard</translation>
    </message>
    <message>
        <source>Bitte warten.</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Das Datenblatt &quot;%s&quot; konnte nicht gespeichert werden. Möchten Sie es trotzdem schließen?</source>
        <translation>The data sheet &quot;%s&quot; could not be saved. Do you want to close it anyway?</translation>
    </message>
    <message>
        <source>Das Datenblatt &apos;%s&apos; wurde verändert.&lt;BR&gt;Wollen Sie es speichern, bevor es geschlossen wird?</source>
        <translation>The data sheet &apos;%s&apos; has been changed.&lt;BR&gt;Do you want to save it before closing it?</translation>
    </message>
    <message>
        <source>Das aktuelle Datenblatt wurde noch nicht verändert</source>
        <translation>The current data sheet has not been modified yet</translation>
    </message>
    <message>
        <source>Das aktuelle Datenblatt wurde verändert</source>
        <translation>The current data sheet has been modified</translation>
    </message>
    <message>
        <source>Das Laden der Daten war fehlerhaft. Klicken Sie hier, um die Fehler anzuzeigen.</source>
        <translation>Unable to load all data correctly. Please click here to review the errors.</translation>
    </message>
    <message>
        <source>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Deselects all records|Deselects all records of the current data sheet</translation>
    </message>
    <message>
        <source>Deselektierte Datensätze löschen</source>
        <translation>Delete deselected records</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; hat noch fehlerhafte Einträge. Diese werden nicht mitgespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>The file &quot;%s&quot; still has erroneous entries that will not be saved.&lt;BR&gt;Do you want to save the file anyway?</translation>
    </message>
    <message>
        <source>Die Datensatznummer &quot;%d&quot; liegt außerhalb des Datenbereichs.&lt;BR&gt;Bitte geben Sie eine gültige Datensatznummer ein.</source>
        <translation>The record number &quot;%d&quot; is out of the data range.&lt;BR&gt;Please enter a valid record number.</translation>
    </message>
    <message>
        <source>Die Änderungen an den Feldern konnten nicht vorgenommen werden.</source>
        <translation>Unable to the requested field changes.</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Einfügen|Den Inhalt der Zwischenablage einfügen</source>
        <translation>Paste|Inserts the contents of the clipboard</translation>
    </message>
    <message>
        <source>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</source>
        <translation>Creates a new record|Creates a new record in the current data sheet</translation>
    </message>
    <message>
        <source>Es geschah ein Fehler beim Umbenennen einer Datei.&lt;BR&gt;Fehlermeldung: %s</source>
        <translation>Error renaming file.&lt;BR&gt;Error message: %s</translation>
    </message>
    <message>
        <source>Es konnte kein Record aus der Datei: &quot;%s&quot; geladen werden.&lt;BR&gt;Möglicherweise ist die Datei beschädigt. &lt;BR&gt;Das aktuelle Fenster wird geschlossen.</source>
        <translation>Unable to read a record from the current data file &quot;%s&quot;.&lt;BR&gt;The file may be corrupt.&lt;BR&gt;The current window will be closed.</translation>
    </message>
    <message>
        <source>Es konnte keine Sicherungskopie der Originaldatei erstellt werden. &lt;BR&gt;Wollen Sie das Speichern trotzdem fortsetzen?</source>
        <translation>Unable to create a backup copy of the original file.&lt;BR&gt;Do you want to save anyway?</translation>
    </message>
    <message>
        <source>Es sind derzeitig keine Daten verfügbar, die angezeigt werden könnten. </source>
        <translation>There is currently no data that could be displayed</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Exportiert das Molekül als MOL-Datei</source>
        <translation>Exports the molecule into a MOL file</translation>
    </message>
    <message>
        <source>Fehlerhafte Datensätze löschen</source>
        <translation>Delete erroneous records</translation>
    </message>
    <message>
        <source>Fehlermeldung</source>
        <translation>Error message</translation>
    </message>
    <message>
        <source>Feld leeren</source>
        <translation>Clear field</translation>
    </message>
    <message>
        <source>Feld leeren|Löscht den Inhalt der aktuellen Zelle</source>
        <translation>Clear field|Deletes the contents of the current cell</translation>
    </message>
    <message>
        <source>Gehe zu...</source>
        <translation>Go to...</translation>
    </message>
    <message>
        <source>Häkchen</source>
        <translation>Check mark</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Indiziere SD-Datei: %s</source>
        <translation>Indexing SD File: %s</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</source>
        <translation>Copy|Copies the selected object to the clipboard</translation>
    </message>
    <message>
        <source>Lade SD-Datei: %s</source>
        <translation>Loading SD file: %s</translation>
    </message>
    <message>
        <source>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</source>
        <translation>Deletes the deselected records|Deletes all deselected records of the current data sheet</translation>
    </message>
    <message>
        <source>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</source>
        <translation>Deletes erroneous records|Deletes all erroneous records of the current data sheet</translation>
    </message>
    <message>
        <source>MOL-Datei exportieren</source>
        <translation>Export MOL file</translation>
    </message>
    <message>
        <source>MOL-Datei importieren</source>
        <translation>Import MOL file</translation>
    </message>
    <message>
        <source>MOL-Dateien (*.mol)|*.mol|Alle Dateien (*.*)|*.*</source>
        <translation>MOL files(*.mol)|*.mol|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Molekül aus MOL-Datei importieren</source>
        <translation>Import molecule from MOL file</translation>
    </message>
    <message>
        <source>Neuer Datensatz</source>
        <translation>New Record</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>SD files (*.sdf)</translation>
    </message>
    <message>
        <source>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Selects all records|Selects all records of the current data sheet</translation>
    </message>
    <message>
        <source>Sortiere Daten. Drücken Sie ESC, um abzubrechen</source>
        <translation>Sorting data. Press ESC to cancel</translation>
    </message>
    <message>
        <source>Speichere Datei: &quot;%s&quot;</source>
        <translation>Saving file: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</source>
        <translation>Go to record|Goes to the given record of the current data sheet</translation>
    </message>
    <message>
        <source>Suche läuft. Drücken Sie ESC, um die Suche abzubrechen.</source>
        <translation>Searching. Press ESC to cancel</translation>
    </message>
    <message>
        <source>Ungültiger Dateiname: %s&lt;BR&gt;Aktuelles Fenster wird geschlossen.</source>
        <translation>Invalid file name: %s&lt;BR&gt;The current window will be closed.</translation>
    </message>
    <message>
        <source>Während dem Speichern der Datei &quot;%s&quot; ist ein Fehler aufgetreten.&lt;BR&gt;Beim Speichern des Datensatzes %d ist der Fehler &quot;%s&quot; aufgetreten.&lt;BR&gt;Möchten Sie mit dem Speichern fortfahren?</source>
        <translation>Error saving the file &quot;%s&quot;.&lt;BR&gt;The error happened when saving record %d. The error message is &quot;%s&quot;. Do you want to continue and try to save the other records?</translation>
    </message>
    <message>
        <source>Während dem Speichern der Datei: &quot;%s&quot; ist der Fehler : %s aufgetreten. &lt;BR&gt;Das Speichern kann nicht fortgesetzt werden.</source>
        <translation>Error saving the file &quot;%s&quot; due to error &quot;%s&quot;.&lt;BR&gt;Cannot continue saving the file.</translation>
    </message>
    <message>
        <source>SD-Datei speichern unter</source>
        <translation>Save SD file as</translation>
    </message>
    <message>
        <source>1 Datensatz ist nicht markiert und wird nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>1 record is not ticked and will not be saved.&lt;BR&gt;Do you want to continue saving?</translation>
    </message>
    <message>
        <source>%d Datensätze sind nicht markiert und werden nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>%d records are not ticked and will not be saved.&lt;BR&gt;Do you want to continue saving?</translation>
    </message>
    <message>
        <source>Werte als Zahlen</source>
        <translation>Values as numbers</translation>
    </message>
    <message>
        <source>Werte als Zahlen|Sortiert, sucht und vergleicht die Werte dieser Spalte als Zahlen</source>
        <translation>Values as numbers|Sorts, searches and compares the values of this column as numbers</translation>
    </message>
    <message>
        <source>Natürliche Reihenfolge</source>
        <translation>Natural order</translation>
    </message>
    <message>
        <source>Natürliche Reihenfolge|Sortiert Ziffernfolgen nach ihrem Wert (CHEMBL9 vor CHEMBL10)</source>
        <translation>Natural order|Sorts runs of digits by their value (CHEMBL9 before CHEMBL10)</translation>
    </message>
    <message>
        <source>Spaltenstatistik...</source>
        <translation>Column statistics...</translation>
    </message>
    <message>
        <source>Spaltenstatistik|Zeigt Anzahl, Minimum, Maximum, Mittelwert, Median und Verteilung der Werte dieser Spalte</source>
        <translation>Column statistics|Shows the count, minimum, maximum, mean, median and distribution of this column&apos;s values</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl setzen</source>
        <translation>Tick the selection</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl setzen|Setzt das Häkchen der ausgewählten Zeilen</source>
        <translation>Tick the selection|Ticks the selected rows</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl entfernen</source>
        <translation>Untick the selection</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl entfernen|Entfernt das Häkchen der ausgewählten Zeilen</source>
        <translation>Untick the selection|Unticks the selected rows</translation>
    </message>
    <message>
        <source>%d eingefügte Datensätze konnten nicht gelesen werden.</source>
        <translation>%d pasted records could not be read.</translation>
    </message>
    <message>
        <source>Zelle %s</source>
        <translation>Cell %s</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Text oder Zahl, z. B. &gt;300 oder 100..200</source>
        <translation>Text or number, e.g. &gt;300 or 100..200</translation>
    </message>
    <message>
        <source>Struktur...</source>
        <translation>Structure...</translation>
    </message>
    <message>
        <source>Zeigt nur die Datensätze, die eine gezeichnete Teilstruktur enthalten</source>
        <translation>Shows only the records that contain a drawn substructure</translation>
    </message>
    <message>
        <source>Filter aufheben (Esc)</source>
        <translation>Clear the filter (Esc)</translation>
    </message>
    <message>
        <source>Das Feld, in dem gesucht wird</source>
        <translation>The field to look in</translation>
    </message>
    <message>
        <source>Alle Felder</source>
        <translation>All fields</translation>
    </message>
    <message>
        <source>Bitte eine Zahl oder einen Vergleich eingeben, z. B. 300, &gt;300, &lt;=5 oder 100..200</source>
        <translation>Please enter a number or a comparison, e.g. 300, &gt;300, &lt;=5 or 100..200</translation>
    </message>
    <message>
        <source>%d von %d Einträgen</source>
        <translation>%d of %d entries</translation>
    </message>
    <message>
        <source>Gespeichert: alle %d Einträge, auch die vom Filter ausgeblendeten</source>
        <translation>Saved: all %d entries, including those the filter hides</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>Kopiere Daten. Drücken Sie ESC, um das Kopieren abzubrechen.</source>
        <translation>Copying data. Press ESC to stop copying.</translation>
    </message>
    <message>
        <source>Kennungen einblenden</source>
        <translation>Show identifiers</translation>
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
        <translation>SMILES|Shows the molecules&apos; canonical SMILES in a column of their own</translation>
    </message>
    <message>
        <source>InChI|Zeigt die Standard-InChI der Moleküle in einer eigenen Spalte</source>
        <translation>InChI|Shows the molecules&apos; standard InChI in a column of their own</translation>
    </message>
    <message>
        <source>InChIKey|Zeigt die Standard-InChIKeys der Moleküle in einer eigenen Spalte</source>
        <translation>InChIKey|Shows the molecules&apos; standard InChIKeys in a column of their own</translation>
    </message>
    <message>
        <source>Als Datenfeld übernehmen</source>
        <translation>Take over as data field</translation>
    </message>
    <message>
        <source>Als Datenfeld übernehmen|Macht aus dieser Spalte ein Datenfeld mit den Werten aller Datensätze, das gespeichert wird</source>
        <translation>Take over as data field|Turns this column into a data field holding the values of every record, which is saved</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogAbout</name>
    <message>
        <source>Den Moleküleditor stellt Ketcher bereit (Apache-Lizenz 2.0, der Lizenztext liegt im Ordner Drawlet).</source>
        <translation>The molecule editor is provided by Ketcher (Apache License 2.0; the licence text is in the Drawlet folder).</translation>
    </message>
    <message>
        <source>Die Chemie rechnet RDKit (BSD-Lizenz), die Oberfläche zeichnet Qt (LGPL). Die Bilder der Befehle sind für Zelmar gezeichnet.</source>
        <translation>Chemistry is computed by RDKit (BSD licence), the interface is drawn by Qt (LGPL). The command images were drawn for Zelmar.</translation>
    </message>
    <message>
        <source>Info über Zelmar</source>
        <translation>About Zelmar</translation>
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
        <translation>Zelmar, a tool for SD files: view, edit, sort, search and compare records, and save them without loss.</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogGotoRecord</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Anzahl der Datensätze:</source>
        <translation>Record count:</translation>
    </message>
    <message>
        <source>Datensatznummer:</source>
        <translation>Record number:</translation>
    </message>
    <message>
        <source>Der eingegebene Wert &apos;%s&apos; ist keine gültige Zahl. Bitte geben Sie eine ganzzahlige Position an</source>
        <translation>The value you have entered (&apos;%s&apos;) is not a valid number. Please enter an integer position.</translation>
    </message>
    <message>
        <source>Gehe zu Datensatz</source>
        <translation>Go to record</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Bitte geben Sie eine Zahl zwischen 1 und %d an.</source>
        <translation>Please enter a number between 1 and %d.</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogLoadErros</name>
    <message>
        <source>Error Text</source>
        <translation>Error Text</translation>
    </message>
    <message>
        <source>Hier sind die Details zu den Ladefehlern einzusehen.</source>
        <translation>Here you can see the details for your loading errors.</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Ladefehler</source>
        <translation>Error loading records</translation>
    </message>
    <message>
        <source>Ladefehler anzeigen</source>
        <translation>Show loading errors</translation>
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
        <translation>%1 without the molecules of %2</translation>
    </message>
    <message>
        <source>%2 ohne die Moleküle von %1</source>
        <translation>%2 without the molecules of %1</translation>
    </message>
    <message>
        <source>&amp;Alle verkleinern</source>
        <translation>&amp;Minimize all</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Fenster</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Vertikal anordnen</source>
        <translation>&amp;Arrange vertically</translation>
    </message>
    <message>
        <source>&amp;Aktuelles Datenblatt</source>
        <translation>&amp;Current data sheet</translation>
    </message>
    <message>
        <source>Alle &amp;wiederherstellen</source>
        <translation>&amp;Restore all</translation>
    </message>
    <message>
        <source>Alle Datensätze deselektieren</source>
        <translation>Deselect all records</translation>
    </message>
    <message>
        <source>Alle Datensätze selektieren</source>
        <translation>Select all records</translation>
    </message>
    <message>
        <source>Alle an&amp;ordnen</source>
        <translation>Arran&amp;ge all</translation>
    </message>
    <message>
        <source>Alle anordnen|Ordnet die Symbole der verkleinerten Fenster an</source>
        <translation>Arrange all|Arranges the icons of the minimized windows</translation>
    </message>
    <message>
        <source>Alle verkleinern|Verkleinert alle Fenster zu Symbolen</source>
        <translation>Minimize all|Minimizes all windows</translation>
    </message>
    <message>
        <source>Alle wiederherstellen|Stellt alle Fenster in ihrer normalen Größe wieder her</source>
        <translation>Restore all|Restores all windows to their normal size</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</source>
        <translation>Cut|Moves the selected object to the clipboard</translation>
    </message>
    <message>
        <source>B&amp;earbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Beenden|Anwendung beenden</source>
        <translation>Exit|Quit the application</translation>
    </message>
    <message>
        <source>Cannot perform open the command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</source>
        <translation>Cannot perform the open command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</translation>
    </message>
    <message>
        <source>Could not retrieve module base file name</source>
        <translation>Could not retrieve module base file name</translation>
    </message>
    <message>
        <source>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</source>
        <translation>File version: %s - Zelmar, a tool for SD files</translation>
    </message>
    <message>
        <source>Datenblätter mischen...</source>
        <translation>Combine data sheets...</translation>
    </message>
    <message>
        <source>Datenblätter mischen|Verbindet zwei Datenblätter Molekül für Molekül zu einem neuen</source>
        <translation>Combine data sheets|Combines two data sheets molecule by molecule into a new one</translation>
    </message>
    <message>
        <source>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Deselects all records|Deselects all records of the current data sheet</translation>
    </message>
    <message>
        <source>Deselektierte Datensätze löschen</source>
        <translation>Delete deselected records</translation>
    </message>
    <message>
        <source>Duplikate nach %1 in %2</source>
        <translation>Duplicates by %1 in %2</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Einfügen|Den Inhalt der Zwischenablage einfügen</source>
        <translation>Paste|Inserts the contents of the clipboard</translation>
    </message>
    <message>
        <source>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</source>
        <translation>Creates a new record|Creates a new record in the current data sheet</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Exportiert das Molekül als MOL-Datei</source>
        <translation>Exports the molecule into a MOL file</translation>
    </message>
    <message>
        <source>Fehlerhafte Datensätze löschen</source>
        <translation>Delete erroneous records</translation>
    </message>
    <message>
        <source>Felder bearbeiten...</source>
        <translation>Edit fields...</translation>
    </message>
    <message>
        <source>Felder bearbeiten|Benennt die Felder des aktuellen Datenblattes um, fügt Felder hinzu, löscht, ordnet und verbirgt sie</source>
        <translation>Edit fields|Renames, adds, deletes, orders and hides the fields of the current data sheet</translation>
    </message>
    <message>
        <source>Gehe zu...</source>
        <translation>Go to...</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Hori&amp;zontal anordnen</source>
        <translation>Align hori&amp;zontally</translation>
    </message>
    <message>
        <source>Horizontal anordnen|Ordnet die Fenster untereinander an</source>
        <translation>Align horizontally|Arranges the windows one above the other</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Info ...</source>
        <translation>About ...</translation>
    </message>
    <message>
        <source>Info|Zeigt die Versionen des Programms und seiner Bibliotheken</source>
        <translation>About|Shows the versions of the program and its libraries</translation>
    </message>
    <message>
        <source>Invalid file selected. Please select a SD file</source>
        <translation>Invalid file selected. Please select a SD file</translation>
    </message>
    <message>
        <source>Keine Suchergebnisse vorhanden</source>
        <translation>No search results available</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</source>
        <translation>Copy|Copies the selected object to the clipboard</translation>
    </message>
    <message>
        <source>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</source>
        <translation>Deletes the deselected records|Deletes all deselected records of the current data sheet</translation>
    </message>
    <message>
        <source>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</source>
        <translation>Deletes erroneous records|Deletes all erroneous records of the current data sheet</translation>
    </message>
    <message>
        <source>Molekül</source>
        <translation>Molecule</translation>
    </message>
    <message>
        <source>Molekül aus MOL-Datei importieren</source>
        <translation>Import molecule from MOL file</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen...</source>
        <translation>Setup molecule display...</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen|Legt fest, an welchen Atomen die Strukturen Wasserstoffatome zeigen</source>
        <translation>Setup molecule display|Sets at which atoms the structures show hydrogen atoms</translation>
    </message>
    <message>
        <source>Neuer Datensatz</source>
        <translation>New Record</translation>
    </message>
    <message>
        <source>Neu|Neue Datei erstellen</source>
        <translation>New|Create new file</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Rückgängig: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Rückgängig|Nimmt die letzte Änderung am Datenblatt zurück</source>
        <translation>Undo|Takes back the last change to the sheet</translation>
    </message>
    <message>
        <source>S&amp;chließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>SD files (*.sdf)</translation>
    </message>
    <message>
        <source>Schließen|Aktuelle Datei schließen</source>
        <translation>Close|Close the current file</translation>
    </message>
    <message>
        <source>Schnittmenge von %1 und %2</source>
        <translation>Intersection of %1 and %2</translation>
    </message>
    <message>
        <source>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Selects all records|Selects all records of the current data sheet</translation>
    </message>
    <message>
        <source>Speichern &amp;unter...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Speichern unter|Eine Datei unter einem anderen Namen speichern</source>
        <translation>Save as|Saves the current file under a new name</translation>
    </message>
    <message>
        <source>Speichern|Aktuelle Datei speichern</source>
        <translation>Save|Save the current file</translation>
    </message>
    <message>
        <source>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</source>
        <translation>Go to record|Goes to the given record of the current data sheet</translation>
    </message>
    <message>
        <source>Struktursuche (%1) in %2</source>
        <translation>Structure search (%1) in %2</translation>
    </message>
    <message>
        <source>Struktursuche (%1, mit Stereochemie) in %2</source>
        <translation>Structure search (%1, with stereo chemistry) in %2</translation>
    </message>
    <message>
        <source>Substruktur</source>
        <translation>substructure</translation>
    </message>
    <message>
        <source>Suche nach %1 in %2 von %3</source>
        <translation>Search for %1 in %2 of %3</translation>
    </message>
    <message>
        <source>Suche nach Duplikaten...</source>
        <translation>Search for duplicates...</translation>
    </message>
    <message>
        <source>Suche nach Duplikaten|Findet Datensätze mit gleichen Werten oder gleichen Molekülen</source>
        <translation>Search for duplicates|Finds records with equal values or identical molecules</translation>
    </message>
    <message>
        <source>Suche nach Molekülen...</source>
        <translation>Search for molecules...</translation>
    </message>
    <message>
        <source>Suche nach Molekülen|Durchsucht das aktuelle Datenblatt nach Strukturen</source>
        <translation>Search for molecules|Searches the current data sheet for structures</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten...</source>
        <translation>Search for alphanumerical data...</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten|Durchsucht ein Feld des aktuellen Datenblattes nach einem Text oder einer Zahl</source>
        <translation>Search for alphanumerical data|Searches a field of the current data sheet for a text or a number</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>Suchergebnis</source>
        <translation>Search result</translation>
    </message>
    <message>
        <source>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</translation>
    </message>
    <message>
        <source>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</translation>
    </message>
    <message>
        <source>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</translation>
    </message>
    <message>
        <source>The file versions of the necessary runtime libraries could not be verified</source>
        <translation>The file versions of the necessary runtime libraries could not be verified</translation>
    </message>
    <message>
        <source>Unbekannte Dateiversion</source>
        <translation>Unknown file version</translation>
    </message>
    <message>
        <source>Vereinigung von %1 und %2</source>
        <translation>Union of %1 and %2</translation>
    </message>
    <message>
        <source>Vertikal anordnen|Ordnet die Fenster nebeneinander an</source>
        <translation>Arrange vertically|Arranges the windows side by side</translation>
    </message>
    <message>
        <source>Wiederherstellen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Wiederherstellen: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>Wiederherstellen|Führt die zuletzt zurückgenommene Änderung wieder aus</source>
        <translation>Redo|Makes the change taken back last again</translation>
    </message>
    <message>
        <source>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</translation>
    </message>
    <message>
        <source>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</translation>
    </message>
    <message>
        <source>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</translation>
    </message>
    <message>
        <source>Zelle löschen</source>
        <translation>Delete cell</translation>
    </message>
    <message>
        <source>Zelle löschen|Löscht den Inhalt der aktuellen Zelle</source>
        <translation>Delete cell|Deletes the contents of the current cell</translation>
    </message>
    <message>
        <source>Zelmar</source>
        <translation>Zelmar</translation>
    </message>
    <message>
        <source>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</source>
        <translation>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</translation>
    </message>
    <message>
        <source>Zelmar was unable to retrive the dropped files&apos; full path names</source>
        <translation>Zelmar was unable to retrieve the dropped files&apos; full path names</translation>
    </message>
    <message>
        <source>exakte Struktur</source>
        <translation>exact structure</translation>
    </message>
    <message>
        <source>nicht gefunden</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>O&amp;pen</translation>
    </message>
    <message>
        <source>Öffnen|Vorhandene Datei öffnen</source>
        <translation>Open|Open an existing file</translation>
    </message>
    <message>
        <source>Ü&amp;berlappend</source>
        <translation>Over&amp;lapping</translation>
    </message>
    <message>
        <source>Überlappend|Ordnet die Fenster überlappend an</source>
        <translation>Overlapping|Arranges the windows overlapping</translation>
    </message>
    <message>
        <source>SD-Datei öffnen</source>
        <translation>Open SD file</translation>
    </message>
    <message>
        <source>&amp;Zuletzt geöffnet</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>(keine)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Filtern...</source>
        <translation>Filter...</translation>
    </message>
    <message>
        <source>Filtern|Zeigt im Datenblatt nur die Datensätze, die einem Text, einer Zahl oder einer Struktur entsprechen</source>
        <translation>Filter|Shows only the records of the sheet that match a text, a number or a structure</translation>
    </message>
    <message>
        <source>&amp;Handbuch</source>
        <translation>&amp;Manual</translation>
    </message>
    <message>
        <source>Handbuch|Zeigt das Benutzerhandbuch von Zelmar</source>
        <translation>Manual|Shows the Zelmar user manual</translation>
    </message>
    <message>
        <source>Treffer hervorgehoben</source>
        <translation>Hits highlighted</translation>
    </message>
    <message>
        <source>Duplikate nach %1 (%2) in %3</source>
        <translation>Duplicates by %1 (%2) in %3</translation>
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
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Nicht s&amp;peichern</source>
        <translation>&amp;Don&apos;t save</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ZelmarTool</name>
    <message>
        <source>&quot;%s&quot; ist ein Ordner, keine SD-Datei.</source>
        <translation>&quot;%s&quot; is a folder, not an SD file.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; ist keine Zahl.</source>
        <translation>&quot;%s&quot; is not a number.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; konnte nicht nach %s sortiert werden.</source>
        <translation>&quot;%s&quot; could not be sorted by %s.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; und &quot;%s&quot; konnten nicht gemischt werden.</source>
        <translation>&quot;%s&quot; and &quot;%s&quot; could not be mixed.</translation>
    </message>
    <message>
        <source>%s: %s Datensätze konnten nicht gelesen werden und bleiben unverändert erhalten.</source>
        <translation>%s: %s records could not be read and are kept unchanged.</translation>
    </message>
    <message>
        <source>%s: --kind gilt nur für Datenfelder, nicht für %s.</source>
        <translation>%s: --kind applies only to data fields, not to %s.</translation>
    </message>
    <message>
        <source>%s: --kind ist text oder number, nicht &quot;%s&quot;.</source>
        <translation>%s: --kind is text or number, not &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>%s: Bitte die Option &quot;%s&quot; angeben. Hilfe: zelmar-tool %s --help</source>
        <translation>%s: please give the option &quot;%s&quot;. Help: zelmar-tool %s --help</translation>
    </message>
    <message>
        <source>%s: Bitte eine Ausgabedatei mit -o angeben (- für die Standardausgabe).</source>
        <translation>%s: please give an output file with -o (- for standard output).</translation>
    </message>
    <message>
        <source>%s: Bitte genau eine Eingabedatei angeben.</source>
        <translation>%s: please give exactly one input file.</translation>
    </message>
    <message>
        <source>%s: Bitte genau zwei Eingabedateien angeben.</source>
        <translation>%s: please give exactly two input files.</translation>
    </message>
    <message>
        <source>%s: Datensatz %s (Zeile %s): %s</source>
        <translation>%s: record %s (line %s): %s</translation>
    </message>
    <message>
        <source>%s: Der Option &quot;%s&quot; fehlt ihr Wert.</source>
        <translation>%s: option &quot;%s&quot; needs a value.</translation>
    </message>
    <message>
        <source>%s: unbekannte Option &quot;%s&quot;. Hilfe: zelmar-tool %s --help</source>
        <translation>%s: unknown option &quot;%s&quot;. Help: zelmar-tool %s --help</translation>
    </message>
    <message>
        <source>Das Feld &quot;%s&quot; gibt es in &quot;%s&quot; nicht. Felder: %s</source>
        <translation>There is no field &quot;%s&quot; in &quot;%s&quot;. Fields: %s</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Datensatz %s: %s</source>
        <translation>record %s: %s</translation>
    </message>
    <message>
        <source>Datensätze:</source>
        <translation>Records:</translation>
    </message>
    <message>
        <source>Die Abfrage &quot;%s&quot; ist kein lesbares Molekül.</source>
        <translation>The query &quot;%s&quot; is not a readable molecule.</translation>
    </message>
    <message>
        <source>Die Abfrage &quot;%s&quot; kann nicht gelesen werden.</source>
        <translation>The query &quot;%s&quot; cannot be read.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist auch eine Eingabedatei und wird nicht überschrieben.</source>
        <translation>The output file &quot;%s&quot; is also an input file and is not overwritten.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist ein Ordner.</source>
        <translation>The output file &quot;%s&quot; is a folder.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist schreibgeschützt.</source>
        <translation>The output file &quot;%s&quot; is read-only.</translation>
    </message>
    <message>
        <source>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight oder molecule; - liest die Standardeingabe oder schreibt die Standardausgabe.</source>
        <translation>The sheets&apos; commands for scripts. FIELD is a data field, formula, weight or molecule; - reads standard input or writes standard output.</translation>
    </message>
    <message>
        <source>Die Bibliothek %s wurde nicht gefunden.</source>
        <translation>The library %s was not found.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; enthält keinen lesbaren SD-Datensatz.</source>
        <translation>The file &quot;%s&quot; holds no readable SD record.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; gibt es nicht.</source>
        <translation>The file &quot;%s&quot; does not exist.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist leer.</source>
        <translation>The file &quot;%s&quot; is empty.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist mit gzip gepackt. Bitte zuerst entpacken (gunzip).</source>
        <translation>The file &quot;%s&quot; is compressed with gzip. Please unpack it first (gunzip).</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; kann nicht gelesen werden: %s</source>
        <translation>The file &quot;%s&quot; cannot be read: %s</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; konnte nicht geschrieben werden: %s</source>
        <translation>The file &quot;%s&quot; could not be written: %s</translation>
    </message>
    <message>
        <source>Die Standardeingabe kann nur einmal gelesen werden.</source>
        <translation>Standard input can be read only once.</translation>
    </message>
    <message>
        <source>Die Suche in &quot;%s&quot; ist fehlgeschlagen.</source>
        <translation>The search in &quot;%s&quot; failed.</translation>
    </message>
    <message>
        <source>Felder:</source>
        <translation>Fields:</translation>
    </message>
    <message>
        <source>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern.</source>
        <translation>Combines two files molecule by molecule, as mixing sheets does.</translation>
    </message>
    <message>
        <source>Kodierung:</source>
        <translation>Encoding:</translation>
    </message>
    <message>
        <source>Lesen:</source>
        <translation>Reading:</translation>
    </message>
    <message>
        <source>Mischen:</source>
        <translation>Mixing:</translation>
    </message>
    <message>
        <source>Nicht lesbare Datensätze:</source>
        <translation>Unreadable records:</translation>
    </message>
    <message>
        <source>Rückgabewert: 0 erledigt, 1 nichts gefunden, 2 falscher Aufruf oder fehlerhafte Eingabe.</source>
        <translation>Exit status: 0 done, 1 nothing found, 2 bad use or bad input.</translation>
    </message>
    <message>
        <source>Schreiben:</source>
        <translation>Writing:</translation>
    </message>
    <message>
        <source>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe.</source>
        <translation>Writes the records of each group of equal values, group after group (in number fields 1.50 equals 1.5); --json gives groups and sizes on standard error.</translation>
    </message>
    <message>
        <source>Schreibt die Treffer einer Struktur-, Text- oder Zahlensuche. --min, --max und --equal suchen in weight und in Zahlenfeldern nach dem Wert; --min und --max zählen Werte echt darüber bzw. darunter, &quot;&gt;10&quot; ist größer als 9 und nie gleich 10.</source>
        <translation>Writes the hits of a structure, text or number search. --min, --max and --equal search weight and number fields by value; --min and --max count values strictly above and below, &quot;&gt;10&quot; is greater than 9 and never equal to 10.</translation>
    </message>
    <message>
        <source>Schreibt eine Tabelle mit Kopfzeile: die Datenfelder, Summenformel und Molekulargewicht.</source>
        <translation>Writes a table with a header row: the data fields, formula and molecular weight.</translation>
    </message>
    <message>
        <source>Sortieren:</source>
        <translation>Sorting:</translation>
    </message>
    <message>
        <source>Sortiert die Datensätze nach einem Feld, wie ein Klick auf die Spaltenüberschrift: Zahlenfelder nach dem Wert, Text nach dem Gebietsschema. --natural vergleicht Ziffernfolgen eines Datenfelds nach ihrem Wert (CHEMBL9 vor CHEMBL10); --kind liest ein Datenfeld als Text oder als Zahlen.</source>
        <translation>Sorts the records by a field, as a click on the column header does: number fields by value, text by the locale. --natural compares runs of digits in a data field by their value (CHEMBL9 before CHEMBL10); --kind reads a data field as text or as numbers.</translation>
    </message>
    <message>
        <source>Standardeingabe</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>Suchen:</source>
        <translation>Searching:</translation>
    </message>
    <message>
        <source>Unbekannter Befehl &quot;%s&quot;. Hilfe: zelmar-tool --help</source>
        <translation>Unknown command &quot;%s&quot;. Help: zelmar-tool --help</translation>
    </message>
    <message>
        <source>Zeigt Datensätze, Felder mit ihrer Art (Datenfelder: text oder number), nicht lesbare Datensätze und Kodierung der Datei.</source>
        <translation>Shows the file&apos;s records, fields with their kind (data fields: text or number), unreadable records and encoding.</translation>
    </message>
    <message>
        <source>export: --format ist csv oder tsv, nicht &quot;%s&quot;.</source>
        <translation>export: --format is csv or tsv, not &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>mix: --op ist intersect, merge, left-minus-right oder right-minus-left, nicht &quot;%s&quot;.</source>
        <translation>mix: --op is intersect, merge, left-minus-right or right-minus-left, not &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>search: --contains und --begins schließen einander aus.</source>
        <translation>search: --contains and --begins exclude each other.</translation>
    </message>
    <message>
        <source>search: --equal schließt --min und --max aus.</source>
        <translation>search: --equal excludes --min and --max.</translation>
    </message>
    <message>
        <source>search: --equal sucht den ganzen Wert; für Teile --text mit --contains oder --begins.</source>
        <translation>search: --equal matches the whole value; for parts use --text with --contains or --begins.</translation>
    </message>
    <message>
        <source>search: --min und --max gelten nur für weight und Zahlenfelder, nicht für %s.</source>
        <translation>search: --min and --max apply only to weight and to number fields, not to %s.</translation>
    </message>
    <message>
        <source>search: --min und --max suchen Zahlen, --text sucht Text: bitte nur eines davon.</source>
        <translation>search: --min and --max search numbers, --text searches text: please give only one of them.</translation>
    </message>
    <message>
        <source>search: Bitte --text oder --equal angeben. Hilfe: zelmar-tool search --help</source>
        <translation>search: please give --text or --equal. Help: zelmar-tool search --help</translation>
    </message>
    <message>
        <source>search: Bitte entweder --substructure Q.mol, --exact Q.mol oder --field F angeben. Hilfe: zelmar-tool search --help</source>
        <translation>search: please give either --substructure Q.mol, --exact Q.mol or --field F. Help: zelmar-tool search --help</translation>
    </message>
    <message>
        <source>search: Das Feld weight wird mit --min, --max oder --equal durchsucht.</source>
        <translation>search: the field weight is searched with --min, --max or --equal.</translation>
    </message>
    <message>
        <source>search: Moleküle werden mit --substructure oder --exact gesucht.</source>
        <translation>search: molecules are searched with --substructure or --exact.</translation>
    </message>
    <message>
        <source>sort: --natural gilt nur für Datenfelder, nicht für %s.</source>
        <translation>sort: --natural applies only to data fields, not to %s.</translation>
    </message>
    <message>
        <source>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight, molecule, smiles, inchi oder inchikey; - liest die Standardeingabe oder schreibt die Standardausgabe.</source>
        <translation>The sheets&apos; commands for scripts. FIELD is a data field, formula, weight, molecule, smiles, inchi or inchikey; - reads standard input or writes standard output.</translation>
    </message>
    <message>
        <source>%s: --policy nimmt salts, charges, isotopes und tautomers, durch Kommas getrennt, nicht &quot;%s&quot;.</source>
        <translation>%s: --policy takes salts, charges, isotopes and tautomers, separated by commas, not &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Die Bibliothek %s kennt keine Duplikatregeln (--policy).</source>
        <translation>The library %s knows no duplicate rules (--policy).</translation>
    </message>
    <message>
        <source>duplicates: --policy gilt nur für --by molecule.</source>
        <translation>duplicates: --policy applies only to --by molecule.</translation>
    </message>
    <message>
        <source>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe. --policy salts,charges,isotopes,tautomers (jede Auswahl, durch Kommas getrennt) lässt Moleküle auch dann gleich sein, wenn sie sich nur in Salzen und Lösungsmitteln, Ladungen, Isotopen oder als Tautomere unterscheiden.</source>
        <translation>Writes the records of each group of equal values, group by group (in number fields 1.50 equals 1.5); --json names groups and sizes on standard error. --policy salts,charges,isotopes,tautomers (any choice, separated by commas) makes molecules the same also when they differ only in salts and solvents, charges, isotopes or as tautomers.</translation>
    </message>
    <message>
        <source>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern; --policy vergleicht die Moleküle nach denselben Regeln wie duplicates.</source>
        <translation>Combines two files molecule by molecule, as mixing sheets does; --policy compares the molecules by the same rules as duplicates.</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogColumnStatistics</name>
    <message>
        <source>Wert</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Lese die Werte der Spalte...</source>
        <translation>Reading the column&apos;s values...</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Datensätze: %1, leer: %2, keine Zahl: %3</source>
        <translation>Records: %1, empty: %2, not a number: %3</translation>
    </message>
    <message>
        <source>Zahlen: %1, Minimum: %2, Maximum: %3</source>
        <translation>Numbers: %1, minimum: %2, maximum: %3</translation>
    </message>
    <message>
        <source>Mittelwert: %1, Median: %2</source>
        <translation>Mean: %1, median: %2</translation>
    </message>
    <message>
        <source>Spaltenstatistik - %1</source>
        <translation>Column statistics - %1</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogExport</name>
    <message>
        <source>SMILES-Spalte &amp;hinzufügen</source>
        <translation>Add a S&amp;MILES column</translation>
    </message>
    <message>
        <source>E&amp;xportieren...</source>
        <translation>E&amp;xport...</translation>
    </message>
    <message>
        <source>Exportieren|Die Datensätze als SD-Datei, CSV, TSV oder Excel-Arbeitsmappe schreiben</source>
        <translation>Export|Write the records as an SD file, CSV, TSV or Excel workbook</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>&amp;SD-Datei (*.sdf)</source>
        <translation>&amp;SD file (*.sdf)</translation>
    </message>
    <message>
        <source>&amp;CSV, durch Kommas getrennt (*.csv)</source>
        <translation>&amp;CSV, comma-separated (*.csv)</translation>
    </message>
    <message>
        <source>&amp;TSV, durch Tabulatoren getrennt (*.tsv)</source>
        <translation>&amp;TSV, tab-separated (*.tsv)</translation>
    </message>
    <message>
        <source>E&amp;xcel-Arbeitsmappe (*.xlsx)</source>
        <translation>E&amp;xcel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>Datensätze</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Alle (%d)</source>
        <translation>&amp;All (%d)</translation>
    </message>
    <message>
        <source>Nur die &amp;markierten (%d)</source>
        <translation>Only the &amp;ticked ones (%d)</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>SD files (*.sdf)</translation>
    </message>
    <message>
        <source>CSV-Dateien (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>TSV-Dateien (*.tsv)</source>
        <translation>TSV files (*.tsv)</translation>
    </message>
    <message>
        <source>Excel-Arbeitsmappen (*.xlsx)</source>
        <translation>Excel workbooks (*.xlsx)</translation>
    </message>
    <message>
        <source>Die Datensätze mit Molekül und allen Datenfeldern; unveränderte genau so, wie sie gelesen wurden.</source>
        <translation>The records with their molecules and all data fields; unchanged ones exactly as they were read.</translation>
    </message>
    <message>
        <source>Eine Tabelle: die Datenfelder, Summenformel und Molekulargewicht; das Molekül auf Wunsch als SMILES.</source>
        <translation>A table: the data fields, formula and molecular weight; the molecule as SMILES on request.</translation>
    </message>
    <message>
        <source>Exportieren nach</source>
        <translation>Export to</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; gibt es schon.&lt;BR&gt;Möchten Sie sie ersetzen?</source>
        <translation>The file &quot;%s&quot; already exists.&lt;BR&gt;Do you want to replace it?</translation>
    </message>
    <message>
        <source>Exportiere &quot;%s&quot; ...</source>
        <translation>Exporting &quot;%s&quot; ...</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; konnte nicht geschrieben werden.&lt;BR&gt;Fehlermeldung: %s</source>
        <translation>The file &quot;%s&quot; could not be written.&lt;BR&gt;Error message: %s</translation>
    </message>
</context>
<context>
    <name>Zelmar_HelpWindow</name>
    <message>
        <source>de</source>
        <translation>en</translation>
    </message>
    <message>
        <source>Zelmar-Handbuch</source>
        <translation>Zelmar Manual</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Zur vorigen Seite</source>
        <translation>To the previous page</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Zur nächsten Seite</source>
        <translation>To the next page</translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Zum Inhaltsverzeichnis des Handbuchs</source>
        <translation>To the manual&apos;s table of contents</translation>
    </message>
</context>
<context>
    <name>ZelmarPolicyChoice</name>
    <message>
        <source>Salze und Lösungsmittel ignorieren</source>
        <translation>Ignore salts and solvents</translation>
    </message>
    <message>
        <source>Nur das größte organische Fragment zählt (Gegenionen und Lösungsmittel fallen weg).</source>
        <translation>Only the largest organic fragment counts (counter ions and solvents are dropped).</translation>
    </message>
    <message>
        <source>ohne Salze</source>
        <translation>without salts</translation>
    </message>
    <message>
        <source>Ladungen ignorieren</source>
        <translation>Ignore charges</translation>
    </message>
    <message>
        <source>Säuren, Basen und Zwitterionen zählen in ihrer neutralen Form.</source>
        <translation>Acids, bases and zwitterions count in their neutral form.</translation>
    </message>
    <message>
        <source>ohne Ladungen</source>
        <translation>without charges</translation>
    </message>
    <message>
        <source>Isotope ignorieren</source>
        <translation>Ignore isotopes</translation>
    </message>
    <message>
        <source>Markierte Atome (13C, D, T) zählen wie unmarkierte.</source>
        <translation>Labelled atoms (13C, D, T) count as unlabelled ones.</translation>
    </message>
    <message>
        <source>ohne Isotope</source>
        <translation>without isotopes</translation>
    </message>
    <message>
        <source>Tautomere als ein Molekül</source>
        <translation>Tautomers as one molecule</translation>
    </message>
    <message>
        <source>Wasserstoff, der zwischen Heteroatomen wandert, zählt nicht (2-Pyridon = 2-Hydroxypyridin); Keto- und Enolform bleiben getrennt.</source>
        <translation>Hydrogen moving between heteroatoms does not count (2-pyridone = 2-hydroxypyridine); keto and enol forms stay apart.</translation>
    </message>
    <message>
        <source>Tautomere vereint</source>
        <translation>tautomers as one</translation>
    </message>
</context>
</TS>
