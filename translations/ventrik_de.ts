<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ActivityPane</name>
    <message>
        <source>HDL_Dump Activity</source>
        <translation>HDL_Dump-Aktivität</translation>
    </message>
    <message>
        <source>Command:</source>
        <translation>Befehl:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Open log folder</source>
        <translation>Protokollordner öffnen</translation>
    </message>
    <message>
        <source>Every command run, with its output, is kept in run.log</source>
        <translation>Jeder ausgeführte Befehl wird mit seiner Ausgabe in run.log aufbewahrt</translation>
    </message>
    <message>
        <source>Save diagnostic report...</source>
        <translation>Diagnosebericht speichern...</translation>
    </message>
    <message>
        <source>One text file for a bug report: versions, what the doctor finds, the settings and the recent log</source>
        <translation>Eine Textdatei für einen Fehlerbericht: Versionen, die Befunde der Prüfung, die Einstellungen und das letzte Protokoll</translation>
    </message>
    <message>
        <source>hdl_dump&apos;s output</source>
        <translation>Ausgabe von hdl_dump</translation>
    </message>
</context>
<context>
    <name>AppPaths</name>
    <message>
        <source>%1 (chosen in Settings)</source>
        <translation>%1 (in den Einstellungen gewählt)</translation>
    </message>
    <message>
        <source>%1 (beside this program)</source>
        <translation>%1 (neben diesem Programm)</translation>
    </message>
    <message>
        <source>the folders of PATH (%1)</source>
        <translation>die Ordner von PATH (%1)</translation>
    </message>
    <message>
        <source>%1 (given with %2)</source>
        <translation>%1 (mit %2 angegeben)</translation>
    </message>
</context>
<context>
    <name>Batch</name>
    <message>
        <source>a folder whose name is not valid UTF-8; rename it to add what it holds</source>
        <translation>ein Ordner, dessen Name kein gültiges UTF-8 ist; benennen Sie ihn um, um seinen Inhalt hinzuzufügen</translation>
    </message>
    <message>
        <source>its name is not valid UTF-8; rename it to add it</source>
        <translation>sein Name ist kein gültiges UTF-8; benennen Sie die Datei um, um sie hinzuzufügen</translation>
    </message>
    <message>
        <source>not a disc image (.iso, .cue, .nrg, .gi, .iml, .toc)</source>
        <translation>kein Disc-Abbild (.iso, .cue, .nrg, .gi, .iml, .toc)</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei gibt es nicht</translation>
    </message>
</context>
<context>
    <name>BatchReader</name>
    <message>
        <source>the tool could not be started</source>
        <translation>das Werkzeug konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>not read: the tool did not start</source>
        <translation>nicht gelesen: das Werkzeug startete nicht</translation>
    </message>
</context>
<context>
    <name>BrowsePane</name>
    <message numerus="yes">
        <source>Browse, Backup, and Delete - %n Games</source>
        <translation>
            <numerusform>Durchsuchen, Sichern und Löschen - %n Spiel</numerusform>
            <numerusform>Durchsuchen, Sichern und Löschen - %n Spiele</numerusform>
        </translation>
    </message>
    <message>
        <source>Filter by title or startup</source>
        <translation>Nach Titel oder Startdatei filtern</translation>
    </message>
    <message>
        <source>Copy to &amp;PC</source>
        <translation>Auf &amp;PC kopieren</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>Lös&amp;chen</translation>
    </message>
    <message>
        <source>Re&amp;name...</source>
        <translation>U&amp;mbenennen...</translation>
    </message>
    <message>
        <source>Fla&amp;gs...</source>
        <translation>&amp;Flags...</translation>
    </message>
    <message>
        <source>&amp;Copy to HDD</source>
        <translation>Auf HDD kopie&amp;ren</translation>
    </message>
    <message>
        <source>C&amp;opy to PS2</source>
        <translation>Auf P&amp;S2 kopieren</translation>
    </message>
    <message>
        <source>Games on the disk</source>
        <translation>Spiele auf der Festplatte</translation>
    </message>
    <message>
        <source>Filter (Ctrl+F)</source>
        <translation>Filter (Strg+F)</translation>
    </message>
    <message>
        <source>The game&apos;s cover and other pictures, and its own settings, where the PS2&apos;s launcher keeps them.</source>
        <translation>Das Cover und andere Bilder des Spiels und seine eigenen Einstellungen, dort, wo der Launcher der PS2 sie ablegt.</translation>
    </message>
    <message>
        <source>Cover &amp;&amp; Sett&amp;ings...</source>
        <translation>Co&amp;ver &amp;&amp; Einstellungen...</translation>
    </message>
</context>
<context>
    <name>ControlState</name>
    <message>
        <source>This hdl_dump has no &quot;modify&quot; command; the current builds have it.</source>
        <translation>Dieses hdl_dump hat keinen Befehl &quot;modify&quot;; die aktuellen Versionen haben ihn.</translation>
    </message>
    <message>
        <source>hdl_dump cannot copy a game from one disk to another here. Copy it to the PC, then install the image.</source>
        <translation>hdl_dump kann hier kein Spiel von einer Festplatte auf eine andere kopieren. Kopieren Sie es auf den PC und installieren Sie dann das Abbild.</translation>
    </message>
    <message>
        <source>This hdl_dump has no &quot;delete&quot; command: it cannot delete games.</source>
        <translation>Dieses hdl_dump hat keinen Befehl „delete“: Es kann keine Spiele löschen.</translation>
    </message>
    <message>
        <source>Ventrik is busy; this can be used once the current work has ended.</source>
        <translation>Ventrik ist beschäftigt; dies ist nutzbar, sobald die laufende Arbeit beendet ist.</translation>
    </message>
    <message>
        <source>Choose the PS2 device above and press Refresh first: games are installed on the device that was read.</source>
        <translation>Wählen Sie oben zuerst das PS2-Gerät und drücken Sie Aktualisieren: Spiele werden auf dem eingelesenen Gerät installiert.</translation>
    </message>
    <message>
        <source>Choose an optical drive or an image file first.</source>
        <translation>Wählen Sie zuerst ein optisches Laufwerk oder eine Abbilddatei.</translation>
    </message>
    <message>
        <source>Images can be added once the run has ended; one game can be added to the running queue meanwhile.</source>
        <translation>Abbilder können nach dem Lauf hinzugefügt werden; ein einzelnes Spiel kann der laufenden Warteschlange schon jetzt hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Choose an optical drive with a PS2 disc, and let its disc be read first.</source>
        <translation>Wählen Sie ein optisches Laufwerk mit einer PS2-Disc und lassen Sie die Disc zuerst einlesen.</translation>
    </message>
    <message>
        <source>Read a PS2 device that holds games first.</source>
        <translation>Lesen Sie zuerst ein PS2-Gerät, das Spiele enthält.</translation>
    </message>
    <message>
        <source>Choose one or more games in the list first.</source>
        <translation>Wählen Sie zuerst ein oder mehrere Spiele in der Liste.</translation>
    </message>
    <message>
        <source>Choose one game to rename or flag.</source>
        <translation>Wählen Sie genau ein Spiel zum Umbenennen oder Markieren.</translation>
    </message>
    <message>
        <source>The queue is empty: add games with Add to Job Queue, or copies from the game list.</source>
        <translation>Die Warteschlange ist leer: Stellen Sie Spiele mit „In Warteschlange stellen“ hinein oder Kopien aus der Spieleliste.</translation>
    </message>
    <message>
        <source>Choose one game.</source>
        <translation>Wählen Sie genau ein Spiel.</translation>
    </message>
</context>
<context>
    <name>DiskEntry</name>
    <message>
        <source>%1 - needs permission</source>
        <translation>%1 - Berechtigung nötig</translation>
    </message>
</context>
<context>
    <name>DiskLayouts</name>
    <message>
        <source>the disk did not answer in %1 s</source>
        <translation>die Festplatte hat in %1 s nicht geantwortet</translation>
    </message>
    <message>
        <source>nbdkit (the package nbdkit) is not installed</source>
        <translation>nbdkit (das Paket nbdkit) ist nicht installiert</translation>
    </message>
    <message>
        <source>the view could not be mounted</source>
        <translation>die Ansicht konnte nicht eingebunden werden</translation>
    </message>
</context>
<context>
    <name>DiskToolsPage</name>
    <message>
        <source>Refresh Drives</source>
        <translation>Laufwerke aktualisieren</translation>
    </message>
    <message>
        <source>Format this Drive</source>
        <translation>Dieses Laufwerk formatieren</translation>
    </message>
    <message>
        <source>Format a HDD for HDLoader use:</source>
        <translation>Eine Festplatte für HDLoader formatieren:</translation>
    </message>
    <message>
        <source>The disks this PC has; only one that holds nothing you need may be formatted.</source>
        <translation>Die Festplatten dieses PCs; formatieren Sie nur eine, auf der nichts liegt, was Sie brauchen.</translation>
    </message>
    <message>
        <source>Looks for disks again.</source>
        <translation>Sucht erneut nach Festplatten.</translation>
    </message>
    <message>
        <source>Erases the chosen disk and makes it a PS2 disk, after asking.</source>
        <translation>Löscht nach Rückfrage die gewählte Festplatte und macht sie zu einer PS2-Festplatte.</translation>
    </message>
    <message>
        <source>%1 has been formatted for HDLoader</source>
        <translation>%1 wurde für HDLoader formatiert</translation>
    </message>
    <message>
        <source>%1 - Playstation2 Formatted</source>
        <translation>%1 - Playstation2-formatiert</translation>
    </message>
    <message>
        <source>%1 - Unknown Format (cannot be read)</source>
        <translation>%1 - Unbekanntes Format (nicht lesbar)</translation>
    </message>
    <message>
        <source>%1 - Unknown Format</source>
        <translation>%1 - Unbekanntes Format</translation>
    </message>
    <message>
        <source>Format %1 as a PS2 disk?

Everything on this disk will be erased.</source>
        <translation>%1 als PS2-Festplatte formatieren?

Alles auf dieser Festplatte wird gelöscht.</translation>
    </message>
    <message>
        <source>Format Disk</source>
        <translation>Festplatte formatieren</translation>
    </message>
    <message>
        <source>Format %1 again?

It holds no games; its partitions will be erased.</source>
        <translation>%1 erneut formatieren?

Sie enthält keine Spiele; ihre Partitionen werden gelöscht.</translation>
    </message>
    <message numerus="yes">
        <source>%1 holds %n PS2 game(s). Formatting erases them, and everything else on the disk; nothing can bring them back.</source>
        <translation>
            <numerusform>%1 enthält %n PS2-Spiel. Das Formatieren löscht es und alles andere auf der Festplatte; nichts bringt es zurück.</numerusform>
            <numerusform>%1 enthält %n PS2-Spiele. Das Formatieren löscht sie und alles andere auf der Festplatte; nichts bringt sie zurück.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is a PS2 disk whose games could not be counted. Formatting erases them, and everything else on the disk; nothing can bring them back.</source>
        <translation>%1 ist eine PS2-Festplatte, deren Spiele nicht gezählt werden konnten. Das Formatieren löscht sie und alles andere auf der Festplatte; nichts bringt sie zurück.</translation>
    </message>
    <message>
        <source>Type the disk&apos;s name, %1, to format it:</source>
        <translation>Geben Sie zum Formatieren den Namen der Festplatte ein, %1:</translation>
    </message>
    <message>
        <source>Nothing was formatted: the name typed is not %1.</source>
        <translation>Nichts wurde formatiert: Der eingegebene Name ist nicht %1.</translation>
    </message>
</context>
<context>
    <name>GameListModel</name>
    <message>
        <source>Game Title</source>
        <translation>Spieltitel</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>Startdatei</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>%1
Pictures on the disk: %2</source>
        <translation>%1
Bilder auf der Festplatte: %2</translation>
    </message>
</context>
<context>
    <name>GameNames</name>
    <message>
        <source>The game index %1 was read only in part: %2</source>
        <translation>Das Spieleverzeichnis %1 wurde nur zum Teil gelesen: %2</translation>
    </message>
</context>
<context>
    <name>GamesController</name>
    <message>
        <source>ISO Files (*.iso)|*.iso|All Files (*.*)|*.*|</source>
        <translation>ISO-Dateien (*.iso)|*.iso|Alle Dateien (*.*)|*.*|</translation>
    </message>
    <message numerus="yes">
        <source>Choose the folder for the %n games</source>
        <translation>
            <numerusform>Wählen Sie den Ordner für das Spiel</numerusform>
            <numerusform>Wählen Sie den Ordner für die %n Spiele</numerusform>
        </translation>
    </message>
    <message>
        <source>Please enter the IP address of the PS2 console to copy the selected game to.</source>
        <translation>Bitte geben Sie die IP-Adresse der PS2-Konsole ein, auf die das gewählte Spiel kopiert werden soll.</translation>
    </message>
    <message>
        <source>Destination IP Address</source>
        <translation>IP-Adresse des Ziels</translation>
    </message>
    <message>
        <source>The address you entered matches the source PS2 address. Try again.</source>
        <translation>Die eingegebene Adresse ist die der Quell-PS2. Versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Are you sure you would like to permanently delete this game?

%1</source>
        <translation>Möchten Sie dieses Spiel wirklich endgültig löschen?

%1</translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you would like to permanently delete these %n games?

%1</source>
        <translation>
            <numerusform>Möchten Sie dieses Spiel wirklich endgültig löschen?

%1</numerusform>
            <numerusform>Möchten Sie diese %n Spiele wirklich endgültig löschen?

%1</numerusform>
        </translation>
    </message>
    <message>
        <source>The new name of %1:</source>
        <translation>Der neue Name von %1:</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>The compatibility flags of %1:</source>
        <translation>Die Kompatibilitäts-Flags von %1:</translation>
    </message>
    <message>
        <source>%1 was installed without a startup name: the launcher finds its pictures and settings by that name.</source>
        <translation>%1 wurde ohne Startnamen installiert: Der Launcher findet seine Bilder und Einstellungen über diesen Namen.</translation>
    </message>
