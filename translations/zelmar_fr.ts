<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ZelmarDialogChooseFields</name>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Bitte wählen Sie aus der Liste ein entsprechendes Feld aus.&lt;BR&gt;Drücken Sie danach OK, um fortzufahren.</source>
        <translation>Veuillez choisir un champ approprié dans la liste.&lt;BR&gt;Cliquez ensuite sur OK pour continuer.</translation>
    </message>
    <message>
        <source>Feld auswählen</source>
        <translation>Choisir un champ</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Champs</translation>
    </message>
    <message>
        <source>Felder auswählen</source>
        <translation>Choisir les champs</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</source>
        <translation>Tenir compte de la&lt;BR&gt;stéréochimie tétraédrique</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogEditChemistry</name>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Anordnen|Ordnet die Elemente auf der Zeichenfläche an</source>
        <translation>Disposer|Dispose les éléments sur la zone de dessin</translation>
    </message>
    <message>
        <source>Any Atom|Zeichnet ein &apos;Any Atom&apos;</source>
        <translation>Atome quelconque|Dessine un « atome quelconque »</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Benzen|Zeichnet einen Benzen-Kreis</source>
        <translation>Benzène|Dessine un cycle benzénique</translation>
    </message>
    <message>
        <source>Bewegen|Bewegt die Zeichenfläche</source>
        <translation>Déplacer|Déplace la zone de dessin</translation>
    </message>
    <message>
        <source>Bitte zeichnen Sie ein Molekül, keine Reaktion.</source>
        <translation>Veuillez dessiner une molécule, pas une réaction.</translation>
    </message>
    <message>
        <source>Br-Atom|Zeichnet ein Br-Atom</source>
        <translation>Atome Br|Dessine un atome Br</translation>
    </message>
    <message>
        <source>C-Atom|Zeichnet ein C-Atom</source>
        <translation>Atome C|Dessine un atome C</translation>
    </message>
    <message>
        <source>Chiral-Flag|Zeichnet ein Chiral-Flag</source>
        <translation>Indicateur chiral|Place l&apos;indicateur chiral</translation>
    </message>
    <message>
        <source>Cl-Atom|Zeichnet ein Cl-Atom</source>
        <translation>Atome Cl|Dessine un atome Cl</translation>
    </message>
    <message>
        <source>Copy chemistry to clipboard</source>
        <translation>Copier la chimie dans le presse-papiers</translation>
    </message>
    <message>
        <source>Cut chemistry to clipboard</source>
        <translation>Couper la chimie vers le presse-papiers</translation>
    </message>
    <message>
        <source>Cyclo-Butan|Zeichnet einen Butan-Kreis</source>
        <translation>Cyclobutane|Dessine un cycle cyclobutane</translation>
    </message>
    <message>
        <source>Cyclo-Heptan|Zeichnet einen Heptan-Kreis</source>
        <translation>Cycloheptane|Dessine un cycle cycloheptane</translation>
    </message>
    <message>
        <source>Cyclo-Hexan|Zeichnet einen Hexan-Kreis</source>
        <translation>Cyclohexane|Dessine un cycle cyclohexane</translation>
    </message>
    <message>
        <source>Cyclo-Oktan|Zeichnet einen Oktan-Kreis</source>
        <translation>Cyclooctane|Dessine un cycle cyclooctane</translation>
    </message>
    <message>
        <source>Cyclo-Pentadien|Zeichnet einen Pentadien-Kreis</source>
        <translation>Cyclopentadiène|Dessine un cycle cyclopentadiène</translation>
    </message>
    <message>
        <source>Cyclo-Pentan|Zeichnet einen Pentan-Kreis</source>
        <translation>Cyclopentane|Dessine un cycle cyclopentane</translation>
    </message>
    <message>
        <source>Cyclo-Propan|Zeichnet einen Propan-Kreis</source>
        <translation>Cyclopropane|Dessine un cycle cyclopropane</translation>
    </message>
    <message>
        <source>Das Molekül konnte nicht aus dem Editor gelesen werden.</source>
        <translation>La molécule n&apos;a pas pu être lue depuis l&apos;éditeur.</translation>
    </message>
    <message>
        <source>Dieses Molekül kann der Editor nicht lesen. Es bleibt unverändert.</source>
        <translation>L&apos;éditeur ne peut pas lire cette molécule. Elle reste inchangée.</translation>
    </message>
    <message>
        <source>Doppelbindung|Zeichnet eine Doppelbindung</source>
        <translation>Liaison double|Dessine une liaison double</translation>
    </message>
    <message>
        <source>Dreifachbindung|Zeichnet eine Dreifachbindung</source>
        <translation>Liaison triple|Dessine une liaison triple</translation>
    </message>
    <message>
        <source>Editor-Hilfe</source>
        <translation>Aide de l&apos;éditeur</translation>
    </message>
    <message>
        <source>Eine Reaktion kann nicht als Molekül bearbeitet werden.</source>
        <translation>Une réaction ne peut pas être modifiée comme une molécule.</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Einzelbindung|Zeichnet eine Einzelbindung</source>
        <translation>Liaison simple|Dessine une liaison simple</translation>
    </message>
    <message>
        <source>Export chemistry to file</source>
        <translation>Exporter la chimie vers un fichier</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>F-Atom|Zeichnet ein F-Atom</source>
        <translation>Atome F|Dessine un atome F</translation>
    </message>
    <message>
        <source>Fehler beim Speichern der Daten</source>
        <translation>Erreur lors de l&apos;enregistrement des données</translation>
    </message>
    <message>
        <source>Hilfeseite konnte nicht gefunden werden.</source>
        <translation>Page d&apos;aide introuvable.</translation>
    </message>
    <message>
        <source>Import chemistry from file</source>
        <translation>Importer la chimie depuis un fichier</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Info|Zeigt Infos über das Programm an</source>
        <translation>Info|Affiche des informations sur le dessin</translation>
    </message>
    <message>
        <source>Keil|Zeichnet einen Keil</source>
        <translation>Coin|Dessine une liaison en coin</translation>
    </message>
    <message>
        <source>Kein Chemieeditor vorhanden</source>
        <translation>Aucun éditeur de chimie disponible</translation>
    </message>
    <message>
        <source>Klammern|Zeichnet Klammern</source>
        <translation>Crochets|Dessine des crochets</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Lade Molekül von Datei</source>
        <translation>Charger une molécule depuis un fichier</translation>
    </message>
    <message>
        <source>Löschen|Löscht einzelne Elemente</source>
        <translation>Effacer|Efface des éléments un par un</translation>
    </message>
    <message>
        <source>Mapping|Zeichnet Mapping-Nummern</source>
        <translation>Mappage|Dessine des numéros de mappage</translation>
    </message>
    <message>
        <source>Mol files (*.mol)|*.mol</source>
        <translation>Fichiers Mol (*.mol)|*.mol</translation>
    </message>
    <message>
        <source>Molekül Bearbeiten</source>
        <translation>Modifier la molécule</translation>
    </message>
    <message>
        <source>Molekül in Datei speichern</source>
        <translation>Enregistrer la molécule dans un fichier</translation>
    </message>
    <message>
        <source>N-Atom|Zeichnet ein N-Atom</source>
        <translation>Atome N|Dessine un atome N</translation>
    </message>
    <message>
        <source>Negative Ladung|Fügt eine negative Ladung zu einem Atom hinzu</source>
        <translation>Charge négative|Ajoute une charge négative à un atome</translation>
    </message>
    <message>
        <source>Neu|Öffnet ein neues Dokument</source>
        <translation>Nouveau|Ouvre un nouveau document</translation>
    </message>
    <message>
        <source>O-Atom|Zeichnet ein O-Atom</source>
        <translation>Atome O|Dessine un atome O</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>P-Atom|Zeichnet ein P-Atom</source>
        <translation>Atome P|Dessine un atome P</translation>
    </message>
    <message>
        <source>Paste chemistry from clipboard</source>
        <translation>Coller la chimie depuis le presse-papiers</translation>
    </message>
    <message>
        <source>Periodensystem|Öffnet das Periodensystem</source>
        <translation>Tableau périodique|Ouvre le tableau périodique</translation>
    </message>
    <message>
        <source>Positive Ladung|Fügt eine positive Ladung zu einem Atom hinzu</source>
        <translation>Charge positive|Ajoute une charge positive à un atome</translation>
    </message>
    <message>
        <source>Query Atom|Zeichnet ein Query Atom</source>
        <translation>Atome de requête|Dessine un atome de requête</translation>
    </message>
    <message>
        <source>Reaktions-Pfeil|Zeichnet einen Reaktions-Pfeil</source>
        <translation>Flèche de réaction|Dessine une flèche de réaction</translation>
    </message>
    <message>
        <source>Reaktions-Plus|Zeichnet ein Reaktions-Plus</source>
        <translation>Plus de réaction|Dessine un plus de réaction</translation>
    </message>
    <message>
        <source>Rückgängig|Macht die letzte Eingabe rückgängig</source>
        <translation>Annuler|Annule la dernière saisie</translation>
    </message>
    <message>
        <source>S-Atom|Zeichnet ein S-Atom</source>
        <translation>Atome S|Dessine un atome S</translation>
    </message>
    <message>
        <source>Selektieren|Wechselt in den Selektiermodus</source>
        <translation>Sélectionner|Passe en mode sélection</translation>
    </message>
    <message>
        <source>Spez. Bindung|Zeichnet spezielle Bindungen</source>
        <translation>Liaison spéciale|Dessine des liaisons spéciales</translation>
    </message>
    <message>
        <source>Unbekannte Dateierweiterung</source>
        <translation>Extension de fichier inconnue</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten in Datei</source>
        <translation>Données chimiques non valides dans le fichier</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten im Clipboard</source>
        <translation>Données chimiques non valides dans le presse-papiers</translation>
    </message>
    <message>
        <source>Zentrieren|Zentriert die Zeichenfläche auf die einzelnen Elemente</source>
        <translation>Centrer|Centre la zone de dessin sur les éléments</translation>
    </message>
    <message>
        <source>gestr. Keil|Zeichnet einen gestrichelten Keil</source>
        <translation>Coin hachuré|Dessine une liaison en coin hachurée</translation>
    </message>
    <message>
        <source>gezackte Bindung|Zeichnet eine gezackte Bindung</source>
        <translation>Chaîne|Dessine une chaîne en zigzag</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogEditMolPropertys</name>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Anzeige an Heteroatomen</source>
        <translation>Afficher sur les hétéroatomes</translation>
    </message>
    <message>
        <source>Anzeige an Hetero- und Terminalatomen</source>
        <translation>Afficher sur les hétéroatomes et les atomes terminaux</translation>
    </message>
    <message>
        <source>Anzeige an Terminalatomen</source>
        <translation>Afficher sur les atomes terminaux</translation>
    </message>
    <message>
        <source>Anzeige an allen Atomen</source>
        <translation>Afficher sur tous les atomes</translation>
    </message>
    <message>
        <source>Anzeige von Wasserstoffatomen:</source>
        <translation>Affichage des atomes d&apos;hydrogène :</translation>
    </message>
    <message>
        <source>Anzeigeeinstellung von Molekülen verändern</source>
        <translation>Modifier l&apos;affichage des molécules</translation>
    </message>
    <message>
        <source>Ausblenden</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>Hier können Sie die Anzeige von Wasserstoffatomen der Moleküle verändern. Diese Einstellungen gelten global.</source>
        <translation>Vous pouvez modifier ici l&apos;affichage des atomes d&apos;hydrogène des molécules. Ces réglages s&apos;appliquent partout.</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen</source>
        <translation>Réglage de l&apos;affichage des molécules</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Spalten des aktuellen Datenblatts:</source>
        <translation>Colonnes de la feuille active :</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Alle Datensätze zusammenfassen</source>
        <translation>Réunir tous les enregistrements</translation>
    </message>
    <message>
        <source>Ausgabeeinstellungen</source>
        <translation>Paramètres de sortie</translation>
    </message>
    <message>
        <source>Datenblätter zusammenführen</source>
        <translation>Combiner des feuilles de données</translation>
    </message>
    <message>
        <source>Gleiche Moleküle zusammenfassen</source>
        <translation>Réunir les molécules identiques</translation>
    </message>
    <message>
        <source>Linke Moleküle aus den Rechten entfernen</source>
        <translation>Retirer de la droite les molécules de gauche</translation>
    </message>
    <message>
        <source>Mischen von Datenblättern</source>
        <translation>Combinaison de feuilles de données</translation>
    </message>
    <message>
        <source>Mischoperation</source>
        <translation>Combinaison</translation>
    </message>
    <message>
        <source>Mischoperationen lassen sich zwischen 2 verschiedenen Datenblättern realisieren. Diese müssen Sie aus den Listen der verfügbaren Blätter auswählen. &lt;BR&gt;Die Mischoperationen beziehen sich auf Molekülebene. Dies bedeutet, dass Vergleiche über eine exakte Chemiesuche gemacht werden. Werden Schnittmengen erstellt oder Mengen addiert, dann werden die Daten aus beiden Referenzen zur Ergebnismenge hinzugefügt. Diese Duplikate werden nicht automatisch ausgefiltert oder zusammengeführt, da die Detaildaten unterschiedlich aufbereitet sein können.&lt;BR&gt;Bei den Ausgabeeinstellungen können Sie den Namen des neuen Datenblattes angeben, oder den Vorschlag von Zelmar verwenden, der automatisch generiert wird. Mischoperationen können aufgrund eventueller Komplexität der Daten zeitaufwendig sein. Daher erscheint während einer Mischoperation unten links eine Status-Anzeige. Dort haben Sie die Gelegenheit, das Mischen abzubrechen, um neue Kriterien festzulegen, oder den Dialog zu verlassen.</source>
        <translation>Deux feuilles de données différentes peuvent être combinées. Choisissez-les dans les listes des feuilles disponibles.&lt;BR&gt;La combinaison se fait au niveau des molécules : les enregistrements sont comparés par une recherche exacte de structure. Lorsque les molécules communes ou tous les enregistrements sont réunis, les données des deux côtés vont dans le résultat. Ces doublons ne sont ni filtrés ni fusionnés, car leurs données peuvent différer.&lt;BR&gt;Dans les paramètres de sortie, vous pouvez nommer la nouvelle feuille ou garder le nom proposé par Zelmar. Une combinaison peut prendre du temps avec des données complexes ; un affichage de progression apparaît alors en bas à gauche. Vous pouvez y arrêter la combinaison pour choisir à nouveau, ou quitter le dialogue.</translation>
    </message>
    <message>
        <source>Mixing Sheets</source>
        <translation>Combinaison des feuilles</translation>
    </message>
    <message>
        <source>Name des neuen Ausgabefensters:</source>
        <translation>Nom de la nouvelle fenêtre de résultats :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rechte Moleküle aus den Linken entfernen</source>
        <translation>Retirer de la gauche les molécules de droite</translation>
    </message>
    <message>
        <source>Verfügbare Datenblätter</source>
        <translation>Feuilles disponibles</translation>
    </message>
    <message>
        <source>Verifying left data integrity</source>
        <translation>Lecture complète de la feuille de gauche</translation>
    </message>
    <message>
        <source>Verifying right data integrity</source>
        <translation>Lecture complète de la feuille de droite</translation>
    </message>
    <message>
        <source>Vergleich der Moleküle</source>
        <translation>Comparaison des molécules</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_EditFields</name>
    <message>
        <source>&lt;Neues Feld&gt;</source>
        <translation>&lt;Nouveau champ&gt;</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Add new field</source>
        <translation>Ajouter un nouveau champ</translation>
    </message>
    <message>
        <source>Angezeigter Name:</source>
        <translation>Nom affiché :</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen Namen für das Feld an.</source>
        <translation>Veuillez donner un nom au champ.</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen anderen Namen für die neu definierten Felder an.</source>
        <translation>Veuillez donner un autre nom aux champs nouvellement définis.</translation>
    </message>
    <message>
        <source>Bitte wählen Sie ein Feld aus der Liste aus, um die Detaildaten zu verändern.&lt;BR&gt;Mit dem &apos;+&apos; Button können Sie neue Felder hinzufügen und mit dem &apos;-&apos; Button können Sie das aktuell ausgewählte Feld löschen, sofern dies erlaubt ist.&lt;BR&gt;Aktivieren Sie das Häkchen in der Liste, um das entsprechende Feld einzublenden bzw. auszublenden.&lt;BR&gt;Drücken Sie auf OK, um Ihre Änderungen zu übernehmen, andernfalls auf Abbrechen.</source>
        <translation>Veuillez choisir un champ dans la liste pour en modifier les détails.&lt;BR&gt;Le bouton &apos;+&apos; ajoute de nouveaux champs et le bouton &apos;-&apos; supprime le champ choisi, lorsque cela est permis.&lt;BR&gt;Cochez ou décochez la case dans la liste pour afficher ou masquer le champ.&lt;BR&gt;Cliquez sur OK pour appliquer vos modifications, sinon sur Annuler.</translation>
    </message>
    <message>
        <source>Delete selected field</source>
        <translation>Supprimer le champ choisi</translation>
    </message>
    <message>
        <source>Der Feldname &apos;%s&apos; wird bereits verwendet. Bitte geben Sie einen anderen Namen an.</source>
        <translation>Le nom de champ &apos;%s&apos; est déjà utilisé. Veuillez donner un autre nom.</translation>
    </message>
    <message>
        <source>Ein Feldname darf das Zeichen &apos;&gt;&apos; nicht enthalten.</source>
        <translation>Un nom de champ ne doit pas contenir le caractère &apos;&gt;&apos;.</translation>
    </message>
    <message>
        <source>Es gibt bereits neue, noch nicht definierte Felder. Bitte verwenden Sie diese, bevor Sie weitere Felder anlegen.</source>
        <translation>Il existe déjà de nouveaux champs qui ne sont pas encore définis. Veuillez les utiliser avant d&apos;en créer d&apos;autres.</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Champs</translation>
    </message>
    <message>
        <source>Felder bearbeiten</source>
        <translation>Modifier les champs</translation>
    </message>
    <message>
        <source>Feldname:</source>
        <translation>Nom du champ :</translation>
    </message>
    <message>
        <source>Move selected field down</source>
        <translation>Descendre le champ choisi</translation>
    </message>
    <message>
        <source>Move selected field up</source>
        <translation>Monter le champ choisi</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Zeige Aktivierungsspalte</source>
        <translation>Afficher la colonne de sélection</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Zahlen</source>
        <translation>Nombres</translation>
    </message>
    <message>
        <source>Werte:</source>
        <translation>Valeurs :</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_SearchAlphanumeric</name>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Alphanumerische Suche</source>
        <translation>Recherche alphanumérique</translation>
    </message>
    <message>
        <source>Beginnt mit</source>
        <translation>Commence par</translation>
    </message>
    <message>
        <source>Bereichssuche</source>
        <translation>Recherche par intervalle</translation>
    </message>
    <message>
        <source>Bitte wählen Sie aus der Liste ein Feld aus, in dem Sie suchen möchten. Diese Liste enthält die z.Zt. suchbaren Felder.&lt;BR&gt;Die entsprechenden Suchmöglichkeiten werden daraufhin eingeblendet. Definieren Sie anschließend Ihre Suchkriterien und drücken Sie auf &apos;Suchen&apos;, um mit der Suche zu beginnen. Drücken Sie auf &apos;Abbrechen&apos;, um nicht zu suchen.</source>
        <translation>Veuillez choisir dans la liste le champ dans lequel vous voulez chercher. La liste contient les champs actuellement disponibles pour la recherche.&lt;BR&gt;Zelmar affiche alors les options de recherche correspondantes. Définissez ensuite vos critères et cliquez sur &apos;Rechercher&apos; pour lancer la recherche, ou sur &apos;Annuler&apos; pour fermer sans chercher.</translation>
    </message>
    <message>
        <source>Exakte Suche</source>
        <translation>Recherche exacte</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Champs</translation>
    </message>
    <message>
        <source>Fließkommasuche:</source>
        <translation>Recherche de nombre :</translation>
    </message>
    <message>
        <source>Groß-/Kleinschreibung berücksichtigen</source>
        <translation>Respecter majuscules et minuscules</translation>
    </message>
    <message>
        <source>Größer als</source>
        <translation>Supérieur à</translation>
    </message>
    <message>
        <source>Kleiner als</source>
        <translation>Inférieur à</translation>
    </message>
    <message>
        <source>Substringsuche</source>
        <translation>À n&apos;importe quelle position</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten</source>
        <translation>Recherche de données alphanumériques</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Textsuche:</source>
        <translation>Recherche de texte :</translation>
    </message>
