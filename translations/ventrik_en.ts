<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ActivityPane</name>
    <message>
        <source>HDL_Dump Activity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open log folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every command run, with its output, is kept in run.log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save diagnostic report...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One text file for a bug report: versions, what the doctor finds, the settings and the recent log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump&apos;s output</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppPaths</name>
    <message>
        <source>%1 (chosen in Settings)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (beside this program)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folders of PATH (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (given with %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Batch</name>
    <message>
        <source>a folder whose name is not valid UTF-8; rename it to add what it holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its name is not valid UTF-8; rename it to add it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a disc image (.iso, .cue, .nrg, .gi, .iml, .toc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchReader</name>
    <message>
        <source>the tool could not be started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not read: the tool did not start</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowsePane</name>
    <message numerus="yes">
        <source>Browse, Backup, and Delete - %n Games</source>
        <translation>
            <numerusform>Browse, Backup, and Delete - %n Game</numerusform>
            <numerusform>Browse, Backup, and Delete - %n Games</numerusform>
        </translation>
    </message>
    <message>
        <source>Filter by title or startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to &amp;PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;name...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fla&amp;gs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy to HDD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;opy to PS2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games on the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter (Ctrl+F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game&apos;s cover and other pictures, and its own settings, where the PS2&apos;s launcher keeps them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cover &amp;&amp; Sett&amp;ings...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ControlState</name>
    <message>
        <source>This hdl_dump has no &quot;modify&quot; command; the current builds have it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump cannot copy a game from one disk to another here. Copy it to the PC, then install the image.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This hdl_dump has no &quot;delete&quot; command: it cannot delete games.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik is busy; this can be used once the current work has ended.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the PS2 device above and press Refresh first: games are installed on the device that was read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose an optical drive or an image file first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images can be added once the run has ended; one game can be added to the running queue meanwhile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose an optical drive with a PS2 disc, and let its disc be read first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read a PS2 device that holds games first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose one or more games in the list first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose one game to rename or flag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The queue is empty: add games with Add to Job Queue, or copies from the game list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose one game.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskEntry</name>
    <message>
        <source>%1 - needs permission</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskLayouts</name>
    <message>
        <source>the disk did not answer in %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nbdkit (the package nbdkit) is not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the view could not be mounted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskToolsPage</name>
    <message>
        <source>Refresh Drives</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format this Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format a HDD for HDLoader use:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disks this PC has; only one that holds nothing you need may be formatted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looks for disks again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erases the chosen disk and makes it a PS2 disk, after asking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has been formatted for HDLoader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - Playstation2 Formatted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - Unknown Format (cannot be read)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - Unknown Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format %1 as a PS2 disk?

Everything on this disk will be erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format %1 again?

It holds no games; its partitions will be erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 holds %n PS2 game(s). Formatting erases them, and everything else on the disk; nothing can bring them back.</source>
        <translation>
            <numerusform>%1 holds %n PS2 game. Formatting erases it, and everything else on the disk; nothing can bring it back.</numerusform>
            <numerusform>%1 holds %n PS2 games. Formatting erases them, and everything else on the disk; nothing can bring them back.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is a PS2 disk whose games could not be counted. Formatting erases them, and everything else on the disk; nothing can bring them back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the disk&apos;s name, %1, to format it:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was formatted: the name typed is not %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameListModel</name>
    <message>
        <source>Game Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
Pictures on the disk: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameNames</name>
    <message>
        <source>The game index %1 was read only in part: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GamesController</name>
    <message>
        <source>ISO Files (*.iso)|*.iso|All Files (*.*)|*.*|</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Choose the folder for the %n games</source>
        <translation>
            <numerusform>Choose the folder for the game</numerusform>
            <numerusform>Choose the folder for the %n games</numerusform>
        </translation>
    </message>
    <message>
        <source>Please enter the IP address of the PS2 console to copy the selected game to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination IP Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address you entered matches the source PS2 address. Try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you would like to permanently delete this game?

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you would like to permanently delete these %n games?

%1</source>
        <translation>
            <numerusform>Are you sure you would like to permanently delete this game?

%1</numerusform>
            <numerusform>Are you sure you would like to permanently delete these %n games?

%1</numerusform>
        </translation>
    </message>
    <message>
        <source>The new name of %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The compatibility flags of %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was installed without a startup name: the launcher finds its pictures and settings by that name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstallController</name>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select an ISO to install.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select an optical drive with a PS2 game cd\dvd in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name for the game to be added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name for the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add every image in a folder and its subfolders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose and refresh the PS2 device first: the images are queued for it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All disc images|*.iso;*.cue;*.nrg;*.gi;*.iml;*.toc|ISO Files (*.iso)|*.iso|CUE Files (*.cue)|*.cue|Nero Burning Image (*.nrg)|*.nrg|RecordNow! Global Image (*.gi)|*.gi|Sony CD/DVD Generator&apos;s Intermediate (*.iml)|*.iml|</source>
        <extracomment>Pairs of a shown name and its pattern, each followed by &quot;|&quot;; translate only the names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before %1 is installed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install Anyway</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstallPane</name>
    <message>
        <source>Install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bro&amp;wse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make IS&amp;O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add to Job Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Install Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Many Games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Ima&amp;ges...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queue several image files at once; they can also be dropped on the window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Fol&amp;der...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queue every image in a folder and its subfolders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v of %m read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup File:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type, paste or browse for an image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DVD-ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump does not say whether this image is a CD or a DVD; the type was set from its size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;mpatibility Flags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adds this game to the job queue, to be installed when it runs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installs this game now, after the same check the queue makes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saves the disc in the drive as an image file on this PC.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Job</name>
    <message>
        <source>Named by hdl_dump&apos;s disc database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Named by the game index (GameIndex.yaml)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Named after the image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Named after the disc&apos;s label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Named as typed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobEditDialog</name>
    <message>
        <source>1: Slow HDD Access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2: No DVD9 Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3: Kill HD Loader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4: Date/time fix 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5: Date/time fix 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6: No Network Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7: Disable CzC Patch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8: Soul Calibur 2 / Suikoden V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DVD-ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compatibility Flags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game &amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game needs a name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>Install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make ISO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to PS2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to HDD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DVD-ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete, not verified: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete (verified; the tool reported: %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incomplete on disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (Input or output is unsupported)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (File already exists)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (Insufficient disk space)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (The parameter is incorrect)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (Dual-Layer DVD?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flags</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n installed</source>
        <translation>
            <numerusform>%n installed</numerusform>
            <numerusform>%n installed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copied</source>
        <translation>
            <numerusform>%n copied</numerusform>
            <numerusform>%n copied</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saved as image</source>
        <translation>
            <numerusform>%n saved as image</numerusform>
            <numerusform>%n saved as images</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n failed</numerusform>
            <numerusform>%n failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cancelled</source>
        <translation>
            <numerusform>%n cancelled</numerusform>
            <numerusform>%n cancelled</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n still pending</source>
        <translation>
            <numerusform>%n still pending</numerusform>
            <numerusform>%n still pending</numerusform>
        </translation>
    </message>
    <message>
        <source>No job ran</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobPane</name>
    <message>
        <source>Job Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start Job Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp;Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear Jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go Back to Main Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;un Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runs only the selected jobs now; the others wait.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ed&amp;it...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobQueue</name>
    <message>
        <source>The image has %1 bytes where the game has %2; it was not kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image could not be put in place: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the tool reported success, but the game %1 on %2 was there before the job; nothing new was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the tool reported success, but %1 is not on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is on %2 with %3 KB of %4 KB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump cannot copy a game from one disk to another here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2 stopped answering; its game is checked when the queue resumes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image (%1 bytes) holds no disc&apos;s volume; it was not kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image has %1 bytes where its disc&apos;s volume has %2; it was not kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped answering: nothing moved for %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2 stopped answering; part of the game may be on its disk. Read its games when it answers again, and delete the game if it is listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not end after 100%; it was ended after %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing, and it ended well</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Jobs</name>
    <message>
        <source>The folder %1 does not exist or cannot be written to.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LauncherDialog</name>
    <message>
        <source>Cover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launcher Files of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Choose Picture...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A picture may also be dropped here. It is converted to PNG at the size the launcher shows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings of the game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The launcher&apos;s compatibility mode %1, as its own settings number them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none (the PS2&apos;s own card)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory card &amp;1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory card &amp;2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2 must not be running a game while its files are changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a picture for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading and writing the disk...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk has no partition for the launcher&apos;s files yet; it is made (128 MB) when you first give a picture or setting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 x %2 pixels on the disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk has no +OPL partition, where the launcher keeps its pictures, settings and memory cards. Make it now (128 MB), as the launcher itself would?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the %1 of %2 from the disk?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clipboard holds no picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pasted picture could not be kept for writing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a memory card&apos;s name: letters, digits, &apos;_&apos;, &apos;-&apos; and &apos;.&apos;, no blanks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings were not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>screenshot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No %1 on the disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory cards on the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sa&amp;ve to PC...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load from PC...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  (%2 KB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the memory card %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The memory card was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a memory card for the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk holds a memory card %1 already. Replace it, with every save on it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the memory card %1 and every save on it from the disk?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LauncherFiles</name>
    <message>
        <source>No working folder for pfsshell could be made in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A name holds a line break.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pfsshell found no PS2 partitions on it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition %1 was made on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pfs2tar was not found: %1 on %2 was not backed up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The launcher&apos;s files on %1 were saved to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its launcher&apos;s partition could not be backed up first, so nothing was written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this name cannot be written on a PS2 disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what pfsshell wrote did not read back the same; the file on the disk was left as it was</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it did not read back the same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is still there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a game needs a startup name of letters, digits, &apos;_&apos; and &apos;.&apos; for its pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a game needs a startup name of letters, digits, &apos;_&apos; and &apos;.&apos; for its settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LayoutWords</name>
    <message>
        <source>its first sectors could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the checksum of its first partition header is wrong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its first partition header is not the table&apos;s own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its chain of partitions does not end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the partition header at sector %1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no partition header where the chain points (sector %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the checksum of the partition header at sector %1 is wrong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the partition header at sector %1 names another start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the partition at sector %1 does not point back to the one before it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the partition at sector %1 reaches into the disk&apos;s other partition table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the partition at sector %1 reaches past the end of the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the slice at sector %1 belongs to no game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the partition at sector %1 overlaps the next one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the table&apos;s first header does not point to its last partition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game at sector %1 lists %2 slices, and %3 were found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its size (%1 bytes) is not that of a partition table backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has data after its end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it does not begin with a PS2 partition table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its record %1 is no partition header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its partitions do not follow one another (record %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its first header does not point to its last partition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a PS2 partition table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing (it is blank)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an MBR partition table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a GPT partition table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an exFAT file system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data Ventrik does not know</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Images...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;Diagnostic Report...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Job &amp;Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Activity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start Job Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear Job Queue...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings &amp;&amp; Tools...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Log Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Ventrik</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Settings &amp;&amp; Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Currently on Job %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Job added to job queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 - %n jobs pending</source>
        <translation>
            <numerusform>%1 - %n job pending</numerusform>
            <numerusform>%1 - %n jobs pending</numerusform>
        </translation>
    </message>
    <message>
        <source>Text Files (*.txt)|*.txt|All Files (*.*)|*.*|</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diagnostic report saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A job is running. Cancel it and exit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 deleted from HDD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creating ISO of %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation of %1 complete!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run will stop when this job ends; the jobs after it wait in the queue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run goes on after this job.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Job %1 of %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation of %1 was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation of %1 failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Choose hdl_dump...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run was stopped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user guide is not installed. It comes with the package, in /usr/share/doc/ventrik/README.md.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, version %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not found (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik %1

Installs PS2 games on a PS2 hard disk, attached to this PC or inside a PS2 on the network, and manages them, through the disk tool hdl_dump.

Licence: proprietary; all rights reserved.

hdl_dump: %2
Settings: %3
Data: %4
Logs: %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Ventrik</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No games on %1 yet: install one from the Install view.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No PS2 disk found: plug one in and press Refresh HDD, or choose LAN for a PS2 on the network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Refresh HDD to read %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Refresh PS2 to read %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n copies added to the job queue; they run after the jobs before them.</source>
        <translation>
            <numerusform>%n copy added to the job queue; it runs after the jobs before it.</numerusform>
            <numerusform>%n copies added to the job queue; they run after the jobs before them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copies added to the job queue; start the queue to copy.</source>
        <translation>
            <numerusform>%n copy added to the job queue; start the queue to copy.</numerusform>
            <numerusform>%n copies added to the job queue; start the queue to copy.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MessageBar</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NavigationPane</name>
    <message>
        <source>Navigation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimi&amp;ze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insta&amp;ll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse, Backup, Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Job Queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View HDL_Dump Activit&amp;y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings &amp;&amp; Tools</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NbdDisks</name>
    <message>
        <source>nbdfuse (the package libnbd-bin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FUSE (/dev/fuse)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a build of hdl_dump that takes files (this one is a release build)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>polkit&apos;s pkexec with Ventrik&apos;s permission helper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nbd-client (the package nbd-client)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the kernel&apos;s nbd module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>as a file it needs %1; as a device it needs %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the password was not given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the helper failed (status %1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NetworkPs2</name>
    <message>
        <source>no ICMP echo can be sent from this computer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Parsers</name>
    <message>
        <source>%1GB Total - %2GB Used - %3GB Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1MB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreflightWords</name>
    <message>
        <source>%1 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image %1 cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image %1 has changed since it was queued (%2 bytes then, %3 now): queue it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Job %1 writes %2 too: the second would find the first&apos;s image there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is queued twice for %2 (jobs %3 and %4).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; (job %2) and &quot;%3&quot; would get the same partition name (%4) on %5; the tool would refuse the second. Give one a different name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was left incomplete on %2 by an earlier run (%3 KB of %4 KB): delete it first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is already installed on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; would get the partition name %2, which &quot;%3&quot; has on %4; the tool would refuse it. Give it a different name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; has the startup %2 of &quot;%3&quot;, which is on %4 already: it may be the same game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; has the startup %2 of &quot;%3&quot; (job %4): it may be the same game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough space on %1 from this job on: the games queued so far need %2 in %3 MB slices, one slice is kept free, and %4 is free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing can be installed on %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProblemPresenter</name>
    <message>
        <source>Damaged Partition Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Restore the backup Ventrik made on %1 before it last wrote to this disk? Games installed after that backup are lost from the table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partition Table Refused</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProblemWords</name>
    <message>
        <source>%1 was not found. Place it in the same directory as this program and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2 cannot be run: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another command is still running. Wait for it to end or cancel it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No hard-drive selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter the IP address of your PlayStation2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid IPv4 address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whether the PS2 answers could not be checked: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error has occurred and you must reload hdld_svr.elf on PS2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No PS2 formatted HDD&apos;s were found on your system.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There were no game disks found in any of your optical drives.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is either no disc in the drive or a PS2 game was not found on the disc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disc in the selected drive is not a PS2 game disc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image %1 is not a PS2 game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk you selected is a dual-layer DVD which sometimes causes errors with HDL_Dump while both dumping ISOs and installing games.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This drive is not a PlayStation 2 HDD.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The games on %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This hdl_dump cannot rename games or change their flags: it has no &quot;modify&quot; command. The current builds of hdl_dump have it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game %1 could not be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The drive %1 could not be formatted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation of %1 did not complete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name is %1 bytes long. hdl_dump keeps at most %2 bytes of a game&apos;s name; please shorten it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The blanks at the start and end of the name were removed: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection to the PS2 was lost during the job %1. The jobs after it were not started; they stay Pending.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The saved job queue could not be read, so it was kept as %1 and the queue starts empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another Ventrik (process %1) has the job queue open (%2). Jobs added here join its queue; start, stop or clear the queue there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The games on %1 could not be read: the tool&apos;s output was not understood. What it printed is in the run log.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 is damaged: hdl_dump now calls it broken, although it read its games before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Ventrik keeps no backup of this disk&apos;s table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

A backup of its table from before Ventrik last wrote to it is kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 could not be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be a game&apos;s name: hdl_dump would read it as compatibility flags, a DMA mode or an option, not as a name. Choose a name that does not begin with +, *, - or 0x.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game called &quot;%1&quot; is on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Several games are called &quot;%1&quot;. Name the one you mean by its partition: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump does not say whether %1 is a CD or a DVD; it is installed as a %2, from its size. Choose the type yourself if that is wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job queue cannot be locked: %1 could not be made (%2). Nothing was added to the queue or run from it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jobs handed over by another Ventrik could not be read; the file was kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for %1 to finish with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is in use: %2 writes to it. Nothing was done; try again when it has finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disc database could not be read (%1); the games are named from their discs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A game&apos;s name cannot hold a control character (a line break, a tab, an escape): hdl_dump would list the name cut, and the game could no longer be named. Please type it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disc of %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik ended while %1 was being installed. Only part of it is on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a change of its games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a restore of its partition table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another Ventrik</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a PS2 Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not found. Looked for: %2. Choose it under &quot;hdl_dump program&quot; in Settings &amp; Tools (GUI tab), or place it beside this program, and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your user may not read this disk. Choose it in the list of disks, where it says &quot;needs permission&quot;, to let Ventrik ask for access to it, or run &quot;ventrik-cli grant DISK&quot; in a terminal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are not allowed to use %1: the system refused the permission (a wrong password, or your account may not do this).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No program is running that could ask for your password to let Ventrik use %1. Give the access once from a terminal:
  sudo setfacl -m u:$USER:rw %1
or let your user always use this one disk with a udev rule in /etc/udev/rules.d/70-ventrik-ps2.rules:
  SUBSYSTEM==&quot;block&quot;, ENV{ID_SERIAL_SHORT}==&quot;%2&quot;, TAG+=&quot;uaccess&quot;
then run: sudo udevadm control --reload &amp;&amp; sudo udevadm trigger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik cannot ask for permission to use %1 (%2). Install the packages pkexec and acl, and Ventrik&apos;s own package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was unplugged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was unplugged during the job &quot;%2&quot;. The job and those after it wait, Pending: plug the disk in again and start the queue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik may not use %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not found: install the package libnbd-bin to reach a PS2 over NBD.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No NBD server answered at %1. Check that the PS2 runs its game launcher with the NBD server started, and the address.%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export %1 holds %2 MB: that is no PS2 disk. Check the export&apos;s name in the launcher&apos;s settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2 at %1 does not let anyone write to its disk. Turn on &quot;Write Operations&quot; in the launcher&apos;s settings, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2 at %1 cannot be reached from this computer: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2&apos;s disk at %1 could not be opened: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2 stopped answering during the job %1; its game is checked when the queue resumes. The jobs after it were not started; they stay Pending.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it accepted the connection and never answered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This drive is not a PlayStation 2 HDD: %1 holds %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was made by a newer PS2 disk tool: 8 MB partitions, which this hdl_dump cannot read. Its games are listed from the disk itself and cannot be changed here. Do not format it or restore a partition table to it: its games would be lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition layout of %1 could not be checked: Ventrik cannot read its sectors there, so it relies on hdl_dump&apos;s own checks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition layout of %1 could not be read (%2), so nothing was written to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds %2 after its PS2 area, which hdl_dump would write over. Ventrik gives hdl_dump a view of the disk that ends where the PS2 area ends, and that view cannot be made here: %3. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not formatted: it holds %2. Format it with the tool that made it, if you mean to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was restored to %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This hdl_dump is a release build: it takes disks (devices) and PS2 addresses, not image files such as %1. Build hdl_dump with its Makefile&apos;s default to use disk images, or choose a disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job %1 has not moved for %2 s: its disk or PS2 may have stopped answering. Ventrik waits; the job ends if nothing moves for %3 s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job %1 stopped answering: nothing moved for %2 s, so it was ended. The jobs after it were not started; they stay Pending.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The NBD server at %1 answered, but it has no export of that name. Check the export&apos;s name (hdd0 unless the launcher&apos;s settings say otherwise).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump calls the partition table of %1 broken, although every partition on it reads sound to Ventrik. The current builds do this after an install took the disk&apos;s last free slice. Its games are listed from the disk itself; hdl_dump can change nothing on it until the table is one it takes again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 is damaged: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PS2 console could not be found at IP address: %1

Verify the following:

1. The PS2 console is running its game launcher&apos;s NBD server (or the older hdld_svr.elf) and has fully started.
2. The IP address you entered is the one the PS2 uses: the launcher&apos;s network settings, or mc0:SYS-CONF/IPCONFIG.DAT for hdld_svr.elf.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2 console could not be found at the IP address entered. Make sure that the console runs its game launcher&apos;s NBD server (or the older hdld_svr.elf) and that the address is the one it uses.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pfsshell was not found, so the launcher&apos;s pictures, game settings and memory cards cannot be reached (everything else works). Looked for: %1. Install pfsshell, or choose it under &quot;pfsshell program&quot; in Settings &amp; Tools.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The launcher&apos;s pictures, game settings and memory cards of the PS2 at %1 cannot be reached through its older UDP server. Start the launcher&apos;s NBD server on the PS2 and refresh, or attach its disk to this PC.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no partition %2, where the launcher keeps its pictures, game settings and memory cards. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The launcher&apos;s files could not be read or written (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>less than a minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about %1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about %1 h %2 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QueueActions</name>
    <message>
        <source>%1: not a PS2 game (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: skipped (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is already installed on %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the startup %3 of &quot;%4&quot;, which is on %5 already: it may be the same game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is already in the job queue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; has the startup %3 of &quot;%4&quot;, which is in the job queue already: it may be the same game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Duplicates Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete it from %1 now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One problem was found in the job queue. Fix it before the run, or start anyway and let that job fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n problems were found in the job queue. Fix them before the run, or start anyway and let those jobs fail.</source>
        <translation>
            <numerusform>%n problem was found in the job queue. Fix it before the run, or start anyway and let that job fail.</numerusform>
            <numerusform>%n problems were found in the job queue. Fix them before the run, or start anyway and let those jobs fail.</numerusform>
        </translation>
    </message>
    <message>
        <source>Start Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only part of %1 is on %2. Delete it from there?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n images were added to the job queue.</source>
        <translation>
            <numerusform>%1 of %n image was added to the job queue.</numerusform>
            <numerusform>%1 of %n images were added to the job queue.</numerusform>
        </translation>
    </message>
    <message>
        <source>hdl_dump does not say whether an image file is a CD or a DVD: up to 700 MB they are installed as CDs, above as DVDs, unless you chose a type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These were not:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... and %n more.</numerusform>
            <numerusform>... and %n more.</numerusform>
        </translation>
    </message>
    <message>
        <source>Row %1, %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip these and start the rest</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QueueEditor</name>
    <message>
        <source>%1 was removed from the job queue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n jobs were removed from the job queue.</source>
        <translation>
            <numerusform>%n job was removed from the job queue.</numerusform>
            <numerusform>%n jobs were removed from the job queue.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove all %n jobs from the job queue? %1 of them have not run yet.</source>
        <translation>
            <numerusform>Remove the %n job from the job queue? It has not run yet (%1 waiting).</numerusform>
            <numerusform>Remove all %n jobs from the job queue? %1 of them have not run yet.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove all %n jobs from the job queue?</source>
        <translation>
            <numerusform>Remove the %n job from the job queue?</numerusform>
            <numerusform>Remove all %n jobs from the job queue?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n jobs are back in the job queue.</source>
        <translation>
            <numerusform>%n job is back in the job queue.</numerusform>
            <numerusform>%n jobs are back in the job queue.</numerusform>
        </translation>
    </message>
    <message>
        <source>Only an install can be changed; a copy takes the game as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has run already; only a job that waits can be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QueueRuns</name>
    <message>
        <source>Finished by an earlier run; the saved queue could not say so.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tool (process %1) that an earlier Ventrik started for %2 still runs; it is ended before anything is written again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found whole on %1 after Ventrik ended during the job.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik ended during the job; %1 KB of %2 KB are on %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs %2 MB in %3, and %4 MB are free there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is being written by another Ventrik; nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is in use by another Ventrik; nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs %2 MB on %3 in %4 MB slices, one slice must stay free, and %5 MB are free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing and copying PS2 games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PC is kept awake during the run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PC could not be kept awake during the run: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QueueStore</name>
    <message>
        <source>The job queue could not be saved to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job queue was saved to %1 again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 named no program that owns the queue; it was taken over.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a folder has its name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the lock file could not be written or names no owner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was written by a newer version of Ventrik (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It could not be moved aside (%1), so the queue cannot be used until it is moved away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jobs handed over stay in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunStatusBar</name>
    <message>
        <source>Show &amp;Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens the status window, with Cancel and the end-of-run choices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - %2%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - Queue: %2 left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancels the running job, or the whole run, after asking which.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 h %2 min left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min %2 s left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 s left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 MB/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>The disk was unplugged.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>No file name is set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value of %1 holds a line break.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It could not be set aside.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is too large to be a settings file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source> Settings &amp; Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDL_Dump</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GUI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn off PS2 when exiting this GUI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn off PS2 after all jobs are complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shutdown PC when all jobs are complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put PC in Standby when all jobs are complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep GUI windows on top of other windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn off system tray balloon tips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game ISO directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDL_Dump config file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select PS2 Game ISO directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDL_Dump Config File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to reset all of your settings to default for both hdl_dump and the GUI?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump &amp;program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game title &amp;index:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the file dialogs for images open first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump&apos;s own settings file, which the first page edits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The hdl_dump program to run. Empty: the one beside Ventrik, else the first on the PATH; --hdl-dump on the command line comes first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A game index (GameIndex.yaml, as PCSX2 installs it) that gives games their full titles by serial. Empty: looked for where PCSX2 puts it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When Ventrik ends, the networked PS2 is turned off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset for each run of the queue: the networked PS2 is turned off when every job has ended well.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset for each run of the queue: this PC shuts down when every job has ended well.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset for each run of the queue: this PC goes to sleep when every job has ended well.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik&apos;s windows stay above other windows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No desktop notifications for finished jobs; the window&apos;s status bar still says how things ended.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik&apos;s windows in colours of your choice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The colour of the text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The colour of the background.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puts every setting of both pages back as it was first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save your changes to the settings?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the hdl_dump program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a game index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game index (GameIndex.yaml)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the main window while jobs run (the status window shows them)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off: the main window stays in sight during a run, with its progress in the status bar; the status window opens from there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pfs&amp;shell program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pfsshell, for the launcher&apos;s pictures, game settings and memory cards on the disk. Empty: the one beside Ventrik, else the first on the PATH; --pfsshell on the command line comes first. Without it, only these are unavailable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the pfsshell program</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusWindow</name>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>n/a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Elapsed 0:00:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overall Completion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Currently on Job X of X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queue: time left n/a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  When all jobs are complete:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shutdown PS2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shutdown PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standby PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop after this job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The running job ends as it would; the jobs after it wait in the queue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed: n/a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Job - 100%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overall Completion - 100%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Currently on Job 999 of 999</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queue: %1 left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel the running job? Jobs that have not started stay in the queue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Elapsed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time remaining n/a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Job - %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overall Completion - %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1% - %2% - Job %3 / %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1% Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping after this job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel only the running job, and go on with the next, or stop the run? Jobs that have not started stay in the queue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel This Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemTrayIcon</name>
    <message>
        <source>Show Ventrik</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TargetController</name>
    <message>
        <source>Switch off the PS2 at %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow Ventrik to use this disk?

%1 may be a PS2 disk, but your user may not read or write it. The system asks for an administrator&apos;s password, then lets you use this one disk until Ventrik no longer needs it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reached through the game launcher&apos;s NBD server (export %1, port %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reached through the UDP server (hdld_svr).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TargetGames</name>
    <message>
        <source>The output was too large to be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tool&apos;s output was not understood.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partitions of the games could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the tool&apos;s output was not understood</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(partition unknown)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout of %1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout of %1 was not checked: Ventrik cannot read its sectors.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another file system (an exFAT partition)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>space beyond the 2 TiB that PS2 partitions reach</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this hdl_dump is a release build, which takes devices only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it needs nbdfuse (the package libnbd-bin) and FUSE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump sees only the first %1 MB of %2, its PS2 area.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a PS2 area beside another file system (an exFAT partition)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the 8 MB partitions of a newer PS2 disk tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 could not be saved: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 was saved to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which disk %1 belongs to could not be written down.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its partitions reach past the end of the disk&apos;s PS2 area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another disk: the table it holds was made by another format than this disk&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another disk (serial number %1, this one&apos;s is %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another disk (%1 bytes, this one has %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ventrik keeps no backup of this disk&apos;s table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no partition table backup: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore it anyway with --other-disk (dangerous: the games of the disk&apos;s own table are lost from it).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the table on the disk could not be read to tell whether a backup belongs to it. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another disk: the table it holds was made by another format than this disk&apos;s. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk could not be read (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the partitions of %1 reach past the end of the disk&apos;s PS2 area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk holds %1, so it cannot be told whether the backup belongs to it. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 could not be saved before the restore; it could not be put back if the restore went wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table of %1 was restored from %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the table read back from the disk is not the one %1 holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; the table from before could not be saved, so it could not be put back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; the table that was on the disk before was put back (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; putting back the table from before (%1) failed too: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump did not end when it was killed: the disk it waits on was cut off from Ventrik.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TargetLocks</name>
    <message>
        <source>The tool (process %1) that an earlier Ventrik started for %2 still runs; it is ended before anything is written again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TargetPane</name>
    <message>
        <source>Playstation 2 Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Locally connected PS2 HDD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAN - Networked PS2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  IP:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh PS2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDD Space Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PS2&apos;s IP address. Refresh asks its game launcher&apos;s NBD server first, then the older UDP server. An address such as nbd://192.168.0.10:10809/hdd0 asks only the NBD server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export and port of the PS2&apos;s NBD server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh HDD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sh&amp;utdown PS2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolConfigPage</name>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-Throttle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable ASPI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit to 28bit  (HDD is &lt;= 128GB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Compression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use ToxicOS Partition Naming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disc Database File:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target kbps:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump&apos;s list of games by their startup file: it names and flags the games it knows when they are installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hdl_dump slows down its writes when the disk or the network cannot keep up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For old Windows drivers only (ASPI); it has no effect on Linux.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For old Windows drivers that cannot address more than 128 GB; it has no effect on Linux.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compresses what is sent to a networked PS2: faster over a slow network, slower on a fast one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The network speed hdl_dump aims for with a networked PS2, in kilobits per second.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names new game partitions the way ToxicOS expects them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your hdl_dump settings could not be loaded because your hdl_dump configuration file could not be found.

The default path for this file is:
%1

If you have never used hdl_dump on this PC then you will no longer see this message once you use atleast 1 command.

For people that have Windows configured with a language other then English, you must go to settings and locate the file as described below.

To fix this problem go to Settings, click the GUI tab, and use the HDL_Dump config file option.

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your hdl_dump settings could not be read from:
%1

%2

The file will not be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It could not be read whole, so it is not rewritten.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value of %1 holds a line break.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your hdl_dump settings could not be saved to:
%1

%2

The file was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HDL_Dump Disk Database</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolRun</name>
    <message>
        <source>%1 cannot be run: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not answer in %2 s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was killed by signal %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ended with status %2 and said nothing.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