</context>
<context>
    <name>InstallController</name>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Please select an ISO to install.</source>
        <translation>Bitte wählen Sie eine ISO-Datei zum Installieren.</translation>
    </message>
    <message>
        <source>Please select an optical drive with a PS2 game cd\dvd in it.</source>
        <translation>Bitte wählen Sie ein Laufwerk mit einer PS2-Spiel-CD\DVD darin.</translation>
    </message>
    <message>
        <source>Please enter a name for the game to be added.</source>
        <translation>Bitte geben Sie einen Namen für das hinzuzufügende Spiel ein.</translation>
    </message>
    <message>
        <source>Please enter a name for the game.</source>
        <translation>Bitte geben Sie einen Namen für das Spiel ein.</translation>
    </message>
    <message>
        <source>Add Images</source>
        <translation>Abbilder hinzufügen</translation>
    </message>
    <message>
        <source>Add every image in a folder and its subfolders</source>
        <translation>Jedes Abbild in einem Ordner und seinen Unterordnern hinzufügen</translation>
    </message>
    <message>
        <source>Choose and refresh the PS2 device first: the images are queued for it.</source>
        <translation>Wählen und aktualisieren Sie zuerst das PS2-Gerät: Die Abbilder werden für dieses eingereiht.</translation>
    </message>
    <message>
        <source>All disc images|*.iso;*.cue;*.nrg;*.gi;*.iml;*.toc|ISO Files (*.iso)|*.iso|CUE Files (*.cue)|*.cue|Nero Burning Image (*.nrg)|*.nrg|RecordNow! Global Image (*.gi)|*.gi|Sony CD/DVD Generator&apos;s Intermediate (*.iml)|*.iml|</source>
        <extracomment>Pairs of a shown name and its pattern, each followed by &quot;|&quot;; translate only the names.</extracomment>
        <translation>Alle Disc-Abbilder|*.iso;*.cue;*.nrg;*.gi;*.iml;*.toc|ISO-Dateien (*.iso)|*.iso|CUE-Dateien (*.cue)|*.cue|Nero Burning Image (*.nrg)|*.nrg|RecordNow! Global Image (*.gi)|*.gi|Sony CD/DVD Generator&apos;s Intermediate (*.iml)|*.iml|</translation>
    </message>
    <message>
        <source>Before %1 is installed:</source>
        <translation>Bevor %1 installiert wird:</translation>
    </message>
    <message>
        <source>Install Anyway</source>
        <translation>Trotzdem installieren</translation>
    </message>
</context>
<context>
    <name>InstallPane</name>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Optical Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>ISO File</source>
        <translation>ISO-Datei</translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation>Dur&amp;chsuchen</translation>
    </message>
    <message>
        <source>Game Information</source>
        <translation>Spielinformationen</translation>
    </message>
    <message>
        <source>Make IS&amp;O</source>
        <translation>IS&amp;O erstellen</translation>
    </message>
    <message>
        <source>&amp;Add to Job Queue</source>
        <translation>In Warteschlange &amp;stellen</translation>
    </message>
    <message>
        <source>&amp;Install Now</source>
        <translation>&amp;Jetzt installieren</translation>
    </message>
    <message>
        <source>Many Games</source>
        <translation>Viele Spiele</translation>
    </message>
    <message>
        <source>Add Ima&amp;ges...</source>
        <translation>Abbilder hinzu&amp;fügen...</translation>
    </message>
    <message>
        <source>Queue several image files at once; they can also be dropped on the window</source>
        <translation>Mehrere Abbilddateien auf einmal einreihen; sie können auch auf das Fenster gezogen werden</translation>
    </message>
    <message>
        <source>Add Fol&amp;der...</source>
        <translation>&amp;Verzeichnis hinzufügen...</translation>
    </message>
    <message>
        <source>Queue every image in a folder and its subfolders</source>
        <translation>Jedes Abbild in einem Ordner und seinen Unterordnern einreihen</translation>
    </message>
    <message>
        <source>%v of %m read</source>
        <translation>%v von %m gelesen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Game Name:</source>
        <translation>Spielname:</translation>
    </message>
    <message>
        <source>Startup File:</source>
        <translation>Startdatei:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Type, paste or browse for an image</source>
        <translation>Abbild eintippen, einfügen oder suchen</translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation>CD-ROM</translation>
    </message>
    <message>
        <source>DVD-ROM</source>
        <translation>DVD-ROM</translation>
    </message>
    <message>
        <source>hdl_dump does not say whether this image is a CD or a DVD; the type was set from its size.</source>
        <translation>hdl_dump sagt nicht, ob dieses Abbild eine CD oder eine DVD ist; der Typ wurde nach der Größe gesetzt.</translation>
    </message>
    <message>
        <source>Co&amp;mpatibility Flags</source>
        <translation>Ko&amp;mpatibilitäts-Flags</translation>
    </message>
    <message>
        <source>ISO file</source>
        <translation>ISO-Datei</translation>
    </message>
    <message>
        <source>Optical drive</source>
        <translation>Optisches Laufwerk</translation>
    </message>
    <message>
        <source>Adds this game to the job queue, to be installed when it runs.</source>
        <translation>Fügt dieses Spiel der Warteschlange hinzu; es wird installiert, wenn sie läuft.</translation>
    </message>
    <message>
        <source>Installs this game now, after the same check the queue makes.</source>
        <translation>Installiert dieses Spiel jetzt, nach derselben Prüfung, die die Warteschlange macht.</translation>
    </message>
    <message>
        <source>Saves the disc in the drive as an image file on this PC.</source>
        <translation>Speichert die Disc im Laufwerk als Abbilddatei auf diesem PC.</translation>
    </message>
</context>
<context>
    <name>Job</name>
    <message>
        <source>Named by hdl_dump&apos;s disc database</source>
        <translation>Name aus der Disc-Datenbank von hdl_dump</translation>
    </message>
    <message>
        <source>Named by the game index (GameIndex.yaml)</source>
        <translation>Name aus dem Spieleverzeichnis (GameIndex.yaml)</translation>
    </message>
    <message>
        <source>Named after the image file</source>
        <translation>Name nach der Abbilddatei</translation>
    </message>
    <message>
        <source>Named after the disc&apos;s label</source>
        <translation>Name nach der Beschriftung der Disc</translation>
    </message>
    <message>
        <source>Named as typed</source>
        <translation>Name wie eingegeben</translation>
    </message>
</context>
<context>
    <name>JobEditDialog</name>
    <message>
        <source>1: Slow HDD Access</source>
        <translation>1: Langsamer HDD-Zugriff</translation>
    </message>
    <message>
        <source>2: No DVD9 Support</source>
        <translation>2: Keine DVD9-Unterstützung</translation>
    </message>
    <message>
        <source>3: Kill HD Loader</source>
        <translation>3: HD Loader beenden</translation>
    </message>
    <message>
        <source>4: Date/time fix 2</source>
        <translation>4: Datum/Uhrzeit-Korrektur 2</translation>
    </message>
    <message>
        <source>5: Date/time fix 3</source>
        <translation>5: Datum/Uhrzeit-Korrektur 3</translation>
    </message>
    <message>
        <source>6: No Network Support</source>
        <translation>6: Keine Netzwerkunterstützung</translation>
    </message>
    <message>
        <source>7: Disable CzC Patch</source>
        <translation>7: CzC-Patch abschalten</translation>
    </message>
    <message>
        <source>8: Soul Calibur 2 / Suikoden V</source>
        <translation>8: Soul Calibur 2 / Suikoden V</translation>
    </message>
    <message>
        <source>Change Job</source>
        <translation>Auftrag ändern</translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation>CD-ROM</translation>
    </message>
    <message>
        <source>DVD-ROM</source>
        <translation>DVD-ROM</translation>
    </message>
    <message>
        <source>Compatibility Flags</source>
        <translation>Kompatibilitäts-Flags</translation>
    </message>
    <message>
        <source>Game &amp;Name:</source>
        <translation>Spiel&amp;name:</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Typ:</translation>
    </message>
    <message>
        <source>The game needs a name.</source>
        <translation>Das Spiel braucht einen Namen.</translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Make ISO</source>
        <translation>ISO erstellen</translation>
    </message>
    <message>
        <source>Copy to PC</source>
        <translation>Auf PC kopieren</translation>
    </message>
    <message>
        <source>Copy to PS2</source>
        <translation>Auf PS2 kopieren</translation>
    </message>
    <message>
        <source>Copy to HDD</source>
        <translation>Auf HDD kopieren</translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation>CD-ROM</translation>
    </message>
    <message>
        <source>DVD-ROM</source>
        <translation>DVD-ROM</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>Wartend</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Complete, not verified: %1</source>
        <translation>Fertig, nicht geprüft: %1</translation>
    </message>
    <message>
        <source>Complete (verified; the tool reported: %1)</source>
        <translation>Fertig (geprüft; das Werkzeug meldete: %1)</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Incomplete on disk</source>
        <translation>Unvollständig auf der Festplatte</translation>
    </message>
    <message>
        <source>Error (Input or output is unsupported)</source>
        <translation>Fehler (Ein- oder Ausgabe wird nicht unterstützt)</translation>
    </message>
    <message>
        <source>Error (File already exists)</source>
        <translation>Fehler (Datei existiert bereits)</translation>
    </message>
    <message>
        <source>Error (Insufficient disk space)</source>
        <translation>Fehler (Zu wenig Speicherplatz)</translation>
    </message>
    <message>
        <source>Error (The parameter is incorrect)</source>
        <translation>Fehler (Der Parameter ist falsch)</translation>
    </message>
    <message>
        <source>Error (Dual-Layer DVD?)</source>
        <translation>Fehler (Dual-Layer-DVD?)</translation>
    </message>
    <message>
        <source>Error (%1)</source>
        <translation>Fehler (%1)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>Startdatei</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Flags</translation>
    </message>
    <message numerus="yes">
        <source>%n installed</source>
        <translation>
            <numerusform>%n installiert</numerusform>
            <numerusform>%n installiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copied</source>
        <translation>
            <numerusform>%n kopiert</numerusform>
            <numerusform>%n kopiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saved as image</source>
        <translation>
            <numerusform>%n als Abbild gespeichert</numerusform>
            <numerusform>%n als Abbild gespeichert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fehlgeschlagen</numerusform>
            <numerusform>%n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cancelled</source>
        <translation>
            <numerusform>%n abgebrochen</numerusform>
            <numerusform>%n abgebrochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n still pending</source>
        <translation>
            <numerusform>%n noch wartend</numerusform>
            <numerusform>%n noch wartend</numerusform>
        </translation>
    </message>
    <message>
        <source>No job ran</source>
        <translation>Kein Auftrag lief</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
</context>
<context>
    <name>JobPane</name>
    <message>
        <source>Job Queue</source>
        <translation>Warteschlange</translation>
    </message>
    <message>
        <source>&amp;Start Job Queue</source>
        <translation>Warteschlange &amp;starten</translation>
    </message>
    <message>
        <source>Remove &amp;Job</source>
        <translation>Auftrag ent&amp;fernen</translation>
    </message>
    <message>
        <source>&amp;Clear Jobs</source>
        <translation>Aufträge &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Go Back to Main Window</source>
        <translation>&amp;Zurück zum Hauptfenster</translation>
    </message>
    <message>
        <source>R&amp;un Selected</source>
        <translation>A&amp;uswahl starten</translation>
    </message>
    <message>
        <source>Runs only the selected jobs now; the others wait.</source>
        <translation>Startet jetzt nur die gewählten Aufträge; die anderen warten.</translation>
    </message>
    <message>
        <source>Run Now</source>
        <translation>Jetzt ausführen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Ed&amp;it...</source>
        <translation>Ä&amp;ndern...</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Aufträge</translation>
    </message>
</context>
<context>
    <name>JobQueue</name>
    <message>
        <source>The image has %1 bytes where the game has %2; it was not kept.</source>
        <translation>Das Abbild hat %1 Bytes, das Spiel aber %2; es wurde nicht behalten.</translation>
    </message>
    <message>
        <source>The image could not be put in place: %1</source>
        <translation>Das Abbild konnte nicht an seinen Platz gebracht werden: %1</translation>
    </message>
    <message>
        <source>the tool reported success, but the game %1 on %2 was there before the job; nothing new was written</source>
        <translation>das Werkzeug meldete Erfolg, aber das Spiel %1 auf %2 war schon vor dem Auftrag da; nichts Neues wurde geschrieben</translation>
    </message>
    <message>
        <source>the tool reported success, but %1 is not on %2</source>
        <translation>das Werkzeug meldete Erfolg, aber %1 ist nicht auf %2</translation>
    </message>
    <message>
        <source>%1 is on %2 with %3 KB of %4 KB</source>
        <translation>%1 ist mit %3 KB von %4 KB auf %2</translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <source>hdl_dump cannot copy a game from one disk to another here.</source>
        <translation>hdl_dump kann hier kein Spiel von einer Festplatte auf eine andere kopieren.</translation>
    </message>
    <message>
        <source>The PS2 stopped answering; its game is checked when the queue resumes.</source>
        <translation>Die PS2 antwortet nicht mehr; ihr Spiel wird geprüft, wenn die Warteschlange weiterläuft.</translation>
    </message>
    <message>
        <source>The image (%1 bytes) holds no disc&apos;s volume; it was not kept.</source>
        <translation>Das Abbild (%1 Bytes) enthält kein Volume einer Disc; es wurde nicht behalten.</translation>
    </message>
    <message>
        <source>The image has %1 bytes where its disc&apos;s volume has %2; it was not kept.</source>
        <translation>Das Abbild hat %1 Bytes, das Volume seiner Disc %2; es wurde nicht behalten.</translation>
    </message>
    <message>
        <source>stopped answering: nothing moved for %1 s</source>
        <translation>antwortet nicht mehr: %1 s lang bewegte sich nichts</translation>
    </message>
    <message>
        <source>The PS2 stopped answering; part of the game may be on its disk. Read its games when it answers again, and delete the game if it is listed.</source>
        <translation>Die PS2 antwortet nicht mehr; ein Teil des Spiels kann auf ihrer Festplatte sein. Lesen Sie ihre Spiele, sobald sie wieder antwortet, und löschen Sie das Spiel, wenn es aufgeführt ist.</translation>
    </message>
    <message>
        <source>%1 did not end after 100%; it was ended after %2 s</source>
        <translation>%1 endete nach 100 % nicht; es wurde nach %2 s beendet</translation>
    </message>
    <message>
        <source>nothing, and it ended well</source>
        <translation>nichts, und es endete erfolgreich</translation>
    </message>
</context>
<context>
    <name>Jobs</name>
    <message>
        <source>The folder %1 does not exist or cannot be written to.</source>
        <translation>Der Ordner %1 existiert nicht oder kann nicht beschrieben werden.</translation>
    </message>