</context>
<context>
    <name>ZelmarDialog_SearchMolecules</name>
    <message>
        <source>Bitte definieren Sie die chemischen Daten, nach denen Sie suchen möchten.</source>
        <translation>Veuillez définir les données chimiques à rechercher.</translation>
    </message>
    <message>
        <source>Fehler beim Speichern der Daten</source>
        <translation>Erreur lors de l&apos;enregistrement des données</translation>
    </message>
    <message>
        <source>Hilfeseite konnte nicht gefunden werden.</source>
        <translation>Page d&apos;aide introuvable.</translation>
    </message>
    <message>
        <source>Kein Chemieeditor vorhanden</source>
        <translation>Aucun éditeur de chimie disponible</translation>
    </message>
    <message>
        <source>Substruktursuche</source>
        <translation>recherche de sous-structure</translation>
    </message>
    <message>
        <source>Suchmodus</source>
        <translation>Mode de recherche</translation>
    </message>
    <message>
        <source>Suche nach Molekülen</source>
        <translation>Recherche de molécules</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Tetraedrische Stereochemie&lt;BR&gt;berücksichtigen</source>
        <translation>Tenir compte de la stéréochimie&lt;BR&gt;tétraédrique</translation>
    </message>
    <message>
        <source>Unbekannte Dateierweiterung</source>
        <translation>Extension de fichier inconnue</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten im Clipboard</source>
        <translation>Données chimiques non valides dans le presse-papiers</translation>
    </message>
    <message>
        <source>Ungültige Chemiedaten in Datei</source>
        <translation>Données chimiques non valides dans le fichier</translation>
    </message>
    <message>
        <source>exakte Suche</source>
        <translation>recherche exacte</translation>
    </message>
