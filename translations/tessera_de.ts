<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Document</name>
    <message>
        <source> File %1 not saved! Save?</source>
        <translation> File %1 not saved! Save?</translation>
    </message>
    <message>
        <source> File %1 exists! Overwrite?</source>
        <translation> File %1 exists! Overwrite?</translation>
    </message>
    <message>
        <source> File %1 was not loaded! Only configuration files ending in &quot;tsn&quot; can be opened.</source>
        <translation> File %1 was not loaded! Only configuration files ending in &quot;tsn&quot; can be opened.</translation>
    </message>
    <message>
        <source>No printer available! Please choose a printer or a PDF file with &quot;Printer Setup&quot;.</source>
        <translation>Kein Drucker verfügbar! Bitte mit &quot;Printer Setup&quot; einen Drucker oder eine PDF-Datei wählen.</translation>
    </message>
    <message>
        <source>The printer reports an empty page! Nothing was printed.</source>
        <translation>Der Drucker meldet eine leere Seite! Es wurde nichts gedruckt.</translation>
    </message>
    <message>
        <source>A print job is running right now!</source>
        <translation>Es läuft gerade eine Druckerausgabe!</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>tsn Files (*.tsn)|*.tsn|all Files (*.*)|*.*</source>
        <translation>tsn Files (*.tsn)|*.tsn|all Files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>tsn Files ( *.tsn)|*.tsn|all Files (*.*)|*.*</source>
        <translation>tsn Files ( *.tsn)|*.tsn|all Files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Tef Files (*.tds)|*.tds|MLSSA Files (*.txt)|*.txt|Frequency response (*.frd;*.txt;*.csv)|*.frd;*.txt;*.csv</source>
        <translation>Tef Files (*.tds)|*.tds|MLSSA Files (*.txt)|*.txt|Frequency response (*.frd;*.txt;*.csv)|*.frd;*.txt;*.csv</translation>
    </message>
    <message>
        <source>Export SPICE netlist</source>
        <translation>Export SPICE netlist</translation>
    </message>
    <message>
        <source>SPICE netlist (*.cir)|*.cir</source>
        <translation>SPICE netlist (*.cir)|*.cir</translation>
    </message>
    <message>
        <source>Export curve as FRD</source>
        <translation>Export curve as FRD</translation>
    </message>
    <message>
        <source>FRD file (*.frd)|*.frd</source>
        <translation>FRD file (*.frd)|*.frd</translation>
    </message>
    <message>
        <source>Target curve</source>
        <translation>Target curve</translation>
    </message>
    <message>
        <source>Export schematic as SVG</source>
        <translation>Export schematic as SVG</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)|*.svg</source>
        <translation>SVG drawing (*.svg)|*.svg</translation>
    </message>
    <message>
        <source>Export schematic as PDF</source>
        <translation>Export schematic as PDF</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)|*.pdf</source>
        <translation>PDF document (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>Export parts list</source>
        <translation>Export parts list</translation>
    </message>
    <message>
        <source>Parts list (*.csv)|*.csv</source>
        <translation>Parts list (*.csv)|*.csv</translation>
    </message>
</context>
<context>
    <name>FilterPage</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Frequency (Hz): </source>
        <translation>Frequency (Hz): </translation>
    </message>
    <message>
        <source>Q - Factor: </source>
        <translation>Q - Factor: </translation>
    </message>
    <message>
        <source>Filter - Gain (dB): </source>
        <translation>Filter - Gain (dB): </translation>
    </message>
    <message>
        <source>Capacitor:</source>
        <translation>Capacitor:</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>File commands</source>
        <translation>Dateibefehle</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Create a new file</source>
        <translation>Neue Datei erzeugen</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>Open an existing file</source>
        <translation>Existierende Datei öffnen</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>Import a frequency response</source>
        <translation>Frequenzgang importieren</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Save the current file</source>
        <translation>Aktuelle Datei speichern</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Save the current file under another name...</source>
        <translation>Aktuelle Datei speichern unter...</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Print the current settings</source>
        <translation>aktuelle Einstellungen drucken</translation>
    </message>
    <message>
        <source>P&amp;rinter Setup</source>
        <translation>P&amp;rinter Setup</translation>
    </message>
    <message>
        <source>Set up the printer</source>
        <translation>Drucker Einrichten</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>Anwendung beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Editing commands</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Take back the last change</source>
        <translation>Letzte Änderung zurücknehmen</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Make the change taken back again</source>
        <translation>Zurückgenommene Änderung wiederholen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Copy to the clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Fit to Import…</source>
        <translation>&amp;Fit to Import…</translation>
    </message>
    <message>
        <source>Fit the filters to the imported frequency response</source>
        <translation>Filter an den importierten Frequenzgang anpassen</translation>
    </message>
    <message>
        <source>Export &amp;SPICE netlist…</source>
        <translation>Export &amp;SPICE netlist…</translation>
    </message>
    <message>
        <source>Export the circuit as a SPICE netlist</source>
        <translation>Schaltung als SPICE-Netzliste exportieren</translation>
    </message>
    <message>
        <source>&amp;Op-amp…</source>
        <translation>&amp;Op-amp…</translation>
    </message>
    <message>
        <source>Choose the op-amp</source>
        <translation>Operationsverstärker wählen</translation>
    </message>
    <message>
        <source>&amp;Tolerances…</source>
        <translation>&amp;Tolerances…</translation>
    </message>
    <message>
        <source>Examine the part tolerances</source>
        <translation>Bauteiltoleranzen untersuchen</translation>
    </message>
    <message>
        <source>&amp;Noise and Headroom…</source>
        <translation>&amp;Noise and Headroom…</translation>
    </message>
    <message>
        <source>Compute noise and headroom</source>
        <translation>Rauschen und Aussteuerungsreserve berechnen</translation>
    </message>
    <message>
        <source>&amp;Schematic…</source>
        <translation>&amp;Schematic…</translation>
    </message>
    <message>
        <source>Show the circuit&apos;s schematic</source>
        <translation>Schaltplan der Schaltung zeigen</translation>
    </message>
    <message>
        <source>Export &amp;parts list…</source>
        <translation>Export &amp;parts list…</translation>
    </message>
    <message>
        <source>Export the parts list as a CSV file</source>
        <translation>Stückliste als CSV-Datei exportieren</translation>
    </message>
    <message>
        <source>Export curve as &amp;FRD…</source>
        <translation>Export curve as &amp;FRD…</translation>
    </message>
    <message>
        <source>Export the active window&apos;s curve as an FRD file</source>
        <translation>Kurve des aktiven Fensters als FRD-Datei exportieren</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>Commands to arrange the windows</source>
        <translation>Befehle zum Anordnen von Fenstern</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>Arrange the windows overlapping</source>
        <translation>Fenster überlappend anordnen</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>Arrange the windows side by side</source>
        <translation>Fenster nicht überlappend anordnen</translation>
    </message>
    <message>
        <source>&amp;Arrange</source>
        <translation>&amp;Arrange</translation>
    </message>
    <message>
        <source>Arrange the window icons along the bottom of the main window</source>
        <translation>Fenstersymbole am unteren Rand des Hauptfensters anordnen</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimize</translation>
    </message>
    <message>
        <source>Minimize all windows</source>
        <translation>Alle Fenster verkleinern</translation>
    </message>
    <message>
        <source>Con&amp;figuration</source>
        <translation>Con&amp;figuration</translation>
    </message>
    <message>
        <source>Show the filter configuration</source>
        <translation>Filter-Konfiguration anzeigen</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Choose the language of the windows</source>
        <translation>Sprache der Fenster wählen</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>English texts from the next start on</source>
        <translation>Englische Texte ab dem nächsten Start</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>German texts from the next start on</source>
        <translation>Deutsche Texte ab dem nächsten Start</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Help topics</source>
        <translation>Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>Metafile</name>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>Cannot open &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Not a placeable metafile.</source>
        <translation>Not a placeable metafile.</translation>
    </message>
    <message>
        <source>The metafile&apos;s header checksum is wrong.</source>
        <translation>The metafile&apos;s header checksum is wrong.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>Cannot write &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Plot</name>
    <message>
        <source>Frequency: </source>
        <translation>Frequency: </translation>
    </message>
    <message>
        <source>Gain: </source>
        <translation>Gain: </translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Reading %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Reading</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Frequency: %1;  Q-Factor: %2;  Gain: %3; </source>
        <translation>Frequency: %1;  Q-Factor: %2;  Gain: %3; </translation>
    </message>
    <message>
        <source>Capacitor: %1; </source>
        <translation>Capacitor: %1; </translation>
    </message>
    <message>
        <source>Configuration: %1</source>
        <translation>Configuration: %1</translation>
    </message>
    <message>
        <source>Result (dB)</source>
        <translation>Result (dB)</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequency (Hz)</translation>
    </message>
    <message>
        <source>Filters (dB)</source>
        <translation>Filters (dB)</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About TESSERA 1.0</source>
        <translation>About TESSERA 1.0</translation>
    </message>
    <message>
        <source>Tessera Audio, 06/2024</source>
        <translation>Tessera Audio, 06/2024</translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation>Version 1.0</translation>
    </message>
    <message>
        <source>by Tessera Audio</source>
        <translation>by Tessera Audio</translation>
    </message>
    <message>
        <source>Author: TESSERA team</source>
        <translation>Author: TESSERA team</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TDialog</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequency (Hz)</translation>
    </message>
    <message>
        <source>Filter%1 (dB)</source>
        <translation>Filter%1 (dB)</translation>
    </message>
    <message>
        <source>Import (dB)</source>
        <translation>Import (dB)</translation>
    </message>
    <message>
        <source>Result (dB)</source>
        <translation>Result (dB)</translation>
    </message>
    <message>
        <source>Filter - Configuration</source>
        <translation>Filter - Configuration</translation>
    </message>
</context>
<context>
    <name>TFitDialog</name>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Fit to Import</source>
        <translation>Fit to Import</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Band (Hz):</source>
        <translation>Band (Hz):</translation>
    </message>
    <message>
        <source>automatic</source>
        <translation>automatic</translation>
    </message>
    <message>
        <source>Level (dB):</source>
        <translation>Level (dB):</translation>
    </message>
    <message>
        <source>Tilt (dB/decade):</source>
        <translation>Tilt (dB/decade):</translation>
    </message>
    <message>
        <source>Maximum boost (dB):</source>
        <translation>Maximum boost (dB):</translation>
    </message>
    <message>
        <source>Series:</source>
        <translation>Series:</translation>
    </message>
    <message>
        <source>Choose capacitors</source>
        <translation>Choose capacitors</translation>
    </message>
    <message>
        <source>Sections:</source>
        <translation>Sections:</translation>
    </message>
    <message>
        <source>Error before:</source>
        <translation>Error before:</translation>
    </message>
    <message>
        <source>Error after:</source>
        <translation>Error after:</translation>
    </message>
    <message>
        <source>Noise before:</source>
        <translation>Noise before:</translation>
    </message>
    <message>
        <source>Noise after:</source>
        <translation>Noise after:</translation>
    </message>
    <message>
        <source>Fit preview</source>
        <translation>Fit preview</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>&amp;Fit</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>level and tilt</source>
        <translation>level and tilt</translation>
    </message>
    <message>
        <source>curve from file…</source>
        <translation>curve from file…</translation>
    </message>
    <message>
        <source>Target:</source>
        <translation>Target:</translation>
    </message>
    <message>
        <source>Smoothing:</source>
        <translation>Smoothing:</translation>
    </message>
    <message>
        <source>Op-amp %1, summing resistors %2, resistors %3 to %4</source>
        <translation>Op-amp %1, summing resistors %2, resistors %3 to %4</translation>
    </message>
    <message>
        <source>Fitting the sections…</source>
        <translation>Fitting the sections…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>The fit was cancelled.</source>
        <translation>The fit was cancelled.</translation>
    </message>
</context>
<context>
    <name>TGraphWindow</name>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>xLabel</source>
        <translation>xLabel</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Printer Setup</source>
        <translation>Printer Setup</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Result (dB)</source>
        <translation>Result (dB)</translation>
    </message>
    <message>
        <source>The windows show German texts from the next start of TESSERA on.</source>
        <translation>Die Fenster zeigen ab dem nächsten Start von TESSERA deutsche Texte.</translation>
    </message>
    <message>
        <source>The windows show English texts from the next start of TESSERA on.</source>
        <translation>Die Fenster zeigen ab dem nächsten Start von TESSERA englische Texte.</translation>
    </message>
</context>
<context>
    <name>TNoiseDialog</name>
    <message>
        <source>Noise and Headroom</source>
        <translation>Noise and Headroom</translation>
    </message>
    <message>
        <source>Circuit</source>
        <translation>Circuit</translation>
    </message>
    <message>
        <source>The op-amp every circuit tool uses; Tools → Op-amp takes a custom one</source>
        <translation>The op-amp every circuit tool uses; Tools → Op-amp takes a custom one</translation>
    </message>
    <message>
        <source>The largest input level, a sine</source>
        <translation>The largest input level, a sine</translation>
    </message>
    <message>
        <source>The largest output peak of the op-amps (±15 V rails less 1.5 V: 13.5)</source>
        <translation>The largest output peak of the op-amps (±15 V rails less 1.5 V: 13.5)</translation>
    </message>
    <message>
        <source>The four equal resistors of each section&apos;s difference amplifier (boost) or gain-2 stage (cut), R13 … R28</source>
        <translation>The four equal resistors of each section&apos;s difference amplifier (boost) or gain-2 stage (cut), R13 … R28</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>&amp;Op-amp:</source>
        <translation>&amp;Op-amp:</translation>
    </message>
    <message>
        <source>&amp;Input level (dBu):</source>
        <translation>&amp;Input level (dBu):</translation>
    </message>
    <message>
        <source>Output &amp;peak (V):</source>
        <translation>Output &amp;peak (V):</translation>
    </message>
    <message>
        <source>&amp;Summing resistors:</source>
        <translation>&amp;Summing resistors:</translation>
    </message>
    <message>
        <source>&amp;Resistor range (Ω):</source>
        <translation>&amp;Resistor range (Ω):</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Take the typed input level, output peak and resistor range</source>
        <translation>Take the typed input level, output peak and resistor range</translation>
    </message>
    <message>
        <source>Noise (20 Hz to 20 kHz) and level</source>
        <translation>Noise (20 Hz to 20 kHz) and level</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>Largest contributors (A-weighted):</source>
        <translation>Largest contributors (A-weighted):</translation>
    </message>
    <message>
        <source>Output noise density, dB re 1 nV/√Hz</source>
        <translation>Output noise density, dB re 1 nV/√Hz</translation>
    </message>
    <message>
        <source>Each op-amp at the input level: its largest gain from the equaliser&apos;s input and where, the headroom to the output peak, and the slew rate it needs at the largest clean input level against its own</source>
        <translation>Each op-amp at the input level: its largest gain from the equaliser&apos;s input and where, the headroom to the output peak, and the slew rate it needs at the largest clean input level against its own</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TOpAmpDialog</name>
    <message>
        <source>Op-amp</source>
        <translation>Op-amp</translation>
    </message>
    <message>
        <source>The op-amp every circuit tool uses; Custom: type its four figures</source>
        <translation>The op-amp every circuit tool uses; Custom: type its four figures</translation>
    </message>
    <message>
        <source>&amp;Op-amp:</source>
        <translation>&amp;Op-amp:</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Gain-bandwidth of the single-pole model (open-loop gain 1E5)</source>
        <translation>Gain-bandwidth of the single-pole model (open-loop gain 1E5)</translation>
    </message>
    <message>
        <source>Slew rate</source>
        <translation>Slew rate</translation>
    </message>
    <message>
        <source>Input voltage noise density</source>
        <translation>Input voltage noise density</translation>
    </message>
    <message>
        <source>Input current noise density, at each input</source>
        <translation>Input current noise density, at each input</translation>
    </message>
    <message>
        <source>&amp;Gain-bandwidth (Hz):</source>
        <translation>&amp;Gain-bandwidth (Hz):</translation>
    </message>
    <message>
        <source>&amp;Slew rate (V/µs):</source>
        <translation>&amp;Slew rate (V/µs):</translation>
    </message>
    <message>
        <source>&amp;en (nV/√Hz):</source>
        <translation>&amp;en (nV/√Hz):</translation>
    </message>
    <message>
        <source>&amp;in (pA/√Hz):</source>
        <translation>&amp;in (pA/√Hz):</translation>
    </message>
    <message>
        <source>&amp;Pre-compensate</source>
        <translation>&amp;Pre-compensate</translation>
    </message>
    <message>
        <source>Design the selected sections (all when none is selected) so that with this op-amp they give the frequency, Q and gain asked for, then snap as usual</source>
        <translation>Design the selected sections (all when none is selected) so that with this op-amp they give the frequency, Q and gain asked for, then snap as usual</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ideal</source>
        <translation>ideal</translation>
    </message>
    <message>
        <source>Type the four figures of the op-amp and press Apply.</source>
        <translation>Type the four figures of the op-amp and press Apply.</translation>
    </message>
    <message>
        <source>Ideal op-amp: no second curve.</source>
        <translation>Ideal op-amp: no second curve.</translation>
    </message>
</context>
<context>
    <name>TSchematicWindow</name>
    <message>
        <source>Schematic</source>
        <translation>Schematic</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>&amp;Fit</translation>
    </message>
    <message>
        <source>Export &amp;SVG…</source>
        <translation>Export &amp;SVG…</translation>
    </message>
    <message>
        <source>Export P&amp;DF…</source>
        <translation>Export P&amp;DF…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>TToleranceDialog</name>
    <message>
        <source>Tolerances</source>
        <translation>Tolerances</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>&amp;Resistors:</source>
        <translation>&amp;Resistors:</translation>
    </message>
    <message>
        <source>&amp;Capacitors:</source>
        <translation>&amp;Capacitors:</translation>
    </message>
    <message>
        <source>&amp;Trials:</source>
        <translation>&amp;Trials:</translation>
    </message>
    <message>
        <source>&amp;Seed:</source>
        <translation>&amp;Seed:</translation>
    </message>
    <message>
        <source>&amp;Band (Hz):</source>
        <translation>&amp;Band (Hz):</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>Share of the spread</source>
        <translation>Share of the spread</translation>
    </message>
    <message>
        <source>Alone at a tolerance end</source>
        <translation>Alone at a tolerance end</translation>
    </message>
    <message>
        <source>R&amp;un</source>
        <translation>R&amp;un</translation>
    </message>
    <message>
        <source>C&amp;lear curves</source>
        <translation>C&amp;lear curves</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Drawing the parts…</source>
        <translation>Drawing the parts…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Largest deviation from the nominal Result between %1 and %2 Hz: %3 dB at %4 Hz (%5 trials). The Result window shows the lowest and highest curve in yellow.</source>
        <translation>Largest deviation from the nominal Result between %1 and %2 Hz: %3 dB at %4 Hz (%5 trials). The Result window shows the lowest and highest curve in yellow.</translation>
    </message>
</context>
</TS>