</context>
<context>
    <name>LauncherDialog</name>
    <message>
        <source>Cover</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Bildschirmfoto</translation>
    </message>
    <message>
        <source>Launcher Files of %1</source>
        <translation>Launcher-Dateien von %1</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Art:</translation>
    </message>
    <message>
        <source>&amp;Choose Picture...</source>
        <translation>Bild &amp;wählen...</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>Ent&amp;fernen</translation>
    </message>
    <message>
        <source>A picture may also be dropped here. It is converted to PNG at the size the launcher shows.</source>
        <translation>Ein Bild kann auch hierher gezogen werden. Es wird in PNG in der Größe umgewandelt, in der der Launcher es zeigt.</translation>
    </message>
    <message>
        <source>Settings of the game</source>
        <translation>Einstellungen des Spiels</translation>
    </message>
    <message>
        <source>Mode %1</source>
        <translation>Modus %1</translation>
    </message>
    <message>
        <source>The launcher&apos;s compatibility mode %1, as its own settings number them.</source>
        <translation>Kompatibilitätsmodus %1 des Launchers, nummeriert wie in seinen eigenen Einstellungen.</translation>
    </message>
    <message>
        <source>none (the PS2&apos;s own card)</source>
        <translation>keine (die eigene Karte der PS2)</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>Einstellungen &amp;speichern</translation>
    </message>
    <message>
        <source>Memory card &amp;1:</source>
        <translation>Memory Card &amp;1:</translation>
    </message>
    <message>
        <source>Memory card &amp;2:</source>
        <translation>Memory Card &amp;2:</translation>
    </message>
    <message>
        <source>The PS2 must not be running a game while its files are changed.</source>
        <translation>Die PS2 darf kein Spiel ausführen, während ihre Dateien geändert werden.</translation>
    </message>
    <message>
        <source>Choose a picture for %1</source>
        <translation>Bild für %1 wählen</translation>
    </message>
    <message>
        <source>Reading and writing the disk...</source>
        <translation>Festplatte wird gelesen und beschrieben...</translation>
    </message>
    <message>
        <source>The disk has no partition for the launcher&apos;s files yet; it is made (128 MB) when you first give a picture or setting.</source>
        <translation>Die Festplatte hat noch keine Partition für die Dateien des Launchers; sie wird angelegt (128 MB), sobald Sie das erste Bild oder die erste Einstellung vergeben.</translation>
    </message>
    <message>
        <source>%1 x %2 pixels on the disk.</source>
        <translation>%1 x %2 Pixel auf der Festplatte.</translation>
    </message>
    <message>
        <source>The disk has no +OPL partition, where the launcher keeps its pictures, settings and memory cards. Make it now (128 MB), as the launcher itself would?</source>
        <translation>Die Festplatte hat keine Partition +OPL, in der der Launcher Bilder, Einstellungen und Memory Cards ablegt. Jetzt anlegen (128 MB), wie es der Launcher selbst täte?</translation>
    </message>
    <message>
        <source>Remove the %1 of %2 from the disk?</source>
        <translation>%1 von %2 von der Festplatte entfernen?</translation>
    </message>
    <message>
        <source>The clipboard holds no picture.</source>
        <translation>Die Zwischenablage enthält kein Bild.</translation>
    </message>
    <message>
        <source>The pasted picture could not be kept for writing.</source>
        <translation>Das eingefügte Bild konnte nicht zum Schreiben abgelegt werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a memory card&apos;s name: letters, digits, &apos;_&apos;, &apos;-&apos; and &apos;.&apos;, no blanks.</source>
        <translation>„%1“ kann kein Name einer Memory Card sein: Buchstaben, Ziffern, „_“, „-“ und „.“, keine Leerzeichen.</translation>
    </message>
    <message>
        <source>Nothing changed.</source>
        <translation>Nichts geändert.</translation>
    </message>
    <message>
        <source>Settings saved.</source>
        <translation>Einstellungen gespeichert.</translation>
    </message>
    <message>
        <source>The settings were not saved.</source>
        <translation>Die Einstellungen wurden nicht gespeichert.</translation>
    </message>
    <message>
        <source>cover</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>screenshot</source>
        <translation>Bildschirmfoto</translation>
    </message>
    <message>
        <source>No %1 on the disk.</source>
        <translation>Kein %1 auf der Festplatte.</translation>
    </message>
    <message>
        <source>Memory cards on the disk</source>
        <translation>Memory Cards auf der Festplatte</translation>
    </message>
    <message>
        <source>Sa&amp;ve to PC...</source>
        <translation>Auf PC sic&amp;hern...</translation>
    </message>
    <message>
        <source>&amp;Load from PC...</source>
        <translation>Vom PC &amp;laden...</translation>
    </message>
    <message>
        <source>&amp;Delete Card</source>
        <translation>&amp;Karte löschen</translation>
    </message>
    <message>
        <source>%1  (%2 KB)</source>
        <translation>%1  (%2 KB)</translation>
    </message>
    <message>
        <source>Save the memory card %1</source>
        <translation>Memory Card %1 sichern</translation>
    </message>
    <message>
        <source>Memory cards</source>
        <translation>Memory Cards</translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation>In %1 gesichert.</translation>
    </message>
    <message>
        <source>The memory card was not saved.</source>
        <translation>Die Memory Card wurde nicht gesichert.</translation>
    </message>
    <message>
        <source>Choose a memory card for the disk</source>
        <translation>Memory Card für die Festplatte wählen</translation>
    </message>
    <message>
        <source>The disk holds a memory card %1 already. Replace it, with every save on it?</source>
        <translation>Die Festplatte enthält bereits eine Memory Card %1. Sie mit allen Spielständen darauf ersetzen?</translation>
    </message>
    <message>
        <source>Delete the memory card %1 and every save on it from the disk?</source>
        <translation>Die Memory Card %1 mit allen Spielständen darauf von der Festplatte löschen?</translation>
    </message>
</context>
<context>
    <name>LauncherFiles</name>
    <message>
        <source>No working folder for pfsshell could be made in %1.</source>
        <translation>In %1 konnte kein Arbeitsordner für pfsshell angelegt werden.</translation>
    </message>
    <message>
        <source>A name holds a line break.</source>
        <translation>Ein Name enthält einen Zeilenumbruch.</translation>
    </message>
    <message>
        <source>pfsshell found no PS2 partitions on it.</source>
        <translation>pfsshell hat darauf keine PS2-Partitionen gefunden.</translation>
    </message>
    <message>
        <source>it could not be written</source>
        <translation>sie konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The partition %1 was made on %2.</source>
        <translation>Die Partition %1 wurde auf %2 angelegt.</translation>
    </message>
    <message>
        <source>pfs2tar was not found: %1 on %2 was not backed up.</source>
        <translation>pfs2tar wurde nicht gefunden: %1 auf %2 wurde nicht gesichert.</translation>
    </message>
    <message>
        <source>The launcher&apos;s files on %1 were saved to %2</source>
        <translation>Die Dateien des Launchers auf %1 wurden in %2 gesichert</translation>
    </message>
    <message>
        <source>its launcher&apos;s partition could not be backed up first, so nothing was written: %1</source>
        <translation>die Partition seines Launchers konnte vorher nicht gesichert werden, daher wurde nichts geschrieben: %1</translation>
    </message>
    <message>
        <source>this name cannot be written on a PS2 disk</source>
        <translation>dieser Name kann auf einer PS2-Festplatte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 could not be read</source>
        <translation>%1 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>what pfsshell wrote did not read back the same; the file on the disk was left as it was</source>
        <translation>was pfsshell geschrieben hat, ließ sich nicht gleich zurücklesen; die Datei auf der Festplatte blieb, wie sie war</translation>
    </message>
    <message>
        <source>it did not read back the same</source>
        <translation>sie ließ sich nicht gleich zurücklesen</translation>
    </message>
    <message>
        <source>it is still there</source>
        <translation>sie ist noch da</translation>
    </message>
    <message>
        <source>a game needs a startup name of letters, digits, &apos;_&apos; and &apos;.&apos; for its pictures</source>
        <translation>ein Spiel braucht für seine Bilder einen Startnamen aus Buchstaben, Ziffern, „_“ und „.“</translation>
    </message>
    <message>
        <source>a game needs a startup name of letters, digits, &apos;_&apos; and &apos;.&apos; for its settings</source>
        <translation>ein Spiel braucht für seine Einstellungen einen Startnamen aus Buchstaben, Ziffern, „_“ und „.“</translation>
    </message>
</context>
<context>
    <name>LayoutWords</name>
    <message>
        <source>its first sectors could not be read</source>
        <translation>ihre ersten Sektoren konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>the checksum of its first partition header is wrong</source>
        <translation>die Prüfsumme ihres ersten Partitionskopfs ist falsch</translation>
    </message>
    <message>
        <source>its first partition header is not the table&apos;s own</source>
        <translation>ihr erster Partitionskopf ist nicht der der Tabelle</translation>
    </message>
    <message>
        <source>its chain of partitions does not end</source>
        <translation>ihre Kette von Partitionen endet nicht</translation>
    </message>
    <message>
        <source>the partition header at sector %1 could not be read</source>
        <translation>der Partitionskopf bei Sektor %1 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>no partition header where the chain points (sector %1)</source>
        <translation>kein Partitionskopf, wohin die Kette zeigt (Sektor %1)</translation>
    </message>
    <message>
        <source>the checksum of the partition header at sector %1 is wrong</source>
        <translation>die Prüfsumme des Partitionskopfs bei Sektor %1 ist falsch</translation>
    </message>
    <message>
        <source>the partition header at sector %1 names another start</source>
        <translation>der Partitionskopf bei Sektor %1 nennt einen anderen Anfang</translation>
    </message>
    <message>
        <source>the partition at sector %1 does not point back to the one before it</source>
        <translation>die Partition bei Sektor %1 zeigt nicht auf die vor ihr zurück</translation>
    </message>
    <message>
        <source>the partition at sector %1 reaches into the disk&apos;s other partition table</source>
        <translation>die Partition bei Sektor %1 reicht in die andere Partitionstabelle der Festplatte</translation>
    </message>
    <message>
        <source>the partition at sector %1 reaches past the end of the disk</source>
        <translation>die Partition bei Sektor %1 reicht über das Ende der Festplatte hinaus</translation>
    </message>
    <message>
        <source>the slice at sector %1 belongs to no game</source>
        <translation>der Abschnitt bei Sektor %1 gehört zu keinem Spiel</translation>
    </message>
    <message>
        <source>the partition at sector %1 overlaps the next one</source>
        <translation>die Partition bei Sektor %1 überlappt die nächste</translation>
    </message>
    <message>
        <source>the table&apos;s first header does not point to its last partition</source>
        <translation>der erste Kopf der Tabelle zeigt nicht auf ihre letzte Partition</translation>
    </message>
    <message>
        <source>the game at sector %1 lists %2 slices, and %3 were found</source>
        <translation>das Spiel bei Sektor %1 nennt %2 Abschnitte, und %3 wurden gefunden</translation>
    </message>
    <message>
        <source>its size (%1 bytes) is not that of a partition table backup</source>
        <translation>ihre Größe (%1 Bytes) ist nicht die einer Sicherung einer Partitionstabelle</translation>
    </message>
    <message>
        <source>it has data after its end</source>
        <translation>sie hat Daten nach ihrem Ende</translation>
    </message>
    <message>
        <source>it does not begin with a PS2 partition table</source>
        <translation>sie beginnt nicht mit einer PS2-Partitionstabelle</translation>
    </message>
    <message>
        <source>its record %1 is no partition header</source>
        <translation>ihr Eintrag %1 ist kein Partitionskopf</translation>
    </message>
    <message>
        <source>its partitions do not follow one another (record %1)</source>
        <translation>ihre Partitionen folgen nicht aufeinander (Eintrag %1)</translation>
    </message>
    <message>
        <source>its first header does not point to its last partition</source>
        <translation>ihr erster Kopf zeigt nicht auf ihre letzte Partition</translation>
    </message>
    <message>
        <source>a PS2 partition table</source>
        <translation>eine PS2-Partitionstabelle</translation>
    </message>
    <message>
        <source>nothing (it is blank)</source>
        <translation>nichts (sie ist leer)</translation>
    </message>
    <message>
        <source>an MBR partition table</source>
        <translation>eine MBR-Partitionstabelle</translation>
    </message>
    <message>
        <source>a GPT partition table</source>
        <translation>eine GPT-Partitionstabelle</translation>
    </message>
    <message>
        <source>an exFAT file system</source>
        <translation>ein exFAT-Dateisystem</translation>
    </message>
    <message>
        <source>data Ventrik does not know</source>
        <translation>Daten, die Ventrik nicht kennt</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Add &amp;Images...</source>
        <translation>&amp;Abbilder hinzufügen...</translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation>&amp;Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>Save &amp;Diagnostic Report...</source>
        <translation>&amp;Diagnosebericht speichern...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Find Game</source>
        <translation>Spiel &amp;suchen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Install</source>
        <translation>&amp;Installieren</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>Job &amp;Queue</source>
        <translation>&amp;Warteschlange</translation>
    </message>
    <message>
        <source>&amp;Activity</source>
        <translation>&amp;Aktivität</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>A&amp;ktualisieren</translation>
    </message>
    <message>
        <source>&amp;Queue</source>
        <translation>&amp;Warteschlange</translation>
    </message>
    <message>
        <source>&amp;Start Job Queue</source>
        <translation>Warteschlange &amp;starten</translation>
    </message>
    <message>
        <source>&amp;Clear Job Queue...</source>
        <translation>Warteschlange &amp;leeren...</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Settings &amp;&amp; Tools...</source>
        <translation>&amp;Einstellungen &amp;&amp; Werkzeuge...</translation>
    </message>
    <message>
        <source>Open &amp;Log Folder</source>
        <translation>&amp;Protokollordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;About Ventrik</source>
        <translation>&amp;Über Ventrik</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Settings &amp;&amp; Tools</source>
        <translation>Einstellungen &amp;&amp; Werkzeuge</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>The partition table of %1 was restored</source>
        <translation>Die Partitionstabelle von %1 wurde wiederhergestellt</translation>
    </message>
    <message>
        <source>Currently on Job %1 of %2</source>
        <translation>Derzeit bei Auftrag %1 von %2</translation>
    </message>
    <message>
        <source>Job added to job queue</source>
        <translation>Auftrag zur Warteschlange hinzugefügt</translation>
    </message>
    <message numerus="yes">
        <source>%1 - %n jobs pending</source>
        <translation>
            <numerusform>%1 - %n Auftrag wartet</numerusform>
            <numerusform>%1 - %n Aufträge warten</numerusform>
        </translation>
    </message>
    <message>
        <source>Text Files (*.txt)|*.txt|All Files (*.*)|*.*|</source>
        <translation>Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*|</translation>
    </message>
    <message>
        <source>Diagnostic report saved</source>
        <translation>Diagnosebericht gespeichert</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>A job is running. Cancel it and exit?</source>
        <translation>Ein Auftrag läuft. Abbrechen und beenden?</translation>
    </message>
    <message>
        <source>Installing %1</source>
        <translation>%1 wird installiert</translation>
    </message>
    <message>
        <source>Installing %1 to %2</source>
        <translation>%1 wird auf %2 installiert</translation>
    </message>
    <message>
        <source>%1 changed</source>
        <translation>%1 geändert</translation>
    </message>
    <message>
        <source>%1 deleted from HDD</source>
        <translation>%1 von der HDD gelöscht</translation>
    </message>
    <message>
        <source>Creating ISO of %1 to %2</source>
        <translation>ISO von %1 wird nach %2 erstellt</translation>
    </message>
    <message>
        <source>Copying %1 to %2</source>
        <translation>%1 wird nach %2 kopiert</translation>
    </message>
    <message>
        <source>Installation of %1 complete!</source>
        <translation>Installation von %1 abgeschlossen!</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>The run will stop when this job ends; the jobs after it wait in the queue.</source>
        <translation>Der Lauf endet mit diesem Auftrag; die folgenden warten in der Warteschlange.</translation>
    </message>
    <message>
        <source>The run goes on after this job.</source>
        <translation>Der Lauf geht nach diesem Auftrag weiter.</translation>
    </message>
    <message>
        <source>Job %1 of %2: %3</source>
        <translation>Auftrag %1 von %2: %3</translation>
    </message>
    <message>
        <source>Installation of %1 was cancelled.</source>
        <translation>Die Installation von %1 wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Installation of %1 failed.</source>
        <translation>Die Installation von %1 ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>&amp;Choose hdl_dump...</source>
        <translation>hdl_dump &amp;wählen...</translation>
    </message>
    <message>
        <source>The run was stopped: %1</source>
        <translation>Der Lauf wurde angehalten: %1</translation>
    </message>
    <message>
        <source>The user guide is not installed. It comes with the package, in /usr/share/doc/ventrik/README.md.</source>
        <translation>Das Benutzerhandbuch ist nicht installiert. Es kommt mit dem Paket, in /usr/share/doc/ventrik/README.md.</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>%1, version %2</source>
        <translation>%1, Version %2</translation>
    </message>
    <message>
        <source>not found (%1)</source>
        <translation>nicht gefunden (%1)</translation>
    </message>
    <message>
        <source>Ventrik %1