</context>
<context>
    <name>ZelmarField</name>
    <message>
        <source>Molekulargewicht</source>
        <translation>Masse moléculaire</translation>
    </message>
    <message>
        <source>Molekül</source>
        <translation>Molécule</translation>
    </message>
    <message>
        <source>Summenformel</source>
        <translation>Formule brute</translation>
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
        <translation>%d entrées</translation>
    </message>
    <message>
        <source>%d von %d Einträgen geladen</source>
        <translation>%d entrées sur %d chargées</translation>
    </message>
    <message>
        <source>1 Eintrag</source>
        <translation>1 entrée</translation>
    </message>
    <message>
        <source>Alle Datensätze deselektieren</source>
        <translation>Désélectionner tous les enregistrements</translation>
    </message>
    <message>
        <source>Alle Datensätze selektieren</source>
        <translation>Sélectionner tous les enregistrements</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</source>
        <translation>Couper|Déplace l&apos;objet sélectionné dans le presse-papiers</translation>
    </message>
    <message>
        <source>Bitte warten.</source>
        <translation>Veuillez patienter...</translation>
    </message>
    <message>
        <source>Das Datenblatt &quot;%s&quot; konnte nicht gespeichert werden. Möchten Sie es trotzdem schließen?</source>
        <translation>La feuille de données &quot;%s&quot; n&apos;a pas pu être enregistrée. Voulez-vous quand même la fermer ?</translation>
    </message>
    <message>
        <source>Das Datenblatt &apos;%s&apos; wurde verändert.&lt;BR&gt;Wollen Sie es speichern, bevor es geschlossen wird?</source>
        <translation>La feuille de données &apos;%s&apos; a été modifiée.&lt;BR&gt;Voulez-vous l&apos;enregistrer avant de la fermer ?</translation>
    </message>
    <message>
        <source>Das aktuelle Datenblatt wurde noch nicht verändert</source>
        <translation>La feuille de données actuelle n&apos;a pas encore été modifiée</translation>
    </message>
    <message>
        <source>Das aktuelle Datenblatt wurde verändert</source>
        <translation>La feuille de données actuelle a été modifiée</translation>
    </message>
    <message>
        <source>Das Laden der Daten war fehlerhaft. Klicken Sie hier, um die Fehler anzuzeigen.</source>
        <translation>Toutes les données n&apos;ont pas pu être chargées. Cliquez ici pour voir les erreurs.</translation>
    </message>
    <message>
        <source>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Désélectionne tous les enregistrements|Désélectionne tous les enregistrements de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Deselektierte Datensätze löschen</source>
        <translation>Supprimer les enregistrements désélectionnés</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; hat noch fehlerhafte Einträge. Diese werden nicht mitgespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>Le fichier &quot;%s&quot; contient encore des entrées erronées qui ne seront pas enregistrées.&lt;BR&gt;Voulez-vous quand même enregistrer le fichier ?</translation>
    </message>
    <message>
        <source>Die Datensatznummer &quot;%d&quot; liegt außerhalb des Datenbereichs.&lt;BR&gt;Bitte geben Sie eine gültige Datensatznummer ein.</source>
        <translation>Le numéro d&apos;enregistrement &quot;%d&quot; est hors de la plage de données.&lt;BR&gt;Veuillez saisir un numéro valide.</translation>
    </message>
    <message>
        <source>Die Änderungen an den Feldern konnten nicht vorgenommen werden.</source>
        <translation>Impossible d&apos;appliquer les modifications des champs.</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Einfügen|Den Inhalt der Zwischenablage einfügen</source>
        <translation>Coller|Insère le contenu du presse-papiers</translation>
    </message>
    <message>
        <source>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</source>
        <translation>Crée un nouvel enregistrement|Crée un nouvel enregistrement dans la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Es geschah ein Fehler beim Umbenennen einer Datei.&lt;BR&gt;Fehlermeldung: %s</source>
        <translation>Erreur lors du renommage du fichier.&lt;BR&gt;Message d&apos;erreur : %s</translation>
    </message>
    <message>
        <source>Es konnte kein Record aus der Datei: &quot;%s&quot; geladen werden.&lt;BR&gt;Möglicherweise ist die Datei beschädigt. &lt;BR&gt;Das aktuelle Fenster wird geschlossen.</source>
        <translation>Aucun enregistrement n&apos;a pu être lu dans le fichier &quot;%s&quot;.&lt;BR&gt;Le fichier est peut-être endommagé.&lt;BR&gt;La fenêtre actuelle va être fermée.</translation>
    </message>
    <message>
        <source>Es konnte keine Sicherungskopie der Originaldatei erstellt werden. &lt;BR&gt;Wollen Sie das Speichern trotzdem fortsetzen?</source>
        <translation>Impossible de créer une copie de sauvegarde du fichier original.&lt;BR&gt;Voulez-vous quand même enregistrer ?</translation>
    </message>
    <message>
        <source>Es sind derzeitig keine Daten verfügbar, die angezeigt werden könnten. </source>
        <translation>Aucune donnée à afficher pour le moment</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Exportiert das Molekül als MOL-Datei</source>
        <translation>Exporte la molécule dans un fichier MOL</translation>
    </message>
    <message>
        <source>Fehlerhafte Datensätze löschen</source>
        <translation>Supprimer les enregistrements erronés</translation>
    </message>
    <message>
        <source>Fehlermeldung</source>
        <translation>Message d&apos;erreur</translation>
    </message>
    <message>
        <source>Feld leeren</source>
        <translation>Vider le champ</translation>
    </message>
    <message>
        <source>Feld leeren|Löscht den Inhalt der aktuellen Zelle</source>
        <translation>Vider le champ|Efface le contenu de la cellule actuelle</translation>
    </message>
    <message>
        <source>Gehe zu...</source>
        <translation>Aller à...</translation>
    </message>
    <message>
        <source>Häkchen</source>
        <translation>Coche</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Indiziere SD-Datei: %s</source>
        <translation>Indexation du fichier SD : %s</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</source>
        <translation>Copier|Copie l&apos;objet sélectionné dans le presse-papiers</translation>
    </message>
    <message>
        <source>Lade SD-Datei: %s</source>
        <translation>Chargement du fichier SD : %s</translation>
    </message>
    <message>
        <source>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</source>
        <translation>Supprime les enregistrements désélectionnés|Supprime tous les enregistrements désélectionnés de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</source>
        <translation>Supprime les enregistrements erronés|Supprime tous les enregistrements erronés de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>MOL-Datei exportieren</source>
        <translation>Exporter un fichier MOL</translation>
    </message>
    <message>
        <source>MOL-Datei importieren</source>
        <translation>Importer un fichier MOL</translation>
    </message>
    <message>
        <source>MOL-Dateien (*.mol)|*.mol|Alle Dateien (*.*)|*.*</source>
        <translation>Fichiers MOL (*.mol)|*.mol|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Molekül aus MOL-Datei importieren</source>
        <translation>Importer une molécule depuis un fichier MOL</translation>
    </message>
    <message>
        <source>Neuer Datensatz</source>
        <translation>Nouvel enregistrement</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>Fichiers SD (*.sdf)</translation>
    </message>
    <message>
        <source>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Sélectionne tous les enregistrements|Sélectionne tous les enregistrements de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Sortiere Daten. Drücken Sie ESC, um abzubrechen</source>
        <translation>Tri des données. Appuyez sur Échap pour annuler</translation>
    </message>
    <message>
        <source>Speichere Datei: &quot;%s&quot;</source>
        <translation>Enregistrement du fichier : &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</source>
        <translation>Aller à l&apos;enregistrement|Va à l&apos;enregistrement indiqué de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Suche läuft. Drücken Sie ESC, um die Suche abzubrechen.</source>
        <translation>Recherche en cours. Appuyez sur Échap pour annuler</translation>
    </message>
    <message>
        <source>Ungültiger Dateiname: %s&lt;BR&gt;Aktuelles Fenster wird geschlossen.</source>
        <translation>Nom de fichier non valide : %s&lt;BR&gt;La fenêtre actuelle va être fermée.</translation>
    </message>
    <message>
        <source>Während dem Speichern der Datei &quot;%s&quot; ist ein Fehler aufgetreten.&lt;BR&gt;Beim Speichern des Datensatzes %d ist der Fehler &quot;%s&quot; aufgetreten.&lt;BR&gt;Möchten Sie mit dem Speichern fortfahren?</source>
        <translation>Erreur lors de l&apos;enregistrement du fichier &quot;%s&quot;.&lt;BR&gt;L&apos;erreur s&apos;est produite à l&apos;enregistrement %d. Le message d&apos;erreur est &quot;%s&quot;. Voulez-vous continuer et enregistrer les autres enregistrements ?</translation>
    </message>
    <message>
        <source>Während dem Speichern der Datei: &quot;%s&quot; ist der Fehler : %s aufgetreten. &lt;BR&gt;Das Speichern kann nicht fortgesetzt werden.</source>
        <translation>Erreur lors de l&apos;enregistrement du fichier &quot;%s&quot; : &quot;%s&quot;.&lt;BR&gt;L&apos;enregistrement ne peut pas continuer.</translation>
    </message>
    <message>
        <source>SD-Datei speichern unter</source>
        <translation>Enregistrer le fichier SD sous</translation>
    </message>
    <message>
        <source>1 Datensatz ist nicht markiert und wird nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>1 enregistrement n&apos;est pas coché et ne sera pas enregistré.&lt;BR&gt;Voulez-vous poursuivre l&apos;enregistrement ?</translation>
    </message>
    <message>
        <source>%d Datensätze sind nicht markiert und werden nicht gespeichert.&lt;BR&gt;Möchten Sie den Speichervorgang fortsetzen?</source>
        <translation>%d enregistrements ne sont pas cochés et ne seront pas enregistrés.&lt;BR&gt;Voulez-vous poursuivre l&apos;enregistrement ?</translation>
    </message>
    <message>
        <source>Werte als Zahlen</source>
        <translation>Valeurs numériques</translation>
    </message>
    <message>
        <source>Werte als Zahlen|Sortiert, sucht und vergleicht die Werte dieser Spalte als Zahlen</source>
        <translation>Valeurs numériques|Trie, recherche et compare les valeurs de cette colonne comme des nombres</translation>
    </message>
    <message>
        <source>Natürliche Reihenfolge</source>
        <translation>Ordre naturel</translation>
    </message>
    <message>
        <source>Natürliche Reihenfolge|Sortiert Ziffernfolgen nach ihrem Wert (CHEMBL9 vor CHEMBL10)</source>
        <translation>Ordre naturel|Trie les suites de chiffres selon leur valeur (CHEMBL9 avant CHEMBL10)</translation>
    </message>
    <message>
        <source>Spaltenstatistik...</source>
        <translation>Statistiques de la colonne...</translation>
    </message>
    <message>
        <source>Spaltenstatistik|Zeigt Anzahl, Minimum, Maximum, Mittelwert, Median und Verteilung der Werte dieser Spalte</source>
        <translation>Statistiques de la colonne|Affiche le nombre, le minimum, le maximum, la moyenne, la médiane et la répartition des valeurs de cette colonne</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl setzen</source>
        <translation>Cocher la sélection</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl setzen|Setzt das Häkchen der ausgewählten Zeilen</source>
        <translation>Cocher la sélection|Coche les lignes sélectionnées</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl entfernen</source>
        <translation>Décocher la sélection</translation>
    </message>
    <message>
        <source>Häkchen für Auswahl entfernen|Entfernt das Häkchen der ausgewählten Zeilen</source>
        <translation>Décocher la sélection|Décoche les lignes sélectionnées</translation>
    </message>
    <message>
        <source>%d eingefügte Datensätze konnten nicht gelesen werden.</source>
        <translation>%d enregistrements collés n&apos;ont pas pu être lus.</translation>
    </message>
    <message>
        <source>Zelle %s</source>
        <translation>Cellule %s</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filtre :</translation>
    </message>
    <message>
        <source>Text oder Zahl, z. B. &gt;300 oder 100..200</source>
        <translation>Texte ou nombre, p. ex. &gt;300 ou 100..200</translation>
    </message>
    <message>
        <source>Struktur...</source>
        <translation>Structure...</translation>
    </message>
    <message>
        <source>Zeigt nur die Datensätze, die eine gezeichnete Teilstruktur enthalten</source>
        <translation>N&apos;affiche que les enregistrements qui contiennent une sous-structure dessinée</translation>
    </message>
    <message>
        <source>Filter aufheben (Esc)</source>
        <translation>Supprimer le filtre (Échap)</translation>
    </message>
    <message>
        <source>Das Feld, in dem gesucht wird</source>
        <translation>Le champ dans lequel chercher</translation>
    </message>
    <message>
        <source>Alle Felder</source>
        <translation>Tous les champs</translation>
    </message>
    <message>
        <source>Bitte eine Zahl oder einen Vergleich eingeben, z. B. 300, &gt;300, &lt;=5 oder 100..200</source>
        <translation>Veuillez saisir un nombre ou une comparaison, p. ex. 300, &gt;300, &lt;=5 ou 100..200</translation>
    </message>
    <message>
        <source>%d von %d Einträgen</source>
        <translation>%d sur %d entrées</translation>
    </message>
    <message>
        <source>Gespeichert: alle %d Einträge, auch die vom Filter ausgeblendeten</source>
        <translation>Enregistré : les %d entrées, y compris celles masquées par le filtre</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Champs</translation>
    </message>
    <message>
        <source>Kopiere Daten. Drücken Sie ESC, um das Kopieren abzubrechen.</source>
        <translation>Copie des données. Appuyez sur Échap pour arrêter la copie.</translation>
    </message>
    <message>
        <source>Kennungen einblenden</source>
        <translation>Afficher les identifiants</translation>
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
        <translation>SMILES|Affiche les SMILES canoniques des molécules dans une colonne à part</translation>
    </message>
    <message>
        <source>InChI|Zeigt die Standard-InChI der Moleküle in einer eigenen Spalte</source>
        <translation>InChI|Affiche les InChI standard des molécules dans une colonne à part</translation>
    </message>
    <message>
        <source>InChIKey|Zeigt die Standard-InChIKeys der Moleküle in einer eigenen Spalte</source>
        <translation>InChIKey|Affiche les InChIKey standard des molécules dans une colonne à part</translation>
    </message>
    <message>
        <source>Als Datenfeld übernehmen</source>
        <translation>Reprendre comme champ de données</translation>
    </message>
    <message>
        <source>Als Datenfeld übernehmen|Macht aus dieser Spalte ein Datenfeld mit den Werten aller Datensätze, das gespeichert wird</source>
        <translation>Reprendre comme champ de données|Fait de cette colonne un champ de données contenant les valeurs de tous les enregistrements, qui est enregistré</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogAbout</name>
    <message>
        <source>Den Moleküleditor stellt Ketcher bereit (Apache-Lizenz 2.0, der Lizenztext liegt im Ordner Drawlet).</source>
        <translation>L&apos;éditeur de molécules est fourni par Ketcher (licence Apache 2.0 ; le texte de la licence se trouve dans le dossier Drawlet).</translation>
    </message>
    <message>
        <source>Die Chemie rechnet RDKit (BSD-Lizenz), die Oberfläche zeichnet Qt (LGPL). Die Bilder der Befehle sind für Zelmar gezeichnet.</source>
        <translation>La chimie est calculée par RDKit (licence BSD), l&apos;interface est dessinée par Qt (LGPL). Les images des commandes ont été dessinées pour Zelmar.</translation>
    </message>
    <message>
        <source>Info über Zelmar</source>
        <translation>À propos de Zelmar</translation>
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
        <translation>Zelmar, un outil pour les fichiers SD : afficher, modifier, trier, rechercher et comparer des enregistrements, et les enregistrer sans perte.</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogGotoRecord</name>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Anzahl der Datensätze:</source>
        <translation>Nombre d&apos;enregistrements :</translation>
    </message>
    <message>
        <source>Datensatznummer:</source>
        <translation>Numéro d&apos;enregistrement :</translation>
    </message>
    <message>
        <source>Der eingegebene Wert &apos;%s&apos; ist keine gültige Zahl. Bitte geben Sie eine ganzzahlige Position an</source>
        <translation>La valeur saisie (&apos;%s&apos;) n&apos;est pas un nombre valide. Veuillez indiquer une position entière.</translation>
    </message>
    <message>
        <source>Gehe zu Datensatz</source>
        <translation>Aller à l&apos;enregistrement</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Bitte geben Sie eine Zahl zwischen 1 und %d an.</source>
        <translation>Veuillez indiquer un nombre entre 1 et %d.</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogLoadErros</name>
    <message>
        <source>Error Text</source>
        <translation>Texte d&apos;erreur</translation>
    </message>
    <message>
        <source>Hier sind die Details zu den Ladefehlern einzusehen.</source>
        <translation>Vous trouverez ici le détail des erreurs de chargement.</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Ladefehler</source>
        <translation>Erreurs de chargement</translation>
    </message>
    <message>
        <source>Ladefehler anzeigen</source>
        <translation>Afficher les erreurs de chargement</translation>
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
        <translation>%1 sans les molécules de %2</translation>
    </message>
    <message>
        <source>%2 ohne die Moleküle von %1</source>
        <translation>%2 sans les molécules de %1</translation>
    </message>
    <message>
        <source>&amp;Alle verkleinern</source>
        <translation>&amp;Réduire tout</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Fenster</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Vertikal anordnen</source>
        <translation>Disposer &amp;verticalement</translation>
    </message>
    <message>
        <source>&amp;Aktuelles Datenblatt</source>
        <translation>Feuille de données a&amp;ctuelle</translation>
    </message>
    <message>
        <source>Alle &amp;wiederherstellen</source>
        <translation>&amp;Restaurer tout</translation>
    </message>
    <message>
        <source>Alle Datensätze deselektieren</source>
        <translation>Désélectionner tous les enregistrements</translation>
    </message>
    <message>
        <source>Alle Datensätze selektieren</source>
        <translation>Sélectionner tous les enregistrements</translation>
    </message>
    <message>
        <source>Alle an&amp;ordnen</source>
        <translation>&amp;Organiser tout</translation>
    </message>
    <message>
        <source>Alle anordnen|Ordnet die Symbole der verkleinerten Fenster an</source>
        <translation>Organiser tout|Dispose les icônes des fenêtres réduites</translation>
    </message>
    <message>
        <source>Alle verkleinern|Verkleinert alle Fenster zu Symbolen</source>
        <translation>Réduire tout|Réduit toutes les fenêtres</translation>
    </message>
    <message>
        <source>Alle wiederherstellen|Stellt alle Fenster in ihrer normalen Größe wieder her</source>
        <translation>Restaurer tout|Rend à toutes les fenêtres leur taille normale</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben</source>
        <translation>Couper|Déplace l&apos;objet sélectionné dans le presse-papiers</translation>
    </message>
    <message>
        <source>B&amp;earbeiten</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Beenden|Anwendung beenden</source>
        <translation>Quitter|Quitter l&apos;application</translation>
    </message>
    <message>
        <source>Cannot perform open the command indicated by another program&lt;BR&gt;&lt;BR&gt;Error message: &lt;BR&gt;%s</source>
        <translation>Impossible d&apos;exécuter la commande d&apos;ouverture demandée par un autre programme&lt;BR&gt;&lt;BR&gt;Message d&apos;erreur : &lt;BR&gt;%s</translation>
    </message>
    <message>
        <source>Could not retrieve module base file name</source>
        <translation>Impossible de déterminer le nom de fichier du module</translation>
    </message>
    <message>
        <source>Dateiversion: %s - Zelmar, ein Werkzeug für SD-Dateien</source>
        <translation>Version du fichier : %s - Zelmar, un outil pour les fichiers SD</translation>
    </message>
    <message>
        <source>Datenblätter mischen...</source>
        <translation>Combiner des feuilles de données...</translation>
    </message>
    <message>
        <source>Datenblätter mischen|Verbindet zwei Datenblätter Molekül für Molekül zu einem neuen</source>
        <translation>Combiner des feuilles de données|Combine deux feuilles de données molécule par molécule en une nouvelle</translation>
    </message>
    <message>
        <source>Deselektiert alle Datensätze|Deselektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Désélectionne tous les enregistrements|Désélectionne tous les enregistrements de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Deselektierte Datensätze löschen</source>
        <translation>Supprimer les enregistrements désélectionnés</translation>
    </message>
    <message>
        <source>Duplikate nach %1 in %2</source>
        <translation>Doublons selon %1 dans %2</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Einfügen|Den Inhalt der Zwischenablage einfügen</source>
        <translation>Coller|Insère le contenu du presse-papiers</translation>
    </message>
    <message>
        <source>Erstellt einen neuen Datensatz|Erstellt einen neuen Datensatz im aktuellen Datenblatt</source>
        <translation>Crée un nouvel enregistrement|Crée un nouvel enregistrement dans la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Exportiert das Molekül als MOL-Datei</source>
        <translation>Exporte la molécule dans un fichier MOL</translation>
    </message>
    <message>
        <source>Fehlerhafte Datensätze löschen</source>
        <translation>Supprimer les enregistrements erronés</translation>
    </message>
    <message>
        <source>Felder bearbeiten...</source>
        <translation>Modifier les champs...</translation>
    </message>
    <message>
        <source>Felder bearbeiten|Benennt die Felder des aktuellen Datenblattes um, fügt Felder hinzu, löscht, ordnet und verbirgt sie</source>
        <translation>Modifier les champs|Renomme, ajoute, supprime, ordonne et masque les champs de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Gehe zu...</source>
        <translation>Aller à...</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Hori&amp;zontal anordnen</source>
        <translation>Disposer hori&amp;zontalement</translation>
    </message>
    <message>
        <source>Horizontal anordnen|Ordnet die Fenster untereinander an</source>
        <translation>Disposer horizontalement|Dispose les fenêtres les unes au-dessus des autres</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Info ...</source>
        <translation>À propos ...</translation>
    </message>
    <message>
        <source>Info|Zeigt die Versionen des Programms und seiner Bibliotheken</source>
        <translation>À propos|Affiche les versions du programme et de ses bibliothèques</translation>
    </message>
    <message>
        <source>Invalid file selected. Please select a SD file</source>
        <translation>Fichier non valide sélectionné. Veuillez choisir un fichier SD</translation>
    </message>
    <message>
        <source>Keine Suchergebnisse vorhanden</source>
        <translation>Aucun résultat de recherche</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Kopieren|Das markierte Objekt in die Zwischenablage kopieren</source>
        <translation>Copier|Copie l&apos;objet sélectionné dans le presse-papiers</translation>
    </message>
    <message>
        <source>Löscht die deselektierten Datensätze|Löscht alle deselektierten Datensätze des aktuellen Datenblattes</source>
        <translation>Supprime les enregistrements désélectionnés|Supprime tous les enregistrements désélectionnés de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Löscht fehlerhafte Datensätze|Löscht alle fehlerhaften Datensätze des aktuellen Datenblattes</source>
        <translation>Supprime les enregistrements erronés|Supprime tous les enregistrements erronés de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Molekül</source>
        <translation>Molécule</translation>
    </message>
    <message>
        <source>Molekül aus MOL-Datei importieren</source>
        <translation>Importer une molécule depuis un fichier MOL</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen...</source>
        <translation>Configurer l&apos;affichage des molécules...</translation>
    </message>
    <message>
        <source>Molekülansicht einstellen|Legt fest, an welchen Atomen die Strukturen Wasserstoffatome zeigen</source>
        <translation>Configurer l&apos;affichage des molécules|Définit les atomes auxquels les structures montrent les atomes d&apos;hydrogène</translation>
    </message>
    <message>
        <source>Neuer Datensatz</source>
        <translation>Nouvel enregistrement</translation>
    </message>
    <message>
        <source>Neu|Neue Datei erstellen</source>
        <translation>Nouveau|Créer un nouveau fichier</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Rückgängig: %1</source>
        <translation>Annuler : %1</translation>
    </message>
    <message>
        <source>Rückgängig|Nimmt die letzte Änderung am Datenblatt zurück</source>
        <translation>Annuler|Annule la dernière modification de la feuille</translation>
    </message>
    <message>
        <source>S&amp;chließen</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>Fichiers SD (*.sdf)</translation>
    </message>
    <message>
        <source>Schließen|Aktuelle Datei schließen</source>
        <translation>Fermer|Fermer le fichier actuel</translation>
    </message>
    <message>
        <source>Schnittmenge von %1 und %2</source>
        <translation>Intersection de %1 et %2</translation>
    </message>
    <message>
        <source>Selektiert alle Datensätze|Selektiert alle vorhandenen Datensätze des aktuellen Datenblattes</source>
        <translation>Sélectionne tous les enregistrements|Sélectionne tous les enregistrements de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Speichern &amp;unter...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Speichern unter|Eine Datei unter einem anderen Namen speichern</source>
        <translation>Enregistrer sous|Enregistre le fichier actuel sous un nouveau nom</translation>
    </message>
    <message>
        <source>Speichern|Aktuelle Datei speichern</source>
        <translation>Enregistrer|Enregistrer le fichier actuel</translation>
    </message>
    <message>
        <source>Springt zum angegebenen Datensatz|Springt zum angegebenen Datensatz des aktuellen Datenblattes</source>
        <translation>Aller à l&apos;enregistrement|Va à l&apos;enregistrement indiqué de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Struktursuche (%1) in %2</source>
        <translation>Recherche de structure (%1) dans %2</translation>
    </message>
    <message>
        <source>Struktursuche (%1, mit Stereochemie) in %2</source>
        <translation>Recherche de structure (%1, avec stéréochimie) dans %2</translation>
    </message>
    <message>
        <source>Substruktur</source>
        <translation>sous-structure</translation>
    </message>
    <message>
        <source>Suche nach %1 in %2 von %3</source>
        <translation>Recherche de %1 dans %2 de %3</translation>
    </message>
    <message>
        <source>Suche nach Duplikaten...</source>
        <translation>Rechercher des doublons...</translation>
    </message>
    <message>
        <source>Suche nach Duplikaten|Findet Datensätze mit gleichen Werten oder gleichen Molekülen</source>
        <translation>Rechercher des doublons|Trouve les enregistrements aux valeurs égales ou aux molécules identiques</translation>
    </message>
    <message>
        <source>Suche nach Molekülen...</source>
        <translation>Rechercher des molécules...</translation>
    </message>
    <message>
        <source>Suche nach Molekülen|Durchsucht das aktuelle Datenblatt nach Strukturen</source>
        <translation>Rechercher des molécules|Recherche des structures dans la feuille de données actuelle</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten...</source>
        <translation>Rechercher des données alphanumériques...</translation>
    </message>
    <message>
        <source>Suche nach alphanumerischen Daten|Durchsucht ein Feld des aktuellen Datenblattes nach einem Text oder einer Zahl</source>
        <translation>Rechercher des données alphanumériques|Recherche un texte ou un nombre dans un champ de la feuille de données actuelle</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Rechercher</translation>
    </message>
    <message>
        <source>Suchergebnis</source>
        <translation>Résultat de recherche</translation>
    </message>
    <message>
        <source>The file version of libveskChemRoutines.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>La version du fichier libveskChemRoutines.so n&apos;a pas pu être vérifiée. Assurez-vous que le fichier existe et que vous avez le droit d&apos;y accéder</translation>
    </message>
    <message>
        <source>The file version of libveskChemSearch.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>La version du fichier libveskChemSearch.so n&apos;a pas pu être vérifiée. Assurez-vous que le fichier existe et que vous avez le droit d&apos;y accéder</translation>
    </message>
    <message>
        <source>The file version of libveskChemViewer.so could not be verified. Make sure that the file exists and that you have the permission to access it</source>
        <translation>La version du fichier libveskChemViewer.so n&apos;a pas pu être vérifiée. Assurez-vous que le fichier existe et que vous avez le droit d&apos;y accéder</translation>
    </message>
    <message>
        <source>The file versions of the necessary runtime libraries could not be verified</source>
        <translation>Les versions des bibliothèques d&apos;exécution nécessaires n&apos;ont pas pu être vérifiées</translation>
    </message>
    <message>
        <source>Unbekannte Dateiversion</source>
        <translation>Version de fichier inconnue</translation>
    </message>
    <message>
        <source>Vereinigung von %1 und %2</source>
        <translation>Union de %1 et %2</translation>
    </message>
    <message>
        <source>Vertikal anordnen|Ordnet die Fenster nebeneinander an</source>
        <translation>Disposer verticalement|Dispose les fenêtres côte à côte</translation>
    </message>
    <message>
        <source>Wiederherstellen</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Wiederherstellen: %1</source>
        <translation>Rétablir : %1</translation>
    </message>
    <message>
        <source>Wiederherstellen|Führt die zuletzt zurückgenommene Änderung wieder aus</source>
        <translation>Rétablir|Refait la dernière modification annulée</translation>
    </message>
    <message>
        <source>Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Votre version de libveskChemRoutines.so est obsolète. Zelmar nécessite la version %s ou une version ultérieure</translation>
    </message>
    <message>
        <source>Your version of libveskChemSearch.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Votre version de libveskChemSearch.so est obsolète. Zelmar nécessite la version %s ou une version ultérieure</translation>
    </message>
    <message>
        <source>Your version of libveskChemViewer.so is outdated. To run Zelmar, you need version %s or later</source>
        <translation>Votre version de libveskChemViewer.so est obsolète. Zelmar nécessite la version %s ou une version ultérieure</translation>
    </message>
    <message>
        <source>Zelle löschen</source>
        <translation>Effacer la cellule</translation>
    </message>
    <message>
        <source>Zelle löschen|Löscht den Inhalt der aktuellen Zelle</source>
        <translation>Effacer la cellule|Efface le contenu de la cellule actuelle</translation>
    </message>
    <message>
        <source>Zelmar</source>
        <translation>Zelmar</translation>
    </message>
    <message>
        <source>Zelmar has received an invalid &quot;file open&quot; command (zero atom ID)</source>
        <translation>Zelmar a reçu une commande « ouvrir un fichier » non valide (requête vide)</translation>
    </message>
    <message>
        <source>Zelmar was unable to retrive the dropped files&apos; full path names</source>
        <translation>Zelmar n&apos;a pas pu déterminer les chemins complets des fichiers déposés</translation>
    </message>
    <message>
        <source>exakte Struktur</source>
        <translation>structure exacte</translation>
    </message>
    <message>
        <source>nicht gefunden</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Öffnen|Vorhandene Datei öffnen</source>
        <translation>Ouvrir|Ouvrir un fichier existant</translation>
    </message>
    <message>
        <source>Ü&amp;berlappend</source>
        <translation>En &amp;cascade</translation>
    </message>
    <message>
        <source>Überlappend|Ordnet die Fenster überlappend an</source>
        <translation>Cascade|Dispose les fenêtres en cascade</translation>
    </message>
    <message>
        <source>SD-Datei öffnen</source>
        <translation>Ouvrir un fichier SD</translation>
    </message>
    <message>
        <source>&amp;Zuletzt geöffnet</source>
        <translation>Fichiers &amp;récents</translation>
    </message>
    <message>
        <source>(keine)</source>
        <translation>(aucun)</translation>
    </message>
    <message>
        <source>Filtern...</source>
        <translation>Filtrer...</translation>
    </message>
    <message>
        <source>Filtern|Zeigt im Datenblatt nur die Datensätze, die einem Text, einer Zahl oder einer Struktur entsprechen</source>
        <translation>Filtrer|N&apos;affiche dans la feuille que les enregistrements qui correspondent à un texte, un nombre ou une structure</translation>
    </message>
    <message>
        <source>&amp;Handbuch</source>
        <translation>&amp;Manuel</translation>
    </message>
    <message>
        <source>Handbuch|Zeigt das Benutzerhandbuch von Zelmar</source>
        <translation>Manuel|Affiche le manuel d&apos;utilisation de Zelmar</translation>
    </message>
    <message>
        <source>Treffer hervorgehoben</source>
        <translation>Résultats mis en évidence</translation>
    </message>
    <message>
        <source>Duplikate nach %1 (%2) in %3</source>
        <translation>Doublons selon %1 (%2) dans %3</translation>
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
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Nicht s&amp;peichern</source>
        <translation>&amp;Ne pas enregistrer</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>ZelmarTool</name>
    <message>
        <source>&quot;%s&quot; ist ein Ordner, keine SD-Datei.</source>
        <translation>&quot;%s&quot; est un dossier, pas un fichier SD.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; ist keine Zahl.</source>
        <translation>&quot;%s&quot; n&apos;est pas un nombre.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; konnte nicht nach %s sortiert werden.</source>
        <translation>&quot;%s&quot; n&apos;a pas pu être trié par %s.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; und &quot;%s&quot; konnten nicht gemischt werden.</source>
        <translation>&quot;%s&quot; et &quot;%s&quot; n&apos;ont pas pu être fusionnés.</translation>
    </message>
    <message>
        <source>%s: %s Datensätze konnten nicht gelesen werden und bleiben unverändert erhalten.</source>
        <translation>%s : %s enregistrements n&apos;ont pas pu être lus et sont conservés tels quels.</translation>
    </message>
    <message>
        <source>%s: --kind gilt nur für Datenfelder, nicht für %s.</source>
        <translation>%s : --kind ne vaut que pour les champs de données, pas pour %s.</translation>
    </message>
    <message>
        <source>%s: --kind ist text oder number, nicht &quot;%s&quot;.</source>
        <translation>%s : --kind vaut text ou number, pas &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>%s: Bitte die Option &quot;%s&quot; angeben. Hilfe: zelmar-tool %s --help</source>
        <translation>%s : veuillez indiquer l&apos;option &quot;%s&quot;. Aide : zelmar-tool %s --help</translation>
    </message>
    <message>
        <source>%s: Bitte eine Ausgabedatei mit -o angeben (- für die Standardausgabe).</source>
        <translation>%s : veuillez indiquer un fichier de sortie avec -o (- pour la sortie standard).</translation>
    </message>
    <message>
        <source>%s: Bitte genau eine Eingabedatei angeben.</source>
        <translation>%s : veuillez indiquer exactement un fichier d&apos;entrée.</translation>
    </message>
    <message>
        <source>%s: Bitte genau zwei Eingabedateien angeben.</source>
        <translation>%s : veuillez indiquer exactement deux fichiers d&apos;entrée.</translation>
    </message>
    <message>
        <source>%s: Datensatz %s (Zeile %s): %s</source>
        <translation>%s : enregistrement %s (ligne %s) : %s</translation>
    </message>
    <message>
        <source>%s: Der Option &quot;%s&quot; fehlt ihr Wert.</source>
        <translation>%s : l&apos;option &quot;%s&quot; demande une valeur.</translation>
    </message>
    <message>
        <source>%s: unbekannte Option &quot;%s&quot;. Hilfe: zelmar-tool %s --help</source>
        <translation>%s : option inconnue &quot;%s&quot;. Aide : zelmar-tool %s --help</translation>
    </message>
    <message>
        <source>Das Feld &quot;%s&quot; gibt es in &quot;%s&quot; nicht. Felder: %s</source>
        <translation>Il n&apos;y a pas de champ &quot;%s&quot; dans &quot;%s&quot;. Champs : %s</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>Fichier :</translation>
    </message>
    <message>
        <source>Datensatz %s: %s</source>
        <translation>enregistrement %s : %s</translation>
    </message>
    <message>
        <source>Datensätze:</source>
        <translation>Enregistrements :</translation>
    </message>
    <message>
        <source>Die Abfrage &quot;%s&quot; ist kein lesbares Molekül.</source>
        <translation>La requête &quot;%s&quot; n&apos;est pas une molécule lisible.</translation>
    </message>
    <message>
        <source>Die Abfrage &quot;%s&quot; kann nicht gelesen werden.</source>
        <translation>La requête &quot;%s&quot; ne peut pas être lue.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist auch eine Eingabedatei und wird nicht überschrieben.</source>
        <translation>Le fichier de sortie &quot;%s&quot; est aussi un fichier d&apos;entrée et n&apos;est pas écrasé.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist ein Ordner.</source>
        <translation>Le fichier de sortie &quot;%s&quot; est un dossier.</translation>
    </message>
    <message>
        <source>Die Ausgabedatei &quot;%s&quot; ist schreibgeschützt.</source>
        <translation>Le fichier de sortie &quot;%s&quot; est protégé en écriture.</translation>
    </message>
    <message>
        <source>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight oder molecule; - liest die Standardeingabe oder schreibt die Standardausgabe.</source>
        <translation>Les commandes des feuilles pour les scripts. FIELD est un champ de données, formula, weight ou molecule ; - lit l&apos;entrée standard ou écrit la sortie standard.</translation>
    </message>
    <message>
        <source>Die Bibliothek %s wurde nicht gefunden.</source>
        <translation>La bibliothèque %s est introuvable.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; enthält keinen lesbaren SD-Datensatz.</source>
        <translation>Le fichier &quot;%s&quot; ne contient aucun enregistrement SD lisible.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; gibt es nicht.</source>
        <translation>Le fichier &quot;%s&quot; n&apos;existe pas.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist leer.</source>
        <translation>Le fichier &quot;%s&quot; est vide.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; ist mit gzip gepackt. Bitte zuerst entpacken (gunzip).</source>
        <translation>Le fichier &quot;%s&quot; est compressé avec gzip. Veuillez d&apos;abord le décompresser (gunzip).</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; kann nicht gelesen werden: %s</source>
        <translation>Le fichier &quot;%s&quot; ne peut pas être lu : %s</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; konnte nicht geschrieben werden: %s</source>
        <translation>Le fichier &quot;%s&quot; n&apos;a pas pu être écrit : %s</translation>
    </message>
    <message>
        <source>Die Standardeingabe kann nur einmal gelesen werden.</source>
        <translation>L&apos;entrée standard ne peut être lue qu&apos;une fois.</translation>
    </message>
    <message>
        <source>Die Suche in &quot;%s&quot; ist fehlgeschlagen.</source>
        <translation>La recherche dans &quot;%s&quot; a échoué.</translation>
    </message>
    <message>
        <source>Felder:</source>
        <translation>Champs :</translation>
    </message>
    <message>
        <source>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern.</source>
        <translation>Combine deux fichiers molécule par molécule, comme la fusion de feuilles.</translation>
    </message>
    <message>
        <source>Kodierung:</source>
        <translation>Codage :</translation>
    </message>
    <message>
        <source>Lesen:</source>
        <translation>Lecture :</translation>
    </message>
    <message>
        <source>Mischen:</source>
        <translation>Fusion :</translation>
    </message>
    <message>
        <source>Nicht lesbare Datensätze:</source>
        <translation>Enregistrements illisibles :</translation>
    </message>
    <message>
        <source>Rückgabewert: 0 erledigt, 1 nichts gefunden, 2 falscher Aufruf oder fehlerhafte Eingabe.</source>
        <translation>Code de retour : 0 terminé, 1 rien trouvé, 2 mauvais usage ou entrée erronée.</translation>
    </message>
    <message>
        <source>Schreiben:</source>
        <translation>Écriture :</translation>
    </message>
    <message>
        <source>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe.</source>
        <translation>Écrit les enregistrements de chaque groupe de valeurs égales, groupe après groupe (dans les champs de nombres, 1.50 est égal à 1.5) ; --json donne groupes et tailles sur la sortie d&apos;erreur.</translation>
    </message>
    <message>
        <source>Schreibt die Treffer einer Struktur-, Text- oder Zahlensuche. --min, --max und --equal suchen in weight und in Zahlenfeldern nach dem Wert; --min und --max zählen Werte echt darüber bzw. darunter, &quot;&gt;10&quot; ist größer als 9 und nie gleich 10.</source>
        <translation>Écrit les résultats d&apos;une recherche de structure, de texte ou de nombre. --min, --max et --equal cherchent par valeur dans weight et dans les champs de nombres ; --min et --max comptent les valeurs strictement au-dessus et au-dessous, &quot;&gt;10&quot; est supérieur à 9 et jamais égal à 10.</translation>
    </message>
    <message>
        <source>Schreibt eine Tabelle mit Kopfzeile: die Datenfelder, Summenformel und Molekulargewicht.</source>
        <translation>Écrit un tableau avec une ligne d&apos;en-tête : les champs de données, la formule brute et la masse molaire.</translation>
    </message>
    <message>
        <source>Sortieren:</source>
        <translation>Tri :</translation>
    </message>
    <message>
        <source>Sortiert die Datensätze nach einem Feld, wie ein Klick auf die Spaltenüberschrift: Zahlenfelder nach dem Wert, Text nach dem Gebietsschema. --natural vergleicht Ziffernfolgen eines Datenfelds nach ihrem Wert (CHEMBL9 vor CHEMBL10); --kind liest ein Datenfeld als Text oder als Zahlen.</source>
        <translation>Trie les enregistrements par un champ, comme un clic sur l&apos;en-tête de colonne : les champs de nombres par valeur, le texte selon la locale. --natural compare les suites de chiffres d&apos;un champ de données par leur valeur (CHEMBL9 avant CHEMBL10) ; --kind lit un champ de données comme texte ou comme nombres.</translation>
    </message>
    <message>
        <source>Standardeingabe</source>
        <translation>entrée standard</translation>
    </message>
    <message>
        <source>Suchen:</source>
        <translation>Recherche :</translation>
    </message>
    <message>
        <source>Unbekannter Befehl &quot;%s&quot;. Hilfe: zelmar-tool --help</source>
        <translation>Commande inconnue &quot;%s&quot;. Aide : zelmar-tool --help</translation>
    </message>
    <message>
        <source>Zeigt Datensätze, Felder mit ihrer Art (Datenfelder: text oder number), nicht lesbare Datensätze und Kodierung der Datei.</source>
        <translation>Affiche les enregistrements, les champs avec leur nature (champs de données : text ou number), les enregistrements illisibles et le codage du fichier.</translation>
    </message>
    <message>
        <source>export: --format ist csv oder tsv, nicht &quot;%s&quot;.</source>
        <translation>export : --format vaut csv ou tsv, pas &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>mix: --op ist intersect, merge, left-minus-right oder right-minus-left, nicht &quot;%s&quot;.</source>
        <translation>mix : --op vaut intersect, merge, left-minus-right ou right-minus-left, pas &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>search: --contains und --begins schließen einander aus.</source>
        <translation>search : --contains et --begins s&apos;excluent.</translation>
    </message>
    <message>
        <source>search: --equal schließt --min und --max aus.</source>
        <translation>search : --equal exclut --min et --max.</translation>
    </message>
    <message>
        <source>search: --equal sucht den ganzen Wert; für Teile --text mit --contains oder --begins.</source>
        <translation>search : --equal compare la valeur entière ; pour une partie, --text avec --contains ou --begins.</translation>
    </message>
    <message>
        <source>search: --min und --max gelten nur für weight und Zahlenfelder, nicht für %s.</source>
        <translation>search : --min et --max ne valent que pour weight et les champs de nombres, pas pour %s.</translation>
    </message>
    <message>
        <source>search: --min und --max suchen Zahlen, --text sucht Text: bitte nur eines davon.</source>
        <translation>search : --min et --max cherchent des nombres, --text cherche du texte : veuillez n&apos;en indiquer qu&apos;un.</translation>
    </message>
    <message>
        <source>search: Bitte --text oder --equal angeben. Hilfe: zelmar-tool search --help</source>
        <translation>search : veuillez indiquer --text ou --equal. Aide : zelmar-tool search --help</translation>
    </message>
    <message>
        <source>search: Bitte entweder --substructure Q.mol, --exact Q.mol oder --field F angeben. Hilfe: zelmar-tool search --help</source>
        <translation>search : veuillez indiquer soit --substructure Q.mol, soit --exact Q.mol, soit --field F. Aide : zelmar-tool search --help</translation>
    </message>
    <message>
        <source>search: Das Feld weight wird mit --min, --max oder --equal durchsucht.</source>
        <translation>search : le champ weight se recherche avec --min, --max ou --equal.</translation>
    </message>
    <message>
        <source>search: Moleküle werden mit --substructure oder --exact gesucht.</source>
        <translation>search : les molécules se recherchent avec --substructure ou --exact.</translation>
    </message>
    <message>
        <source>sort: --natural gilt nur für Datenfelder, nicht für %s.</source>
        <translation>sort : --natural ne vaut que pour les champs de données, pas pour %s.</translation>
    </message>
    <message>
        <source>Die Befehle der Datenblätter für Skripte. FIELD ist ein Datenfeld, formula, weight, molecule, smiles, inchi oder inchikey; - liest die Standardeingabe oder schreibt die Standardausgabe.</source>
        <translation>Les commandes des feuilles pour les scripts. FIELD est un champ de données, formula, weight, molecule, smiles, inchi ou inchikey ; - lit l&apos;entrée standard ou écrit la sortie standard.</translation>
    </message>
    <message>
        <source>%s: --policy nimmt salts, charges, isotopes und tautomers, durch Kommas getrennt, nicht &quot;%s&quot;.</source>
        <translation>%s : --policy accepte salts, charges, isotopes et tautomers, séparés par des virgules, pas &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Die Bibliothek %s kennt keine Duplikatregeln (--policy).</source>
        <translation>La bibliothèque %s ne connaît pas de règles de doublons (--policy).</translation>
    </message>
    <message>
        <source>duplicates: --policy gilt nur für --by molecule.</source>
        <translation>duplicates : --policy ne s&apos;applique qu&apos;à --by molecule.</translation>
    </message>
    <message>
        <source>Schreibt die Datensätze jeder Gruppe gleicher Werte, Gruppe für Gruppe (in Zahlenfeldern ist 1.50 gleich 1.5); --json nennt Gruppen und Größen auf der Standardfehlerausgabe. --policy salts,charges,isotopes,tautomers (jede Auswahl, durch Kommas getrennt) lässt Moleküle auch dann gleich sein, wenn sie sich nur in Salzen und Lösungsmitteln, Ladungen, Isotopen oder als Tautomere unterscheiden.</source>
        <translation>Écrit les enregistrements de chaque groupe de valeurs égales, groupe par groupe (dans les champs numériques 1.50 égale 1.5) ; --json indique les groupes et leurs tailles sur la sortie d&apos;erreur standard. --policy salts,charges,isotopes,tautomers (tout choix, séparé par des virgules) rend des molécules identiques même si elles ne diffèrent que par des sels et solvants, des charges, des isotopes ou comme tautomères.</translation>
    </message>
    <message>
        <source>Führt zwei Dateien Molekül für Molekül zusammen wie das Zusammenführen von Datenblättern; --policy vergleicht die Moleküle nach denselben Regeln wie duplicates.</source>
        <translation>Combine deux fichiers molécule par molécule, comme la fusion de feuilles ; --policy compare les molécules selon les mêmes règles que duplicates.</translation>
    </message>