Installs PS2 games on a PS2 hard disk, attached to this PC or inside a PS2 on the network, and manages them, through the disk tool hdl_dump.

Licence: proprietary; all rights reserved.

hdl_dump: %2
Settings: %3
Data: %4
Logs: %5</source>
        <translation>Ventrik %1

Installiert PS2-Spiele auf eine PS2-Festplatte, an diesem PC oder in einer PS2 im Netzwerk, und verwaltet sie, mit dem Festplattenwerkzeug hdl_dump.

Lizenz: proprietär; alle Rechte vorbehalten.

hdl_dump: %2
Einstellungen: %3
Daten: %4
Protokolle: %5</translation>
    </message>
    <message>
        <source>About Ventrik</source>
        <translation>Über Ventrik</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>No games on %1 yet: install one from the Install view.</source>
        <translation>Noch keine Spiele auf %1: Installieren Sie eines in der Ansicht Installieren.</translation>
    </message>
    <message>
        <source>No PS2 disk found: plug one in and press Refresh HDD, or choose LAN for a PS2 on the network.</source>
        <translation>Keine PS2-Festplatte gefunden: Schließen Sie eine an und drücken Sie HDD aktualisieren, oder wählen Sie LAN für eine PS2 im Netzwerk.</translation>
    </message>
    <message>
        <source>Press Refresh HDD to read %1.</source>
        <translation>Drücken Sie HDD aktualisieren, um %1 zu lesen.</translation>
    </message>
    <message>
        <source>Press Refresh PS2 to read %1.</source>
        <translation>Drücken Sie PS2 aktualisieren, um %1 zu lesen.</translation>
    </message>
    <message numerus="yes">
        <source>%n copies added to the job queue; they run after the jobs before them.</source>
        <translation>
            <numerusform>%n Kopie zur Warteschlange hinzugefügt; sie läuft nach den Aufträgen davor.</numerusform>
            <numerusform>%n Kopien zur Warteschlange hinzugefügt; sie laufen nach den Aufträgen davor.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copies added to the job queue; start the queue to copy.</source>
        <translation>
            <numerusform>%n Kopie zur Warteschlange hinzugefügt; starten Sie die Warteschlange zum Kopieren.</numerusform>
            <numerusform>%n Kopien zur Warteschlange hinzugefügt; starten Sie die Warteschlange zum Kopieren.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MessageBar</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>NavigationPane</name>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Minimi&amp;ze</source>
        <translation>M&amp;inimieren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Insta&amp;ll</source>
        <translation>Insta&amp;llieren</translation>
    </message>
    <message>
        <source>&amp;Browse, Backup, Delete</source>
        <translation>D&amp;urchsuchen, Sichern, Löschen</translation>
    </message>
    <message>
        <source>&amp;Job Queue</source>
        <translation>Warteschlan&amp;ge</translation>
    </message>
    <message>
        <source>View HDL_Dump Activit&amp;y</source>
        <translation>HDL_Dump-Aktivität &amp;zeigen</translation>
    </message>
    <message>
        <source>&amp;Settings &amp;&amp; Tools</source>
        <translation>Einstellu&amp;ngen &amp;&amp; Werkzeuge</translation>
    </message>
</context>
<context>
    <name>NbdDisks</name>
    <message>
        <source>nbdfuse (the package libnbd-bin)</source>
        <translation>nbdfuse (das Paket libnbd-bin)</translation>
    </message>
    <message>
        <source>FUSE (/dev/fuse)</source>
        <translation>FUSE (/dev/fuse)</translation>
    </message>
    <message>
        <source>a build of hdl_dump that takes files (this one is a release build)</source>
        <translation>eine Fassung von hdl_dump, die Dateien annimmt (diese ist eine Release-Fassung)</translation>
    </message>
    <message>
        <source>polkit&apos;s pkexec with Ventrik&apos;s permission helper</source>
        <translation>pkexec von polkit mit Ventriks Berechtigungshelfer</translation>
    </message>
    <message>
        <source>nbd-client (the package nbd-client)</source>
        <translation>nbd-client (das Paket nbd-client)</translation>
    </message>
    <message>
        <source>the kernel&apos;s nbd module</source>
        <translation>das nbd-Modul des Kernels</translation>
    </message>
    <message>
        <source>as a file it needs %1; as a device it needs %2</source>
        <translation>als Datei braucht sie %1; als Gerät braucht sie %2</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>the password was not given</source>
        <translation>das Passwort wurde nicht eingegeben</translation>
    </message>
    <message>
        <source>the helper failed (status %1)</source>
        <translation>der Helfer ist gescheitert (Status %1)</translation>
    </message>
</context>
<context>
    <name>NetworkPs2</name>
    <message>
        <source>no ICMP echo can be sent from this computer</source>
        <translation>von diesem Computer kann kein ICMP-Echo gesendet werden</translation>
    </message>
</context>
<context>
    <name>Parsers</name>
    <message>
        <source>%1GB Total - %2GB Used - %3GB Available</source>
        <translation>%1 GB gesamt - %2 GB belegt - %3 GB frei</translation>
    </message>
    <message>
        <source>%1GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1MB</source>
        <translation>%1 MB</translation>
    </message>
</context>
<context>
    <name>PreflightWords</name>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>The image %1 is missing.</source>
        <translation>Das Abbild %1 fehlt.</translation>
    </message>
    <message>
        <source>The image %1 cannot be read.</source>
        <translation>Das Abbild %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The image %1 has changed since it was queued (%2 bytes then, %3 now): queue it again.</source>
        <translation>Das Abbild %1 hat sich seit dem Einreihen geändert (damals %2 Bytes, jetzt %3): Reihen Sie es erneut ein.</translation>
    </message>
    <message>
        <source>Job %1 writes %2 too: the second would find the first&apos;s image there.</source>
        <translation>Auftrag %1 schreibt ebenfalls %2: Der zweite fände dort das Abbild des ersten vor.</translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is queued twice for %2 (jobs %3 and %4).</source>
        <translation>&quot;%1&quot; ist zweimal für %2 eingereiht (Aufträge %3 und %4).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (job %2) and &quot;%3&quot; would get the same partition name (%4) on %5; the tool would refuse the second. Give one a different name.</source>
        <translation>&quot;%1&quot; (Auftrag %2) und &quot;%3&quot; bekämen auf %5 denselben Partitionsnamen (%4); das Werkzeug würde den zweiten ablehnen. Geben Sie einem einen anderen Namen.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was left incomplete on %2 by an earlier run (%3 KB of %4 KB): delete it first.</source>
        <translation>&quot;%1&quot; wurde von einem früheren Lauf unvollständig auf %2 gelassen (%3 KB von %4 KB): Löschen Sie es zuerst.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is already installed on %2.</source>
        <translation>&quot;%1&quot; ist bereits auf %2 installiert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would get the partition name %2, which &quot;%3&quot; has on %4; the tool would refuse it. Give it a different name.</source>
        <translation>&quot;%1&quot; bekäme den Partitionsnamen %2, den &quot;%3&quot; auf %4 hat; das Werkzeug würde es ablehnen. Geben Sie ihm einen anderen Namen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has the startup %2 of &quot;%3&quot;, which is on %4 already: it may be the same game.</source>
        <translation>&quot;%1&quot; hat die Startdatei %2 von &quot;%3&quot;, das bereits auf %4 ist: Es könnte dasselbe Spiel sein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has the startup %2 of &quot;%3&quot; (job %4): it may be the same game.</source>
        <translation>&quot;%1&quot; hat die Startdatei %2 von &quot;%3&quot; (Auftrag %4): Es könnte dasselbe Spiel sein.</translation>
    </message>
    <message>
        <source>Not enough space on %1 from this job on: the games queued so far need %2 in %3 MB slices, one slice is kept free, and %4 is free.</source>
        <translation>Ab diesem Auftrag nicht genug Platz auf %1: Die bisher eingereihten Spiele brauchen %2 in Stücken zu %3 MB, ein Stück bleibt frei, und %4 ist frei.</translation>
    </message>
    <message>
        <source>Nothing can be installed on %1: %2</source>
        <translation>Auf %1 kann nichts installiert werden: %2</translation>
    </message>
</context>
<context>
    <name>ProblemPresenter</name>
    <message>
        <source>Damaged Partition Table</source>
        <translation>Beschädigte Partitionstabelle</translation>
    </message>
    <message>
        <source>

Restore the backup Ventrik made on %1 before it last wrote to this disk? Games installed after that backup are lost from the table.</source>
        <translation>

Die Sicherung wiederherstellen, die Ventrik am %1 angelegt hat, bevor es zuletzt auf diese Festplatte schrieb? Spiele, die nach dieser Sicherung installiert wurden, gehen aus der Tabelle verloren.</translation>
    </message>
    <message>
        <source>Partition Table Refused</source>
        <translation>Partitionstabelle abgelehnt</translation>
    </message>
</context>
<context>
    <name>ProblemWords</name>
    <message>
        <source>%1 was not found. Place it in the same directory as this program and try again.</source>
        <translation>%1 wurde nicht gefunden. Legen Sie es in denselben Ordner wie dieses Programm und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>%1 at %2 cannot be run: %3</source>
        <translation>%1 unter %2 kann nicht ausgeführt werden: %3</translation>
    </message>
    <message>
        <source>Another command is still running. Wait for it to end or cancel it.</source>
        <translation>Ein anderer Befehl läuft noch. Warten Sie, bis er endet, oder brechen Sie ihn ab.</translation>
    </message>
    <message>
        <source>No hard-drive selected.</source>
        <translation>Keine Festplatte gewählt.</translation>
    </message>
    <message>
        <source>Please enter the IP address of your PlayStation2.</source>
        <translation>Bitte geben Sie die IP-Adresse Ihrer PlayStation2 ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid IPv4 address.</source>
        <translation>&quot;%1&quot; ist keine gültige IPv4-Adresse.</translation>
    </message>
    <message>
        <source>Whether the PS2 answers could not be checked: %1</source>
        <translation>Ob die PS2 antwortet, konnte nicht geprüft werden: %1</translation>
    </message>
    <message>
        <source>An error has occurred and you must reload hdld_svr.elf on PS2.</source>
        <translation>Ein Fehler ist aufgetreten; Sie müssen hdld_svr.elf auf der PS2 neu laden.</translation>
    </message>
    <message>
        <source>No PS2 formatted HDD&apos;s were found on your system.</source>
        <translation>Auf Ihrem System wurden keine PS2-formatierten Festplatten gefunden.</translation>
    </message>
    <message>
        <source>There were no game disks found in any of your optical drives.</source>
        <translation>In keinem Ihrer Laufwerke wurde eine Spiel-Disc gefunden.</translation>
    </message>
    <message>
        <source>There is either no disc in the drive or a PS2 game was not found on the disc.</source>
        <translation>Entweder liegt keine Disc im Laufwerk, oder auf der Disc wurde kein PS2-Spiel gefunden.</translation>
    </message>
    <message>
        <source>The disc in the selected drive is not a PS2 game disc.</source>
        <translation>Die Disc im gewählten Laufwerk ist keine PS2-Spiel-Disc.</translation>
    </message>
    <message>
        <source>The image %1 is not a PS2 game.</source>
        <translation>Das Abbild %1 ist kein PS2-Spiel.</translation>
    </message>
    <message>
        <source>The disk you selected is a dual-layer DVD which sometimes causes errors with HDL_Dump while both dumping ISOs and installing games.</source>
        <translation>Die gewählte Disc ist eine Dual-Layer-DVD; diese verursacht mit HDL_Dump manchmal Fehler, sowohl beim Auslesen von ISOs als auch beim Installieren von Spielen.</translation>
    </message>
    <message>
        <source>This drive is not a PlayStation 2 HDD.</source>
        <translation>Dieses Laufwerk ist keine PlayStation-2-Festplatte.</translation>
    </message>
    <message>
        <source>The games on %1 could not be read.</source>
        <translation>Die Spiele auf %1 konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 could not be changed.</source>
        <translation>%1 konnte nicht geändert werden.</translation>
    </message>
    <message>
        <source>This hdl_dump cannot rename games or change their flags: it has no &quot;modify&quot; command. The current builds of hdl_dump have it.</source>
        <translation>Dieses hdl_dump kann Spiele weder umbenennen noch ihre Flags ändern: Es hat keinen Befehl &quot;modify&quot;. Die aktuellen Versionen von hdl_dump haben ihn.</translation>
    </message>
    <message>
        <source>The game %1 could not be deleted.</source>
        <translation>Das Spiel %1 konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>The drive %1 could not be formatted.</source>
        <translation>Das Laufwerk %1 konnte nicht formatiert werden.</translation>
    </message>
    <message>
        <source>The installation of %1 did not complete.</source>
        <translation>Die Installation von %1 wurde nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>The name is %1 bytes long. hdl_dump keeps at most %2 bytes of a game&apos;s name; please shorten it.</source>
        <translation>Der Name ist %1 Bytes lang. hdl_dump behält höchstens %2 Bytes eines Spielnamens; bitte kürzen Sie ihn.</translation>
    </message>
    <message>
        <source>The blanks at the start and end of the name were removed: &quot;%1&quot;</source>
        <translation>Die Leerzeichen am Anfang und Ende des Namens wurden entfernt: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The connection to the PS2 was lost during the job %1. The jobs after it were not started; they stay Pending.</source>
        <translation>Die Verbindung zur PS2 ging während des Auftrags %1 verloren. Die Aufträge danach wurden nicht gestartet; sie bleiben wartend.</translation>
    </message>
    <message>
        <source>%1 could not be saved.</source>
        <translation>%1 konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The saved job queue could not be read, so it was kept as %1 and the queue starts empty.</source>
        <translation>Die gespeicherte Warteschlange konnte nicht gelesen werden; sie wurde als %1 aufbewahrt, und die Warteschlange beginnt leer.</translation>
    </message>
    <message>
        <source>Another Ventrik (process %1) has the job queue open (%2). Jobs added here join its queue; start, stop or clear the queue there.</source>
        <translation>Ein anderes Ventrik (Prozess %1) hat die Warteschlange geöffnet (%2). Hier hinzugefügte Aufträge kommen in seine Warteschlange; starten, stoppen oder leeren Sie sie dort.</translation>
    </message>
    <message>
        <source>The games on %1 could not be read: the tool&apos;s output was not understood. What it printed is in the run log.</source>
        <translation>Die Spiele auf %1 konnten nicht gelesen werden: Die Ausgabe des Werkzeugs wurde nicht verstanden. Was es ausgab, steht im Protokoll.</translation>
    </message>
    <message>
        <source>The partition table of %1 is damaged: hdl_dump now calls it broken, although it read its games before.</source>
        <translation>Die Partitionstabelle von %1 ist beschädigt: hdl_dump nennt sie jetzt defekt, obwohl es ihre Spiele zuvor gelesen hat.</translation>
    </message>
    <message>
        <source>

Ventrik keeps no backup of this disk&apos;s table.</source>
        <translation>

Ventrik hat keine Sicherung der Tabelle dieser Festplatte.</translation>
    </message>
    <message>
        <source>

A backup of its table from before Ventrik last wrote to it is kept: %1</source>
        <translation>

Eine Sicherung ihrer Tabelle von vor dem letzten Schreiben durch Ventrik ist vorhanden: %1</translation>
    </message>
    <message>
        <source>The partition table of %1 could not be restored.</source>
        <translation>Die Partitionstabelle von %1 konnte nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a game&apos;s name: hdl_dump would read it as compatibility flags, a DMA mode or an option, not as a name. Choose a name that does not begin with +, *, - or 0x.</source>
        <translation>&quot;%1&quot; kann kein Spielname sein: hdl_dump läse es als Kompatibilitäts-Flags, DMA-Modus oder Option, nicht als Namen. Wählen Sie einen Namen, der nicht mit +, *, - oder 0x beginnt.</translation>
    </message>
    <message>
        <source>No game called &quot;%1&quot; is on %2.</source>
        <translation>Auf %2 ist kein Spiel namens &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Several games are called &quot;%1&quot;. Name the one you mean by its partition: %2</source>
        <translation>Mehrere Spiele heißen &quot;%1&quot;. Nennen Sie das gemeinte über seine Partition: %2</translation>
    </message>
    <message>
        <source>hdl_dump does not say whether %1 is a CD or a DVD; it is installed as a %2, from its size. Choose the type yourself if that is wrong.</source>
        <translation>hdl_dump sagt nicht, ob %1 eine CD oder eine DVD ist; es wird nach seiner Größe als %2 installiert. Wählen Sie den Typ selbst, falls das falsch ist.</translation>
    </message>
    <message>
        <source>The job queue cannot be locked: %1 could not be made (%2). Nothing was added to the queue or run from it.</source>
        <translation>Die Warteschlange kann nicht gesperrt werden: %1 konnte nicht angelegt werden (%2). Nichts wurde eingereiht oder aus ihr ausgeführt.</translation>
    </message>
    <message>
        <source>Jobs handed over by another Ventrik could not be read; the file was kept as %1.</source>
        <translation>Von einem anderen Ventrik übergebene Aufträge konnten nicht gelesen werden; die Datei wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>Waiting for %1 to finish with %2.</source>
        <translation>Warten, bis %1 mit %2 fertig ist.</translation>
    </message>
    <message>
        <source>%1 is in use: %2 writes to it. Nothing was done; try again when it has finished.</source>
        <translation>%1 wird benutzt: %2 schreibt darauf. Nichts wurde getan; versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <source>The disc database could not be read (%1); the games are named from their discs.</source>
        <translation>Die Disc-Datenbank konnte nicht gelesen werden (%1); die Spiele werden nach ihren Discs benannt.</translation>
    </message>
    <message>
        <source>A game&apos;s name cannot hold a control character (a line break, a tab, an escape): hdl_dump would list the name cut, and the game could no longer be named. Please type it again.</source>
        <translation>Ein Spielname darf kein Steuerzeichen enthalten (Zeilenumbruch, Tabulator, Escape): hdl_dump zeigte den Namen abgeschnitten, und das Spiel ließe sich nicht mehr benennen. Bitte geben Sie ihn erneut ein.</translation>
    </message>
    <message>
        <source>The disc of %1 could not be read.</source>
        <translation>Die Disc von %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Ventrik ended while %1 was being installed. Only part of it is on %2.</source>
        <translation>Ventrik endete, während %1 installiert wurde. Nur ein Teil davon ist auf %2.</translation>
    </message>
    <message>
        <source>the queue</source>
        <translation>die Warteschlange</translation>
    </message>
    <message>
        <source>an install</source>
        <translation>eine Installation</translation>
    </message>
    <message>
        <source>a copy</source>
        <translation>eine Kopie</translation>
    </message>
    <message>
        <source>a change of its games</source>
        <translation>eine Änderung seiner Spiele</translation>
    </message>
    <message>
        <source>a restore of its partition table</source>
        <translation>eine Wiederherstellung seiner Partitionstabelle</translation>
    </message>
    <message>
        <source>another Ventrik</source>
        <translation>ein anderes Ventrik</translation>
    </message>
    <message>
        <source>Not a PS2 Game</source>
        <translation>Kein PS2-Spiel</translation>
    </message>
    <message>
        <source>%1 was not found. Looked for: %2. Choose it under &quot;hdl_dump program&quot; in Settings &amp; Tools (GUI tab), or place it beside this program, and try again.</source>
        <translation>%1 wurde nicht gefunden. Gesucht: %2. Wählen Sie es unter „hdl_dump-Programm“ in Einstellungen &amp; Werkzeuge (Reiter GUI) oder legen Sie es neben dieses Programm und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 gibt es nicht.</translation>
    </message>
    <message>
        <source>Your user may not read this disk. Choose it in the list of disks, where it says &quot;needs permission&quot;, to let Ventrik ask for access to it, or run &quot;ventrik-cli grant DISK&quot; in a terminal.</source>
        <translation>Ihr Benutzer darf diese Festplatte nicht lesen. Wählen Sie sie in der Liste der Festplatten, wo „Berechtigung nötig“ steht, damit Ventrik den Zugriff erfragt, oder führen Sie im Terminal „ventrik-cli grant DISK“ aus.</translation>
    </message>
    <message>
        <source>You are not allowed to use %1: the system refused the permission (a wrong password, or your account may not do this).</source>
        <translation>Sie dürfen %1 nicht verwenden: Das System hat die Berechtigung verweigert (ein falsches Passwort, oder Ihr Konto darf das nicht).</translation>
    </message>
    <message>
        <source>No program is running that could ask for your password to let Ventrik use %1. Give the access once from a terminal:
  sudo setfacl -m u:$USER:rw %1
or let your user always use this one disk with a udev rule in /etc/udev/rules.d/70-ventrik-ps2.rules:
  SUBSYSTEM==&quot;block&quot;, ENV{ID_SERIAL_SHORT}==&quot;%2&quot;, TAG+=&quot;uaccess&quot;
then run: sudo udevadm control --reload &amp;&amp; sudo udevadm trigger</source>
        <translation>Es läuft kein Programm, das nach Ihrem Passwort fragen könnte, damit Ventrik %1 verwenden darf. Geben Sie den Zugriff einmalig im Terminal:
  sudo setfacl -m u:$USER:rw %1
oder erlauben Sie Ihrem Benutzer diese eine Festplatte dauerhaft mit einer udev-Regel in /etc/udev/rules.d/70-ventrik-ps2.rules:
  SUBSYSTEM==&quot;block&quot;, ENV{ID_SERIAL_SHORT}==&quot;%2&quot;, TAG+=&quot;uaccess&quot;
dann ausführen: sudo udevadm control --reload &amp;&amp; sudo udevadm trigger</translation>
    </message>
    <message>
        <source>Ventrik cannot ask for permission to use %1 (%2). Install the packages pkexec and acl, and Ventrik&apos;s own package.</source>
        <translation>Ventrik kann keine Berechtigung für %1 erfragen (%2). Installieren Sie die Pakete pkexec und acl sowie Ventriks eigenes Paket.</translation>
    </message>
    <message>
        <source>%1 was unplugged.</source>
        <translation>%1 wurde abgesteckt.</translation>
    </message>
    <message>
        <source>%1 was unplugged during the job &quot;%2&quot;. The job and those after it wait, Pending: plug the disk in again and start the queue.</source>
        <translation>%1 wurde während des Auftrags „%2“ abgesteckt. Der Auftrag und die folgenden warten (Ausstehend): Schließen Sie die Festplatte wieder an und starten Sie die Warteschlange.</translation>
    </message>
    <message>
        <source>Ventrik may not use %1: %2.</source>
        <translation>Ventrik darf %1 nicht verwenden: %2.</translation>
    </message>
    <message>
        <source>%1 was not found: install the package libnbd-bin to reach a PS2 over NBD.</source>
        <translation>%1 wurde nicht gefunden: Installieren Sie das Paket libnbd-bin, um eine PS2 über NBD zu erreichen.</translation>
    </message>
    <message>
        <source>No NBD server answered at %1. Check that the PS2 runs its game launcher with the NBD server started, and the address.%2</source>
        <translation>Unter %1 hat kein NBD-Server geantwortet. Prüfen Sie, ob auf der PS2 der Spiele-Launcher mit gestartetem NBD-Server läuft, und die Adresse.%2</translation>
    </message>
    <message>
        <source>The export %1 holds %2 MB: that is no PS2 disk. Check the export&apos;s name in the launcher&apos;s settings.</source>
        <translation>Der Export %1 umfasst %2 MB: Das ist keine PS2-Festplatte. Prüfen Sie den Namen des Exports in den Einstellungen des Launchers.</translation>
    </message>
    <message>
        <source>The PS2 at %1 does not let anyone write to its disk. Turn on &quot;Write Operations&quot; in the launcher&apos;s settings, then try again.</source>
        <translation>Die PS2 unter %1 lässt niemanden auf ihre Festplatte schreiben. Schalten Sie „Write Operations“ in den Einstellungen des Launchers ein und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The PS2 at %1 cannot be reached from this computer: %2.</source>
        <translation>Die PS2 unter %1 ist von diesem Computer aus nicht erreichbar: %2.</translation>
    </message>
    <message>
        <source>The PS2&apos;s disk at %1 could not be opened: %2.</source>
        <translation>Die Festplatte der PS2 unter %1 konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The PS2 stopped answering during the job %1; its game is checked when the queue resumes. The jobs after it were not started; they stay Pending.</source>
        <translation>Die PS2 hat während des Auftrags %1 aufgehört zu antworten; ihr Spiel wird geprüft, wenn die Warteschlange weiterläuft. Die Aufträge danach wurden nicht gestartet; sie bleiben wartend.</translation>
    </message>
    <message>
        <source>it accepted the connection and never answered</source>
        <translation>er nahm die Verbindung an und antwortete nie</translation>
    </message>
    <message>
        <source>This drive is not a PlayStation 2 HDD: %1 holds %2.</source>
        <translation>Dieses Laufwerk ist keine PlayStation-2-Festplatte: %1 enthält %2.</translation>
    </message>
    <message>
        <source>%1 was made by a newer PS2 disk tool: 8 MB partitions, which this hdl_dump cannot read. Its games are listed from the disk itself and cannot be changed here. Do not format it or restore a partition table to it: its games would be lost.</source>
        <translation>%1 wurde von einem neueren PS2-Festplattenwerkzeug angelegt: 8-MB-Partitionen, die dieses hdl_dump nicht lesen kann. Ihre Spiele werden von der Festplatte selbst gelesen und können hier nicht geändert werden. Formatieren Sie sie nicht und stellen Sie keine Partitionstabelle auf ihr wieder her: Ihre Spiele gingen verloren.</translation>
    </message>
    <message>
        <source>The partition layout of %1 could not be checked: Ventrik cannot read its sectors there, so it relies on hdl_dump&apos;s own checks.</source>
        <translation>Die Partitionsaufteilung von %1 konnte nicht geprüft werden: Ventrik kann dort ihre Sektoren nicht lesen und verlässt sich auf die Prüfungen von hdl_dump.</translation>
    </message>
    <message>
        <source>The partition layout of %1 could not be read (%2), so nothing was written to it.</source>
        <translation>Die Partitionsaufteilung von %1 konnte nicht gelesen werden (%2), daher wurde nichts darauf geschrieben.</translation>
    </message>
    <message>
        <source>%1 holds %2 after its PS2 area, which hdl_dump would write over. Ventrik gives hdl_dump a view of the disk that ends where the PS2 area ends, and that view cannot be made here: %3. Nothing was written.</source>
        <translation>%1 enthält nach ihrem PS2-Bereich %2, das hdl_dump überschreiben würde. Ventrik gibt hdl_dump eine Ansicht der Festplatte, die dort endet, wo der PS2-Bereich endet, und diese Ansicht lässt sich hier nicht herstellen: %3. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1 was not formatted: it holds %2. Format it with the tool that made it, if you mean to.</source>
        <translation>%1 wurde nicht formatiert: Sie enthält %2. Formatieren Sie sie mit dem Werkzeug, das sie angelegt hat, wenn Sie das wirklich wollen.</translation>
    </message>
    <message>
        <source>Nothing was restored to %1: %2.</source>
        <translation>Auf %1 wurde nichts wiederhergestellt: %2.</translation>
    </message>
    <message>
        <source>This hdl_dump is a release build: it takes disks (devices) and PS2 addresses, not image files such as %1. Build hdl_dump with its Makefile&apos;s default to use disk images, or choose a disk.</source>
        <translation>Dieses hdl_dump ist ein Release-Build: Es nimmt Festplatten (Geräte) und PS2-Adressen, keine Abbilddateien wie %1. Bauen Sie hdl_dump mit der Voreinstellung seines Makefiles, um Festplattenabbilder zu verwenden, oder wählen Sie eine Festplatte.</translation>
    </message>
    <message>
        <source>The job %1 has not moved for %2 s: its disk or PS2 may have stopped answering. Ventrik waits; the job ends if nothing moves for %3 s.</source>
        <translation>Der Auftrag %1 bewegt sich seit %2 s nicht: Seine Festplatte oder PS2 antwortet vielleicht nicht mehr. Ventrik wartet; der Auftrag endet, wenn sich %3 s lang nichts bewegt.</translation>
    </message>
    <message>
        <source>The job %1 stopped answering: nothing moved for %2 s, so it was ended. The jobs after it were not started; they stay Pending.</source>
        <translation>Der Auftrag %1 antwortete nicht mehr: %2 s lang bewegte sich nichts, daher wurde er beendet. Die Aufträge danach wurden nicht gestartet; sie bleiben wartend.</translation>
    </message>
    <message>
        <source>The NBD server at %1 answered, but it has no export of that name. Check the export&apos;s name (hdd0 unless the launcher&apos;s settings say otherwise).</source>
        <translation>Der NBD-Server unter %1 hat geantwortet, hat aber keinen Export dieses Namens. Prüfen Sie den Namen des Exports (hdd0, wenn die Einstellungen des Launchers nichts anderes sagen).</translation>
    </message>
    <message>
        <source>hdl_dump calls the partition table of %1 broken, although every partition on it reads sound to Ventrik. The current builds do this after an install took the disk&apos;s last free slice. Its games are listed from the disk itself; hdl_dump can change nothing on it until the table is one it takes again.</source>
        <translation>hdl_dump nennt die Partitionstabelle von %1 defekt, obwohl Ventrik jede ihrer Partitionen einwandfrei liest. Die aktuellen Builds tun das, nachdem eine Installation den letzten freien Abschnitt der Festplatte belegt hat. Ihre Spiele werden von der Festplatte selbst gelesen; hdl_dump kann darauf nichts ändern, bis die Tabelle wieder eine ist, die es annimmt.</translation>
    </message>
    <message>
        <source>The partition table of %1 is damaged: %2.</source>
        <translation>Die Partitionstabelle von %1 ist beschädigt: %2.</translation>
    </message>
    <message>
        <source>A PS2 console could not be found at IP address: %1