</context>
<context>
    <name>ZelmarDialogColumnStatistics</name>
    <message>
        <source>Wert</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Lese die Werte der Spalte...</source>
        <translation>Lecture des valeurs de la colonne...</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Datensätze: %1, leer: %2, keine Zahl: %3</source>
        <translation>Enregistrements : %1, vides : %2, non numériques : %3</translation>
    </message>
    <message>
        <source>Zahlen: %1, Minimum: %2, Maximum: %3</source>
        <translation>Nombres : %1, minimum : %2, maximum : %3</translation>
    </message>
    <message>
        <source>Mittelwert: %1, Median: %2</source>
        <translation>Moyenne : %1, médiane : %2</translation>
    </message>
    <message>
        <source>Spaltenstatistik - %1</source>
        <translation>Statistiques de la colonne - %1</translation>
    </message>
</context>
<context>
    <name>Zelmar_DialogExport</name>
    <message>
        <source>SMILES-Spalte &amp;hinzufügen</source>
        <translation>Ajouter une colonne S&amp;MILES</translation>
    </message>
    <message>
        <source>E&amp;xportieren...</source>
        <translation>E&amp;xporter...</translation>
    </message>
    <message>
        <source>Exportieren|Die Datensätze als SD-Datei, CSV, TSV oder Excel-Arbeitsmappe schreiben</source>
        <translation>Exporter|Écrire les enregistrements en fichier SD, CSV, TSV ou classeur Excel</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>&amp;SD-Datei (*.sdf)</source>
        <translation>Fichier &amp;SD (*.sdf)</translation>
    </message>
    <message>
        <source>&amp;CSV, durch Kommas getrennt (*.csv)</source>
        <translation>&amp;CSV, séparé par des virgules (*.csv)</translation>
    </message>
    <message>
        <source>&amp;TSV, durch Tabulatoren getrennt (*.tsv)</source>
        <translation>&amp;TSV, séparé par des tabulations (*.tsv)</translation>
    </message>
    <message>
        <source>E&amp;xcel-Arbeitsmappe (*.xlsx)</source>
        <translation>Classeur E&amp;xcel (*.xlsx)</translation>
    </message>
    <message>
        <source>Datensätze</source>
        <translation>Enregistrements</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Alle (%d)</source>
        <translation>&amp;Tous (%d)</translation>
    </message>
    <message>
        <source>Nur die &amp;markierten (%d)</source>
        <translation>Seulement les &amp;cochés (%d)</translation>
    </message>
    <message>
        <source>SD-Dateien (*.sdf)</source>
        <translation>Fichiers SD (*.sdf)</translation>
    </message>
    <message>
        <source>CSV-Dateien (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>TSV-Dateien (*.tsv)</source>
        <translation>Fichiers TSV (*.tsv)</translation>
    </message>
    <message>
        <source>Excel-Arbeitsmappen (*.xlsx)</source>
        <translation>Classeurs Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Die Datensätze mit Molekül und allen Datenfeldern; unveränderte genau so, wie sie gelesen wurden.</source>
        <translation>Les enregistrements avec leur molécule et tous les champs de données ; ceux qui n&apos;ont pas changé exactement tels qu&apos;ils ont été lus.</translation>
    </message>
    <message>
        <source>Eine Tabelle: die Datenfelder, Summenformel und Molekulargewicht; das Molekül auf Wunsch als SMILES.</source>
        <translation>Un tableau : les champs de données, la formule brute et la masse molaire ; la molécule en SMILES sur demande.</translation>
    </message>
    <message>
        <source>Exportieren nach</source>
        <translation>Exporter vers</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; gibt es schon.&lt;BR&gt;Möchten Sie sie ersetzen?</source>
        <translation>Le fichier &quot;%s&quot; existe déjà.&lt;BR&gt;Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>Exportiere &quot;%s&quot; ...</source>
        <translation>Exportation de &quot;%s&quot; ...</translation>
    </message>
    <message>
        <source>Die Datei &quot;%s&quot; konnte nicht geschrieben werden.&lt;BR&gt;Fehlermeldung: %s</source>
        <translation>Le fichier &quot;%s&quot; n&apos;a pas pu être écrit.&lt;BR&gt;Message d&apos;erreur : %s</translation>
    </message>
</context>
<context>
    <name>Zelmar_HelpWindow</name>
    <message>
        <source>de</source>
        <translation>fr</translation>
    </message>
    <message>
        <source>Zelmar-Handbuch</source>
        <translation>Manuel de Zelmar</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Zur vorigen Seite</source>
        <translation>Vers la page précédente</translation>
    </message>
    <message>
        <source>Vor</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Zur nächsten Seite</source>
        <translation>Vers la page suivante</translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Zum Inhaltsverzeichnis des Handbuchs</source>
        <translation>Vers la table des matières du manuel</translation>
    </message>
</context>
<context>
    <name>ZelmarPolicyChoice</name>
    <message>
        <source>Salze und Lösungsmittel ignorieren</source>
        <translation>Ignorer les sels et les solvants</translation>
    </message>
    <message>
        <source>Nur das größte organische Fragment zählt (Gegenionen und Lösungsmittel fallen weg).</source>
        <translation>Seul le plus grand fragment organique compte (les contre-ions et les solvants sont écartés).</translation>
    </message>
    <message>
        <source>ohne Salze</source>
        <translation>sans sels</translation>
    </message>
    <message>
        <source>Ladungen ignorieren</source>
        <translation>Ignorer les charges</translation>
    </message>
    <message>
        <source>Säuren, Basen und Zwitterionen zählen in ihrer neutralen Form.</source>
        <translation>Les acides, les bases et les zwitterions comptent sous leur forme neutre.</translation>
    </message>
    <message>
        <source>ohne Ladungen</source>
        <translation>sans charges</translation>
    </message>
    <message>
        <source>Isotope ignorieren</source>
        <translation>Ignorer les isotopes</translation>
    </message>
    <message>
        <source>Markierte Atome (13C, D, T) zählen wie unmarkierte.</source>
        <translation>Les atomes marqués (13C, D, T) comptent comme les atomes non marqués.</translation>
    </message>
    <message>
        <source>ohne Isotope</source>
        <translation>sans isotopes</translation>
    </message>
    <message>
        <source>Tautomere als ein Molekül</source>
        <translation>Tautomères comme une seule molécule</translation>
    </message>
    <message>
        <source>Wasserstoff, der zwischen Heteroatomen wandert, zählt nicht (2-Pyridon = 2-Hydroxypyridin); Keto- und Enolform bleiben getrennt.</source>
        <translation>L&apos;hydrogène qui se déplace entre hétéroatomes ne compte pas (2-pyridone = 2-hydroxypyridine) ; les formes céto et énol restent distinctes.</translation>
    </message>
    <message>
        <source>Tautomere vereint</source>
        <translation>tautomères réunis</translation>
    </message>
</context>
</TS>