Verify the following:

1. The PS2 console is running its game launcher&apos;s NBD server (or the older hdld_svr.elf) and has fully started.
2. The IP address you entered is the one the PS2 uses: the launcher&apos;s network settings, or mc0:SYS-CONF/IPCONFIG.DAT for hdld_svr.elf.</source>
        <translation>Unter der IP-Adresse %1 wurde keine PS2-Konsole gefunden.

Prüfen Sie Folgendes:

1. Auf der PS2 läuft der NBD-Server ihres Spiele-Launchers (oder das ältere hdld_svr.elf), und sie ist vollständig gestartet.
2. Die eingegebene IP-Adresse ist die, die die PS2 verwendet: in den Netzwerkeinstellungen des Launchers oder, für hdld_svr.elf, in mc0:SYS-CONF/IPCONFIG.DAT.</translation>
    </message>
    <message>
        <source>The PS2 console could not be found at the IP address entered. Make sure that the console runs its game launcher&apos;s NBD server (or the older hdld_svr.elf) and that the address is the one it uses.</source>
        <translation>Unter der eingegebenen IP-Adresse wurde keine PS2-Konsole gefunden. Stellen Sie sicher, dass auf der Konsole der NBD-Server ihres Spiele-Launchers (oder das ältere hdld_svr.elf) läuft und die Adresse die ist, die sie verwendet.</translation>
    </message>
    <message>
        <source>pfsshell was not found, so the launcher&apos;s pictures, game settings and memory cards cannot be reached (everything else works). Looked for: %1. Install pfsshell, or choose it under &quot;pfsshell program&quot; in Settings &amp; Tools.</source>
        <translation>pfsshell wurde nicht gefunden, daher sind die Bilder, Spieleinstellungen und Memory Cards des Launchers nicht erreichbar (alles andere funktioniert). Gesucht in: %1. Installieren Sie pfsshell oder wählen Sie es unter „pfsshell-Programm“ in Einstellungen &amp; Werkzeuge.</translation>
    </message>
    <message>
        <source>The launcher&apos;s pictures, game settings and memory cards of the PS2 at %1 cannot be reached through its older UDP server. Start the launcher&apos;s NBD server on the PS2 and refresh, or attach its disk to this PC.</source>
        <translation>Die Bilder, Spieleinstellungen und Memory Cards des Launchers der PS2 unter %1 sind über ihren älteren UDP-Server nicht erreichbar. Starten Sie den NBD-Server des Launchers auf der PS2 und aktualisieren Sie, oder schließen Sie ihre Festplatte an diesen PC an.</translation>
    </message>
    <message>
        <source>%1 has no partition %2, where the launcher keeps its pictures, game settings and memory cards. Nothing was written.</source>
        <translation>%1 hat keine Partition %2, in der der Launcher seine Bilder, Spieleinstellungen und Memory Cards ablegt. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The launcher&apos;s files could not be read or written (%1).</source>
        <translation>Die Dateien des Launchers konnten nicht gelesen oder geschrieben werden (%1).</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>less than a minute</source>
        <translation>weniger als eine Minute</translation>
    </message>
    <message>
        <source>about %1 min</source>
        <translation>etwa %1 min</translation>
    </message>
    <message>
        <source>about %1 h %2 min</source>
        <translation>etwa %1 h %2 min</translation>
    </message>
</context>
<context>
    <name>QueueActions</name>
    <message>
        <source>%1: not a PS2 game (%2)</source>
        <translation>%1: kein PS2-Spiel (%2)</translation>
    </message>
    <message>
        <source>%1: skipped (%2)</source>
        <translation>%1: übersprungen (%2)</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is already installed on %3</source>
        <translation>%1: &quot;%2&quot; ist bereits auf %3 installiert</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the startup %3 of &quot;%4&quot;, which is on %5 already: it may be the same game</source>
        <translation>%1: &quot;%2&quot; hat die Startdatei %3 von &quot;%4&quot;, das bereits auf %5 ist: Es könnte dasselbe Spiel sein</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is already in the job queue</source>
        <translation>%1: &quot;%2&quot; ist bereits in der Warteschlange</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the startup %3 of &quot;%4&quot;, which is in the job queue already: it may be the same game</source>
        <translation>%1: &quot;%2&quot; hat die Startdatei %3 von &quot;%4&quot;, das bereits in der Warteschlange ist: Es könnte dasselbe Spiel sein</translation>
    </message>
    <message>
        <source>Add Duplicates Anyway</source>
        <translation>Doppelte trotzdem hinzufügen</translation>
    </message>
    <message>
        <source>Delete it from %1 now?</source>
        <translation>Jetzt von %1 löschen?</translation>
    </message>
    <message>
        <source>One problem was found in the job queue. Fix it before the run, or start anyway and let that job fail.</source>
        <translation>In der Warteschlange wurde ein Problem gefunden. Beheben Sie es vor dem Lauf, oder starten Sie trotzdem und lassen Sie diesen Auftrag scheitern.</translation>
    </message>
    <message numerus="yes">
        <source>%n problems were found in the job queue. Fix them before the run, or start anyway and let those jobs fail.</source>
        <translation>
            <numerusform>In der Warteschlange wurde %n Problem gefunden. Beheben Sie es vor dem Lauf, oder starten Sie trotzdem und lassen Sie diesen Auftrag scheitern.</numerusform>
            <numerusform>In der Warteschlange wurden %n Probleme gefunden. Beheben Sie sie vor dem Lauf, oder starten Sie trotzdem und lassen Sie diese Aufträge scheitern.</numerusform>
        </translation>
    </message>
    <message>
        <source>Start Anyway</source>
        <translation>Trotzdem starten</translation>
    </message>
    <message>
        <source>Only part of %1 is on %2. Delete it from there?</source>
        <translation>Nur ein Teil von %1 ist auf %2. Dort löschen?</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n images were added to the job queue.</source>
        <translation>
            <numerusform>%1 von %n Abbild wurde zur Warteschlange hinzugefügt.</numerusform>
            <numerusform>%1 von %n Abbildern wurden zur Warteschlange hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>hdl_dump does not say whether an image file is a CD or a DVD: up to 700 MB they are installed as CDs, above as DVDs, unless you chose a type.</source>
        <translation>hdl_dump sagt nicht, ob eine Abbilddatei eine CD oder eine DVD ist: Bis 700 MB werden sie als CDs installiert, darüber als DVDs, sofern Sie keinen Typ gewählt haben.</translation>
    </message>
    <message>
        <source>These were not:</source>
        <translation>Diese nicht:</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... und %n weiteres.</numerusform>
            <numerusform>... und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>Row %1, %2: %3</source>
        <translation>Zeile %1, %2: %3</translation>
    </message>
    <message>
        <source>Skip these and start the rest</source>
        <translation>Diese überspringen und den Rest starten</translation>
    </message>
</context>
<context>
    <name>QueueEditor</name>
    <message>
        <source>%1 was removed from the job queue.</source>
        <translation>%1 wurde aus der Warteschlange entfernt.</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs were removed from the job queue.</source>
        <translation>
            <numerusform>%n Auftrag wurde aus der Warteschlange entfernt.</numerusform>
            <numerusform>%n Aufträge wurden aus der Warteschlange entfernt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove all %n jobs from the job queue? %1 of them have not run yet.</source>
        <translation>
            <numerusform>Den %n Auftrag aus der Warteschlange entfernen? %1 davon lief noch nicht.</numerusform>
            <numerusform>Alle %n Aufträge aus der Warteschlange entfernen? %1 davon liefen noch nicht.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove all %n jobs from the job queue?</source>
        <translation>
            <numerusform>Den %n Auftrag aus der Warteschlange entfernen?</numerusform>
            <numerusform>Alle %n Aufträge aus der Warteschlange entfernen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n jobs are back in the job queue.</source>
        <translation>
            <numerusform>%n Auftrag ist wieder in der Warteschlange.</numerusform>
            <numerusform>%n Aufträge sind wieder in der Warteschlange.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only an install can be changed; a copy takes the game as it is.</source>
        <translation>Nur eine Installation lässt sich ändern; eine Kopie nimmt das Spiel, wie es ist.</translation>
    </message>
    <message>
        <source>%1 has run already; only a job that waits can be changed.</source>
        <translation>%1 lief schon; nur ein wartender Auftrag lässt sich ändern.</translation>
    </message>
    <message>
        <source>%1 was changed.</source>
        <translation>%1 wurde geändert.</translation>
    </message>
</context>
<context>
    <name>QueueRuns</name>
    <message>
        <source>Finished by an earlier run; the saved queue could not say so.</source>
        <translation>Von einem früheren Lauf beendet; die gespeicherte Warteschlange konnte das nicht festhalten.</translation>
    </message>
    <message>
        <source>The tool (process %1) that an earlier Ventrik started for %2 still runs; it is ended before anything is written again.</source>
        <translation>Das Werkzeug (Prozess %1), das ein früheres Ventrik für %2 gestartet hat, läuft noch; es wird beendet, bevor wieder etwas geschrieben wird.</translation>
    </message>
    <message>
        <source>Found whole on %1 after Ventrik ended during the job.</source>
        <translation>Vollständig auf %1 gefunden, nachdem Ventrik während des Auftrags endete.</translation>
    </message>
    <message>
        <source>Ventrik ended during the job; %1 KB of %2 KB are on %3</source>
        <translation>Ventrik endete während des Auftrags; %1 KB von %2 KB sind auf %3</translation>
    </message>
    <message>
        <source>%1 needs %2 MB in %3, and %4 MB are free there.</source>
        <translation>%1 braucht %2 MB in %3, und dort sind %4 MB frei.</translation>
    </message>
    <message>
        <source>%1 is being written by another Ventrik; nothing was written.</source>
        <translation>%1 wird gerade von einem anderen Ventrik geschrieben; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1 is in use by another Ventrik; nothing was written.</source>
        <translation>%1 wird von einem anderen Ventrik benutzt; nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>%1 needs %2 MB on %3 in %4 MB slices, one slice must stay free, and %5 MB are free.</source>
        <translation>%1 braucht %2 MB auf %3 in Stücken zu %4 MB, ein Stück muss frei bleiben, und %5 MB sind frei.</translation>
    </message>
    <message>
        <source>Installing and copying PS2 games</source>
        <translation>PS2-Spiele werden installiert und kopiert</translation>
    </message>
    <message>
        <source>The PC is kept awake during the run.</source>
        <translation>Der PC bleibt während des Laufs wach.</translation>
    </message>
    <message>
        <source>The PC could not be kept awake during the run: %1</source>
        <translation>Der PC konnte während des Laufs nicht wach gehalten werden: %1</translation>
    </message>
</context>
<context>
    <name>QueueStore</name>
    <message>
        <source>The job queue could not be saved to %1: %2</source>
        <translation>Die Warteschlange konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The job queue was saved to %1 again.</source>
        <translation>Die Warteschlange wurde wieder in %1 gespeichert.</translation>
    </message>
    <message>
        <source>%1 named no program that owns the queue; it was taken over.</source>
        <translation>%1 nannte kein Programm, dem die Warteschlange gehört; sie wurde übernommen.</translation>
    </message>
    <message>
        <source>a folder has its name</source>
        <translation>ein Ordner trägt seinen Namen</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>the lock file could not be written or names no owner</source>
        <translation>die Sperrdatei konnte nicht geschrieben werden oder nennt keinen Besitzer</translation>
    </message>
    <message>
        <source>It was written by a newer version of Ventrik (%1).</source>
        <translation>Sie wurde von einer neueren Version von Ventrik geschrieben (%1).</translation>
    </message>
    <message>
        <source>It could not be moved aside (%1), so the queue cannot be used until it is moved away.</source>
        <translation>Sie konnte nicht beiseitegelegt werden (%1); daher ist die Warteschlange unbenutzbar, bis sie entfernt wird.</translation>
    </message>
    <message>
        <source>Jobs handed over stay in %1: %2</source>
        <translation>Übergebene Aufträge bleiben in %1: %2</translation>
    </message>
</context>
<context>
    <name>RunStatusBar</name>
    <message>
        <source>Show &amp;Status</source>
        <translation>&amp;Status zeigen</translation>
    </message>
    <message>
        <source>Opens the status window, with Cancel and the end-of-run choices.</source>
        <translation>Öffnet das Statusfenster, mit Abbrechen und der Wahl für das Ende des Laufs.</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Startet...</translation>
    </message>
    <message>
        <source>%1 - %2%</source>
        <translation>%1 - %2 %</translation>
    </message>
    <message>
        <source>%1 - Queue: %2 left</source>
        <translation>%1 - Warteschlange: noch %2</translation>
    </message>
    <message>
        <source>Cancel…</source>
        <translation>Abbrechen…</translation>
    </message>
    <message>
        <source>Cancels the running job, or the whole run, after asking which.</source>
        <translation>Bricht den laufenden Auftrag oder den ganzen Lauf ab, nach einer Rückfrage.</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 h %2 min left</source>
        <translation>noch %1 h %2 min</translation>
    </message>
    <message>
        <source>%1 min %2 s left</source>
        <translation>noch %1 min %2 s</translation>
    </message>
    <message>
        <source>%1 s left</source>
        <translation>noch %1 s</translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <translation>%1 MB/s</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>The disk was unplugged.</source>
        <translation>Die Festplatte wurde abgesteckt.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>No file name is set.</source>
        <translation>Kein Dateiname gesetzt.</translation>
    </message>
    <message>
        <source>The value of %1 holds a line break.</source>
        <translation>Der Wert von %1 enthält einen Zeilenumbruch.</translation>
    </message>
    <message>
        <source>It could not be set aside.</source>
        <translation>Sie konnte nicht beiseitegelegt werden.</translation>
    </message>
    <message>
        <source>It is too large to be a settings file.</source>
        <translation>Sie ist zu groß für eine Einstellungsdatei.</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source> Settings &amp; Tools</source>
        <translation> Einstellungen &amp; Werkzeuge</translation>
    </message>
    <message>
        <source>HDL_Dump</source>
        <translation>HDL_Dump</translation>
    </message>
    <message>
        <source>GUI</source>
        <translation>Oberfläche</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Turn off PS2 when exiting this GUI</source>
        <translation>PS2 beim Beenden dieses Programms ausschalten</translation>
    </message>
    <message>
        <source>Turn off PS2 after all jobs are complete</source>
        <translation>PS2 ausschalten, wenn alle Aufträge fertig sind</translation>
    </message>
    <message>
        <source>Shutdown PC when all jobs are complete</source>
        <translation>PC herunterfahren, wenn alle Aufträge fertig sind</translation>
    </message>
    <message>
        <source>Put PC in Standby when all jobs are complete</source>
        <translation>PC in Bereitschaft versetzen, wenn alle Aufträge fertig sind</translation>
    </message>
    <message>
        <source>Keep GUI windows on top of other windows</source>
        <translation>Programmfenster über anderen Fenstern halten</translation>
    </message>
    <message>
        <source>Turn off system tray balloon tips</source>
        <translation>Sprechblasen im Infobereich abschalten</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>Fore</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Game ISO directory:</source>
        <translation>Ordner für Spiel-ISOs:</translation>
    </message>
    <message>
        <source>HDL_Dump config file:</source>
        <translation>HDL_Dump-Konfigurationsdatei:</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Use Defaults</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Select PS2 Game ISO directory</source>
        <translation>Ordner für PS2-Spiel-ISOs wählen</translation>
    </message>
    <message>
        <source>HDL_Dump Config File</source>
        <translation>HDL_Dump-Konfigurationsdatei</translation>
    </message>
    <message>
        <source>Are you sure you want to reset all of your settings to default for both hdl_dump and the GUI?</source>
        <translation>Möchten Sie wirklich alle Einstellungen von hdl_dump und dieses Programms auf die Standardwerte zurücksetzen?</translation>
    </message>
    <message>
        <source>hdl_dump &amp;program:</source>
        <translation>hdl_dump-&amp;Programm:</translation>
    </message>
    <message>
        <source>Game title &amp;index:</source>
        <translation>Spiele&amp;verzeichnis:</translation>
    </message>
    <message>
        <source>Where the file dialogs for images open first.</source>
        <translation>Wo sich die Dateidialoge für Abbilder zuerst öffnen.</translation>
    </message>
    <message>
        <source>hdl_dump&apos;s own settings file, which the first page edits.</source>
        <translation>Die Einstellungsdatei von hdl_dump, die die erste Seite bearbeitet.</translation>
    </message>
    <message>
        <source>The hdl_dump program to run. Empty: the one beside Ventrik, else the first on the PATH; --hdl-dump on the command line comes first.</source>
        <translation>Das hdl_dump-Programm, das laufen soll. Leer: das neben Ventrik, sonst das erste im PATH; --hdl-dump auf der Befehlszeile geht vor.</translation>
    </message>
    <message>
        <source>A game index (GameIndex.yaml, as PCSX2 installs it) that gives games their full titles by serial. Empty: looked for where PCSX2 puts it.</source>
        <translation>Ein Spieleverzeichnis (GameIndex.yaml, wie PCSX2 es installiert), das Spielen ihre vollen Titel nach Seriennummer gibt. Leer: dort gesucht, wo PCSX2 es ablegt.</translation>
    </message>
    <message>
        <source>When Ventrik ends, the networked PS2 is turned off.</source>
        <translation>Wenn Ventrik endet, wird die PS2 im Netzwerk ausgeschaltet.</translation>
    </message>
    <message>
        <source>Preset for each run of the queue: the networked PS2 is turned off when every job has ended well.</source>
        <translation>Vorgabe für jeden Lauf der Warteschlange: Die PS2 im Netzwerk wird ausgeschaltet, wenn alle Aufträge gut endeten.</translation>
    </message>
    <message>
        <source>Preset for each run of the queue: this PC shuts down when every job has ended well.</source>
        <translation>Vorgabe für jeden Lauf der Warteschlange: Dieser PC fährt herunter, wenn alle Aufträge gut endeten.</translation>
    </message>
    <message>
        <source>Preset for each run of the queue: this PC goes to sleep when every job has ended well.</source>
        <translation>Vorgabe für jeden Lauf der Warteschlange: Dieser PC geht in den Ruhezustand, wenn alle Aufträge gut endeten.</translation>
    </message>
    <message>
        <source>Ventrik&apos;s windows stay above other windows.</source>
        <translation>Die Fenster von Ventrik bleiben über anderen Fenstern.</translation>
    </message>
    <message>
        <source>No desktop notifications for finished jobs; the window&apos;s status bar still says how things ended.</source>
        <translation>Keine Benachrichtigungen für fertige Aufträge; die Statusleiste des Fensters sagt weiterhin, wie es ausging.</translation>
    </message>
    <message>
        <source>Ventrik&apos;s windows in colours of your choice.</source>
        <translation>Die Fenster von Ventrik in Farben Ihrer Wahl.</translation>
    </message>
    <message>
        <source>The colour of the text.</source>
        <translation>Die Farbe der Schrift.</translation>
    </message>
    <message>
        <source>The colour of the background.</source>
        <translation>Die Farbe des Hintergrunds.</translation>
    </message>
    <message>
        <source>Puts every setting of both pages back as it was first.</source>
        <translation>Setzt alle Einstellungen beider Seiten auf den Anfang zurück.</translation>
    </message>
    <message>
        <source>none found</source>
        <translation>keines gefunden</translation>
    </message>
    <message>
        <source>Save your changes to the settings?</source>
        <translation>Ihre Änderungen an den Einstellungen speichern?</translation>
    </message>
    <message>
        <source>Choose the hdl_dump program</source>
        <translation>Das hdl_dump-Programm wählen</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Choose a game index</source>
        <translation>Ein Spieleverzeichnis wählen</translation>
    </message>
    <message>
        <source>Game index (GameIndex.yaml)</source>
        <translation>Spieleverzeichnis (GameIndex.yaml)</translation>
    </message>
    <message>
        <source>Hide the main window while jobs run (the status window shows them)</source>
        <translation>Hauptfenster während eines Laufs ausblenden (das Statusfenster zeigt ihn)</translation>
    </message>
    <message>
        <source>Off: the main window stays in sight during a run, with its progress in the status bar; the status window opens from there.</source>
        <translation>Aus: Das Hauptfenster bleibt während eines Laufs sichtbar, mit dem Fortschritt in der Statusleiste; von dort öffnet sich das Statusfenster.</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>pfs&amp;shell program:</source>
        <translation>pfs&amp;shell-Programm:</translation>
    </message>
    <message>
        <source>pfsshell, for the launcher&apos;s pictures, game settings and memory cards on the disk. Empty: the one beside Ventrik, else the first on the PATH; --pfsshell on the command line comes first. Without it, only these are unavailable.</source>
        <translation>pfsshell, für die Bilder, Spieleinstellungen und Memory Cards des Launchers auf der Festplatte. Leer: das neben Ventrik, sonst das erste im PATH; --pfsshell auf der Befehlszeile hat Vorrang. Ohne es fehlen nur diese.</translation>
    </message>
    <message>
        <source>Choose the pfsshell program</source>
        <translation>pfsshell-Programm wählen</translation>
    </message>
</context>
<context>
    <name>StatusWindow</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Current Job</source>
        <translation>Aktueller Auftrag</translation>
    </message>
    <message>
        <source>n/a</source>
        <translation>k. A.</translation>
    </message>
    <message>
        <source>Elapsed 0:00:00</source>
        <translation>Vergangen 0:00:00</translation>
    </message>
    <message>
        <source>Overall Completion</source>
        <translation>Gesamtfortschritt</translation>
    </message>
    <message>
        <source>Currently on Job X of X</source>
        <translation>Derzeit bei Auftrag X von X</translation>
    </message>
    <message>
        <source>Queue: time left n/a</source>
        <translation>Warteschlange: Restzeit k. A.</translation>
    </message>
    <message>
        <source>  When all jobs are complete:</source>
        <translation>  Wenn alle Aufträge fertig sind:</translation>
    </message>
    <message>
        <source>Shutdown PS2</source>
        <translation>PS2 ausschalten</translation>
    </message>
    <message>
        <source>Shutdown PC</source>
        <translation>PC herunterfahren</translation>
    </message>
    <message>
        <source>Standby PC</source>
        <translation>PC-Bereitschaft</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Stop after this job</source>
        <translation>Nach diesem Auftrag anhalten</translation>
    </message>
    <message>
        <source>The running job ends as it would; the jobs after it wait in the queue.</source>
        <translation>Der laufende Auftrag endet wie vorgesehen; die Aufträge danach warten in der Warteschlange.</translation>
    </message>
    <message>
        <source>Speed: n/a</source>
        <translation>Tempo: k. A.</translation>
    </message>
    <message>
        <source>Current Job - 100%</source>
        <translation>Aktueller Auftrag - 100%</translation>
    </message>
    <message>
        <source>Overall Completion - 100%</source>
        <translation>Gesamtfortschritt - 100%</translation>
    </message>
    <message>
        <source>Currently on Job 999 of 999</source>
        <translation>Derzeit bei Auftrag 999 von 999</translation>
    </message>
    <message>
        <source>Queue: %1 left</source>
        <translation>Warteschlange: noch %1</translation>
    </message>
    <message>
        <source>Cancel the running job? Jobs that have not started stay in the queue.</source>
        <translation>Den laufenden Auftrag abbrechen? Nicht gestartete Aufträge bleiben in der Warteschlange.</translation>
    </message>
    <message>
        <source>Elapsed %1</source>
        <translation>Vergangen %1</translation>
    </message>
    <message>
        <source>Time remaining n/a</source>
        <translation>Restzeit k. A.</translation>
    </message>
    <message>
        <source>Current Job - %1%</source>
        <translation>Aktueller Auftrag - %1%</translation>
    </message>
    <message>
        <source>Overall Completion - %1%</source>
        <translation>Gesamtfortschritt - %1%</translation>
    </message>
    <message>
        <source>%1% - %2% - Job %3 / %4</source>
        <translation>%1% - %2% - Auftrag %3 / %4</translation>
    </message>
    <message>
        <source>%1% Complete</source>
        <translation>%1% fertig</translation>
    </message>
    <message>
        <source>Speed: %1</source>
        <translation>Tempo: %1</translation>
    </message>
    <message>
        <source>Stopping after this job</source>
        <translation>Endet nach diesem Auftrag</translation>
    </message>
    <message>
        <source>Cancel only the running job, and go on with the next, or stop the run? Jobs that have not started stay in the queue.</source>
        <translation>Nur den laufenden Auftrag abbrechen und mit dem nächsten weitermachen, oder den Lauf anhalten? Aufträge, die noch nicht begonnen haben, bleiben in der Warteschlange.</translation>
    </message>
    <message>
        <source>Cancel This Job</source>
        <translation>Diesen Auftrag abbrechen</translation>
    </message>
    <message>
        <source>Stop the Run</source>
        <translation>Lauf anhalten</translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation>Weiterlaufen lassen</translation>
    </message>
</context>
<context>
    <name>SystemTrayIcon</name>
    <message>
        <source>Show Ventrik</source>
        <translation>Ventrik zeigen</translation>
    </message>
</context>
<context>
    <name>TargetController</name>
    <message>
        <source>Switch off the PS2 at %1?</source>
        <translation>Die PS2 unter %1 ausschalten?</translation>
    </message>
    <message>
        <source>Allow Ventrik to use this disk?

%1 may be a PS2 disk, but your user may not read or write it. The system asks for an administrator&apos;s password, then lets you use this one disk until Ventrik no longer needs it.</source>
        <translation>Darf Ventrik diese Festplatte verwenden?

%1 ist vielleicht eine PS2-Festplatte, aber Ihr Benutzer darf sie weder lesen noch beschreiben. Das System fragt nach einem Administratorpasswort und erlaubt Ihnen dann diese eine Festplatte, bis Ventrik sie nicht mehr braucht.</translation>
    </message>
    <message>
        <source>Reached through the game launcher&apos;s NBD server (export %1, port %2).</source>
        <translation>Über den NBD-Server des Spiele-Launchers erreicht (Export %1, Port %2).</translation>
    </message>
    <message>
        <source>Reached through the UDP server (hdld_svr).</source>
        <translation>Über den UDP-Server (hdld_svr) erreicht.</translation>
    </message>
</context>
<context>
    <name>TargetGames</name>
    <message>
        <source>The output was too large to be read.</source>
        <translation>Die Ausgabe war zu groß, um gelesen zu werden.</translation>
    </message>
    <message>
        <source>The tool&apos;s output was not understood.</source>
        <translation>Die Ausgabe des Werkzeugs wurde nicht verstanden.</translation>
    </message>
    <message>
        <source>The partitions of the games could not be read: %1</source>
        <translation>Die Partitionen der Spiele konnten nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>the tool&apos;s output was not understood</source>
        <translation>die Ausgabe des Werkzeugs wurde nicht verstanden</translation>
    </message>
    <message>
        <source>(partition unknown)</source>
        <translation>(Partition unbekannt)</translation>
    </message>
    <message>
        <source>The layout of %1 could not be read: %2</source>
        <translation>Die Aufteilung von %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The layout of %1 was not checked: Ventrik cannot read its sectors.</source>
        <translation>Die Aufteilung von %1 wurde nicht geprüft: Ventrik kann ihre Sektoren nicht lesen.</translation>
    </message>
    <message>
        <source>another file system (an exFAT partition)</source>
        <translation>ein anderes Dateisystem (eine exFAT-Partition)</translation>
    </message>
    <message>
        <source>space beyond the 2 TiB that PS2 partitions reach</source>
        <translation>Platz jenseits der 2 TiB, die PS2-Partitionen erreichen</translation>
    </message>
    <message>
        <source>this hdl_dump is a release build, which takes devices only</source>
        <translation>dieses hdl_dump ist ein Release-Build, der nur Geräte nimmt</translation>
    </message>
    <message>
        <source>it needs nbdfuse (the package libnbd-bin) and FUSE</source>
        <translation>sie braucht nbdfuse (das Paket libnbd-bin) und FUSE</translation>
    </message>
    <message>
        <source>hdl_dump sees only the first %1 MB of %2, its PS2 area.</source>
        <translation>hdl_dump sieht nur die ersten %1 MB von %2, ihren PS2-Bereich.</translation>
    </message>
    <message>
        <source>a PS2 area beside another file system (an exFAT partition)</source>
        <translation>einen PS2-Bereich neben einem anderen Dateisystem (einer exFAT-Partition)</translation>
    </message>
    <message>
        <source>the 8 MB partitions of a newer PS2 disk tool</source>
        <translation>die 8-MB-Partitionen eines neueren PS2-Festplattenwerkzeugs</translation>
    </message>
    <message>
        <source>The partition table of %1 could not be saved: %2</source>
        <translation>Die Partitionstabelle von %1 konnte nicht gesichert werden: %2</translation>
    </message>
    <message>
        <source>The partition table of %1 was saved to %2</source>
        <translation>Die Partitionstabelle von %1 wurde in %2 gesichert</translation>
    </message>
    <message>
        <source>Which disk %1 belongs to could not be written down.</source>
        <translation>Zu welcher Festplatte %1 gehört, konnte nicht festgehalten werden.</translation>
    </message>
    <message>
        <source>its partitions reach past the end of the disk&apos;s PS2 area</source>
        <translation>ihre Partitionen reichen über das Ende des PS2-Bereichs der Festplatte hinaus</translation>
    </message>
    <message>
        <source>it belongs to another disk: the table it holds was made by another format than this disk&apos;s</source>
        <translation>sie gehört zu einer anderen Festplatte: Die Tabelle darin stammt von einer anderen Formatierung als der dieser Festplatte</translation>
    </message>
    <message>
        <source>it belongs to another disk (serial number %1, this one&apos;s is %2)</source>
        <translation>sie gehört zu einer anderen Festplatte (Seriennummer %1, die dieser ist %2)</translation>
    </message>
    <message>
        <source>it belongs to another disk (%1 bytes, this one has %2)</source>
        <translation>sie gehört zu einer anderen Festplatte (%1 Bytes, diese hat %2)</translation>
    </message>
    <message>
        <source>Ventrik keeps no backup of this disk&apos;s table</source>
        <translation>Ventrik hat keine Sicherung der Tabelle dieser Festplatte</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 existiert nicht</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2)</source>
        <translation>%1 kann nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>%1 is no partition table backup: %2</source>
        <translation>%1 ist keine Sicherung einer Partitionstabelle: %2</translation>
    </message>
    <message>
        <source>Restore it anyway with --other-disk (dangerous: the games of the disk&apos;s own table are lost from it).</source>
        <translation>Stellen Sie sie trotzdem mit --other-disk wieder her (gefährlich: Die Spiele der eigenen Tabelle der Festplatte gehen daraus verloren).</translation>
    </message>
    <message>
        <source>the table on the disk could not be read to tell whether a backup belongs to it. </source>
        <translation>die Tabelle auf der Festplatte konnte nicht gelesen werden, um zu sagen, ob eine Sicherung zu ihr gehört. </translation>
    </message>
    <message>
        <source>it belongs to another disk: the table it holds was made by another format than this disk&apos;s. </source>
        <translation>sie gehört zu einer anderen Festplatte: Die Tabelle darin stammt von einer anderen Formatierung als der dieser Festplatte. </translation>
    </message>
    <message>
        <source>the disk could not be read (%1)</source>
        <translation>die Festplatte konnte nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>the partitions of %1 reach past the end of the disk&apos;s PS2 area</source>
        <translation>die Partitionen von %1 reichen über das Ende des PS2-Bereichs der Festplatte hinaus</translation>
    </message>
    <message>
        <source>the disk holds %1, so it cannot be told whether the backup belongs to it. </source>
        <translation>die Festplatte enthält %1, daher lässt sich nicht sagen, ob die Sicherung zu ihr gehört. </translation>
    </message>
    <message>
        <source>The partition table of %1 could not be saved before the restore; it could not be put back if the restore went wrong.</source>
        <translation>Die Partitionstabelle von %1 konnte vor der Wiederherstellung nicht gesichert werden; ginge die Wiederherstellung schief, könnte sie nicht zurückgeschrieben werden.</translation>
    </message>
    <message>
        <source>The partition table of %1 was restored from %2</source>
        <translation>Die Partitionstabelle von %1 wurde aus %2 wiederhergestellt</translation>
    </message>
    <message>
        <source>the table read back from the disk is not the one %1 holds</source>
        <translation>die von der Festplatte zurückgelesene Tabelle ist nicht die aus %1</translation>
    </message>
    <message>
        <source>; the table from before could not be saved, so it could not be put back</source>
        <translation>; die vorherige Tabelle konnte nicht gesichert werden und daher nicht zurückgeschrieben werden</translation>
    </message>
    <message>
        <source>; the table that was on the disk before was put back (%1)</source>
        <translation>; die Tabelle, die vorher auf der Festplatte war, wurde zurückgeschrieben (%1)</translation>
    </message>
    <message>
        <source>; putting back the table from before (%1) failed too: %2</source>
        <translation>; auch das Zurückschreiben der vorherigen Tabelle (%1) schlug fehl: %2</translation>
    </message>
    <message>
        <source>hdl_dump did not end when it was killed: the disk it waits on was cut off from Ventrik.</source>
        <translation>hdl_dump endete nicht, als es abgebrochen wurde: Die Festplatte, auf die es wartet, wurde von Ventrik getrennt.</translation>
    </message>
</context>
<context>
    <name>TargetLocks</name>
    <message>
        <source>The tool (process %1) that an earlier Ventrik started for %2 still runs; it is ended before anything is written again.</source>
        <translation>Das Werkzeug (Prozess %1), das ein früheres Ventrik für %2 gestartet hat, läuft noch; es wird beendet, bevor wieder etwas geschrieben wird.</translation>
    </message>
</context>
<context>
    <name>TargetPane</name>
    <message>
        <source>Playstation 2 Device</source>
        <translation>Playstation-2-Gerät</translation>
    </message>
    <message>
        <source>Locally connected PS2 HDD</source>
        <translation>Lokal angeschlossene PS2-Festplatte</translation>
    </message>
    <message>
        <source>LAN - Networked PS2</source>
        <translation>LAN - PS2 im Netzwerk</translation>
    </message>
    <message>
        <source>  IP:</source>
        <translation>  IP:</translation>
    </message>
    <message>
        <source>&amp;Refresh PS2</source>
        <translation>PS2 a&amp;ktualisieren</translation>
    </message>
    <message>
        <source>HDD Space Information</source>
        <translation>Speicherplatz der Festplatte</translation>
    </message>
    <message>
        <source>The PS2&apos;s IP address. Refresh asks its game launcher&apos;s NBD server first, then the older UDP server. An address such as nbd://192.168.0.10:10809/hdd0 asks only the NBD server.</source>
        <translation>Die IP-Adresse der PS2. Aktualisieren fragt zuerst den NBD-Server ihres Spiele-Launchers, dann den älteren UDP-Server. Eine Adresse wie nbd://192.168.0.10:10809/hdd0 fragt nur den NBD-Server.</translation>
    </message>
    <message>
        <source>More…</source>
        <translation>Mehr…</translation>
    </message>
    <message>
        <source>The export and port of the PS2&apos;s NBD server</source>
        <translation>Export und Port des NBD-Servers der PS2</translation>
    </message>
    <message>
        <source>&amp;Refresh HDD</source>
        <translation>HDD a&amp;ktualisieren</translation>
    </message>
    <message>
        <source>Sh&amp;utdown PS2</source>
        <translation>PS2 ausschal&amp;ten</translation>
    </message>
    <message>
        <source>Export name:</source>
        <translation>Export:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
</context>
<context>
    <name>ToolConfigPage</name>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Auto-Throttle</source>
        <translation>Automatisch drosseln</translation>
    </message>
    <message>
        <source>Enable ASPI</source>
        <translation>ASPI einschalten</translation>
    </message>
    <message>
        <source>Limit to 28bit  (HDD is &lt;= 128GB)</source>
        <translation>Auf 28 Bit begrenzen  (HDD &lt;= 128 GB)</translation>
    </message>
    <message>
        <source>Use Compression</source>
        <translation>Kompression verwenden</translation>
    </message>
    <message>
        <source>Use ToxicOS Partition Naming</source>
        <translation>ToxicOS-Partitionsnamen verwenden</translation>
    </message>
    <message>
        <source>Disc Database File:</source>
        <translation>Disc-Datenbankdatei:</translation>
    </message>
    <message>
        <source>Target kbps:</source>
        <translation>Ziel-kbps:</translation>
    </message>
    <message>
        <source>hdl_dump&apos;s list of games by their startup file: it names and flags the games it knows when they are installed.</source>
        <translation>Die Spieleliste von hdl_dump nach Startdatei: Sie benennt die Spiele, die sie kennt, und setzt ihre Flags, wenn sie installiert werden.</translation>
    </message>
    <message>
        <source>hdl_dump slows down its writes when the disk or the network cannot keep up.</source>
        <translation>hdl_dump schreibt langsamer, wenn die Festplatte oder das Netzwerk nicht mithalten.</translation>
    </message>
    <message>
        <source>For old Windows drivers only (ASPI); it has no effect on Linux.</source>
        <translation>Nur für alte Windows-Treiber (ASPI); unter Linux ohne Wirkung.</translation>
    </message>
    <message>
        <source>For old Windows drivers that cannot address more than 128 GB; it has no effect on Linux.</source>
        <translation>Für alte Windows-Treiber, die nicht mehr als 128 GB ansprechen können; unter Linux ohne Wirkung.</translation>
    </message>
    <message>
        <source>Compresses what is sent to a networked PS2: faster over a slow network, slower on a fast one.</source>
        <translation>Komprimiert, was an eine PS2 im Netzwerk geht: schneller über ein langsames Netz, langsamer über ein schnelles.</translation>
    </message>
    <message>
        <source>The network speed hdl_dump aims for with a networked PS2, in kilobits per second.</source>
        <translation>Die Netzwerkgeschwindigkeit, die hdl_dump mit einer PS2 im Netzwerk anstrebt, in Kilobit pro Sekunde.</translation>
    </message>
    <message>
        <source>Names new game partitions the way ToxicOS expects them.</source>
        <translation>Benennt neue Spielpartitionen so, wie ToxicOS sie erwartet.</translation>
    </message>
    <message>
        <source>Your hdl_dump settings could not be loaded because your hdl_dump configuration file could not be found.

The default path for this file is:
%1

If you have never used hdl_dump on this PC then you will no longer see this message once you use atleast 1 command.

For people that have Windows configured with a language other then English, you must go to settings and locate the file as described below.

To fix this problem go to Settings, click the GUI tab, and use the HDL_Dump config file option.

</source>
        <translation>Ihre hdl_dump-Einstellungen konnten nicht geladen werden, weil die hdl_dump-Konfigurationsdatei nicht gefunden wurde.

Der Standardpfad dieser Datei ist:
%1

Wenn Sie hdl_dump auf diesem PC noch nie benutzt haben, sehen Sie diese Meldung nicht mehr, sobald Sie mindestens einen Befehl ausgeführt haben.

Wer Windows in einer anderen Sprache als Englisch eingerichtet hat, muss die Datei in den Einstellungen wie unten beschrieben suchen.

Um das zu beheben, öffnen Sie die Einstellungen, wählen den Reiter Oberfläche und verwenden die Option HDL_Dump-Konfigurationsdatei.

</translation>
    </message>
    <message>
        <source>Your hdl_dump settings could not be read from:
%1

%2

The file will not be changed.</source>
        <translation>Ihre hdl_dump-Einstellungen konnten nicht gelesen werden aus:
%1

%2

Die Datei wird nicht verändert.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Sie ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>It could not be read whole, so it is not rewritten.</source>
        <translation>Sie konnte nicht vollständig gelesen werden und wird daher nicht neu geschrieben.</translation>
    </message>
    <message>
        <source>The value of %1 holds a line break.</source>
        <translation>Der Wert von %1 enthält einen Zeilenumbruch.</translation>
    </message>
    <message>
        <source>Your hdl_dump settings could not be saved to:
%1

%2

The file was left as it was.</source>
        <translation>Ihre hdl_dump-Einstellungen konnten nicht gespeichert werden in:
%1

%2

Die Datei blieb, wie sie war.</translation>
    </message>
    <message>
        <source>HDL_Dump Disk Database</source>
        <translation>HDL_Dump-Disc-Datenbank</translation>
    </message>
</context>
<context>
    <name>ToolRun</name>
    <message>
        <source>%1 cannot be run: %2</source>
        <translation>%1 kann nicht ausgeführt werden: %2</translation>
    </message>
    <message>
        <source>%1 did not answer in %2 s.</source>
        <translation>%1 antwortete nicht innerhalb von %2 s.</translation>
    </message>
    <message>
        <source>%1 was killed by signal %2.</source>
        <translation>%1 wurde durch Signal %2 beendet.</translation>
    </message>
    <message>
        <source>%1 ended with status %2 and said nothing.</source>
        <translation>%1 endete mit Status %2 ohne Ausgabe.</translation>
    </message>
</context>
</TS>
