<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Colourcheck</name>
    <message>
        <source>Colour check chart</source>
        <translation>Farbkontrolltafel</translation>
    </message>
    <message>
        <source>Export chart as postscript file</source>
        <translation>Farbtafel als PostScript-Datei exportieren</translation>
    </message>
    <message>
        <source>Export chart as ISO12642 file</source>
        <translation>Farbtafel als ISO-12642-Datei exportieren</translation>
    </message>
    <message>
        <source>Colour chart from ICC profile</source>
        <translation>Farbtafel aus ICC-Profil</translation>
    </message>
    <message>
        <source>Colour chart from swatches file</source>
        <translation>Farbtafel aus Farbfelddatei</translation>
    </message>
    <message>
        <source>Choose an ICC profile for charting</source>
        <translation>ICC-Profil für die Farbtafel wählen</translation>
    </message>
    <message>
        <source>Colour check chart for ICC profile </source>
        <translation>Farbkontrolltafel für ICC-Profil </translation>
    </message>
    <message>
        <source>Choose an swatch file containing the chart</source>
        <translation>Farbfelddatei mit der Farbtafel wählen</translation>
    </message>
    <message>
        <source>Choose an ICC source profile for these patches</source>
        <translation>ICC-Quellprofil für diese Farbfelder wählen</translation>
    </message>
    <message>
        <source>No colours could be read from %1.
%2</source>
        <translation>Aus %1 konnten keine Farben gelesen werden.
%2</translation>
    </message>
    <message>
        <source>Choose a file for exporting</source>
        <translation>Datei für den Export wählen</translation>
    </message>
    <message>
        <source>The chart could not be written to %1: %2. An existing file of that name is unchanged.</source>
        <translation>Die Farbtafel konnte nicht in %1 geschrieben werden: %2. Eine vorhandene Datei dieses Namens bleibt unverändert.</translation>
    </message>
    <message>
        <source>No profile was chosen.</source>
        <translation>Es wurde kein Profil gewählt.</translation>
    </message>
    <message>
        <source>Save measurements...</source>
        <translation>Messwerte speichern...</translation>
    </message>
    <message>
        <source>Load measurements...</source>
        <translation>Messwerte laden...</translation>
    </message>
    <message>
        <source>No number of patches was chosen.</source>
        <translation>Es wurde keine Anzahl der Farbfelder gewählt.</translation>
    </message>
    <message>
        <source>The profile was refused: it is not a readable RGB or CMYK input, display or output profile, or the monitor profile cannot be used.</source>
        <translation>Das Profil wurde abgelehnt: Es ist kein lesbares RGB- oder CMYK-Eingabe-, Bildschirm- oder Ausgabeprofil, oder das Monitorprofil ist nicht verwendbar.</translation>
    </message>
    <message>
        <source>There was not enough memory to build the chart.</source>
        <translation>Für die Farbtafel war nicht genug Speicher vorhanden.</translation>
    </message>
    <message>
        <source>Only CMYK profiles and RGB printer profiles give patches.</source>
        <translation>Nur CMYK-Profile und RGB-Druckerprofile ergeben Farbfelder.</translation>
    </message>
    <message>
        <source>No swatch file was chosen.</source>
        <translation>Es wurde keine Farbfelddatei gewählt.</translation>
    </message>
    <message>
        <source>The swatch file held no colours.</source>
        <translation>Die Farbfelddatei enthielt keine Farben.</translation>
    </message>
    <message>
        <source>The profile was refused: swatches need a readable CMYK output profile, and the monitor profile must be usable.</source>
        <translation>Das Profil wurde abgelehnt: Farbfelddateien brauchen ein lesbares CMYK-Ausgabeprofil, und das Monitorprofil muss verwendbar sein.</translation>
    </message>
    <message>
        <source>No readings yet</source>
        <translation>Noch keine Messwerte</translation>
    </message>
    <message>
        <source>Measured %1 of %2 · ΔE76 mean %3 max %4 · ΔE2000 mean %5 max %6 · %7 at %8 or more</source>
        <translation>%1 von %2 gemessen · ΔE76 Mittel %3 max. %4 · ΔE2000 Mittel %5 max. %6 · %7 bei %8 oder mehr</translation>
    </message>
    <message>
        <source>Choose a file for the measurements</source>
        <translation>Datei für die Messwerte wählen</translation>
    </message>
    <message>
        <source>Save measurements</source>
        <translation>Messwerte speichern</translation>
    </message>
    <message>
        <source>The measurements could not be written to %1: %2. An existing file of that name is unchanged.</source>
        <translation>Die Messwerte konnten nicht in %1 geschrieben werden: %2. Eine vorhandene Datei dieses Namens bleibt unverändert.</translation>
    </message>
    <message>
        <source>Choose a measurement file</source>
        <translation>Messwertdatei wählen</translation>
    </message>
    <message>
        <source>Load measurements</source>
        <translation>Messwerte laden</translation>
    </message>
    <message>
        <source>No readings were taken from %1.
%2</source>
        <translation>Aus %1 wurden keine Messwerte übernommen.
%2</translation>
    </message>
    <message>
        <source>Average repeated readings of a patch</source>
        <translation>Wiederholte Messungen eines Farbfelds mitteln</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>No readings were taken from %1: %2 of its %3 sets name a patch printed with other ink, so it is another chart&apos;s file.</source>
        <translation>Aus %1 wurden keine Messwerte übernommen: %2 seiner %3 Datensätze nennen ein Farbfeld, das mit anderen Farbwerten gedruckt ist; die Datei gehört zu einer anderen Farbtafel.</translation>
    </message>
    <message>
        <source>No readings were taken from %1: %2 of its %3 sets name a patch printed with other RGB, so it is another chart&apos;s file.</source>
        <translation>Aus %1 wurden keine Messwerte übernommen: %2 seiner %3 Datensätze nennen ein Farbfeld, das mit anderen RGB-Werten gedruckt ist; die Datei gehört zu einer anderen Farbtafel.</translation>
    </message>
    <message>
        <source>Took %1 of the %2 sets of %3. Refused %4 that name a patch printed with other RGB:</source>
        <translation>%1 der %2 Datensätze aus %3 übernommen. %4 abgelehnt, die ein Farbfeld mit anderen RGB-Werten nennen:</translation>
    </message>
    <message>
        <source>Took %1 of the %2 sets of %3. Refused %4 that name a patch printed with other ink:</source>
        <translation>%1 der %2 Datensätze aus %3 übernommen. %4 abgelehnt, die ein Farbfeld mit anderen Farbwerten nennen:</translation>
    </message>
    <message>
        <source> · %1 averaged from repeated readings</source>
        <translation> · %1 aus wiederholten Messungen gemittelt</translation>
    </message>
    <message>
        <source>This chart holds readings that have not been saved. Save them before closing?</source>
        <translation>Diese Farbtafel enthält Messwerte, die nicht gespeichert sind. Vor dem Schließen speichern?</translation>
    </message>
    <message>
        <source>R, G, B</source>
        <translation>R, G, B</translation>
    </message>
    <message>
        <source>C, M, Y, K</source>
        <translation>C, M, Y, K</translation>
    </message>
    <message>
        <source>L, a, b relative</source>
        <translation>L, a, b relativ</translation>
    </message>
    <message>
        <source>L, a, b D50</source>
        <translation>L, a, b D50</translation>
    </message>
    <message>
        <source>L, a, b Measured</source>
        <translation>L, a, b gemessen</translation>
    </message>
    <message>
        <source>DeltaE</source>
        <translation>DeltaE</translation>
    </message>
    <message>
        <source>Add control patches (paper, solids, overprints, grey ramps)</source>
        <translation>Kontrollfelder anfügen (Papier, Volltöne, Übereinanderdrucke, Graustufen)</translation>
    </message>
    <message>
        <source>Export for Argyll (.ti1)...</source>
        <translation>Für Argyll exportieren (.ti1)...</translation>
    </message>
    <message>
        <source>Export for Argyll</source>
        <translation>Für Argyll exportieren</translation>
    </message>
    <message>
        <source>The profile the chart was made from cannot be read any more; the Argyll target needs it for the paper white and the solids. Nothing was written to %1.</source>
        <translation>Das Profil, aus dem die Farbtafel erstellt wurde, kann nicht mehr gelesen werden; das Argyll-Target braucht es für das Papierweiß und die Volltöne. In %1 wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>PostScript (*.ps)</source>
        <translation>PostScript (*.ps)</translation>
    </message>
    <message>
        <source>CGATS (*.txt *.cgats *.ti3)</source>
        <translation>CGATS (*.txt *.cgats *.ti3)</translation>
    </message>
    <message>
        <source>Number of patches (%1 to %2)</source>
        <translation>Anzahl der Farbfelder (%1 bis %2)</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Argyll target (*.ti1)</source>
        <translation>Argyll-Target (*.ti1)</translation>
    </message>
    <message>
        <source>Print layout...</source>
        <translation>Drucklayout...</translation>
    </message>
    <message>
        <source>Print layout</source>
        <translation>Drucklayout</translation>
    </message>
    <message>
        <source>page %1, %2%3</source>
        <translation>Seite %1, %2%3</translation>
    </message>
    <message>
        <source>Make profile...</source>
        <translation>Profil erstellen...</translation>
    </message>
    <message>
        <source>Choose a file for the profile</source>
        <translation>Eine Datei für das Profil wählen</translation>
    </message>
    <message>
        <source>ICC profile (*.icc *.icm)</source>
        <translation>ICC-Profil (*.icc *.icm)</translation>
    </message>
    <message>
        <source>The profile was written to %1. It follows the readings within ΔE76 %2 on average, %3 at most.</source>
        <translation>Das Profil wurde in %1 geschrieben. Es weicht von den Messwerten im Mittel um ΔE76 %2 ab, höchstens um %3.</translation>
    </message>
    <message>
        <source>Make profile</source>
        <translation>Profil erstellen</translation>
    </message>
    <message>
        <source>No profile was made for %1: %2</source>
        <translation>Für %1 wurde kein Profil erstellt: %2</translation>
    </message>
    <message>
        <source>marks a patch whose ΔE76 is %1 or more</source>
        <translation>markiert ein Feld mit ΔE76 von %1 oder mehr</translation>
    </message>
    <message>
        <source>Own tolerance...</source>
        <translation>Eigene Toleranz...</translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation>Toleranz:</translation>
    </message>
    <message>
        <source>Verification report...</source>
        <translation>Prüfbericht...</translation>
    </message>
    <message>
        <source>own tolerance</source>
        <translation>eigene Toleranz</translation>
    </message>
    <message>
        <source>Pass (%1)</source>
        <translation>Bestanden (%1)</translation>
    </message>
    <message>
        <source>Pass (%1); not checked: %2</source>
        <translation>Bestanden (%1); nicht geprüft: %2</translation>
    </message>
    <message>
        <source>Not checked: no reading of %1 (%2)</source>
        <translation>Nicht geprüft: keine Messung von %1 (%2)</translation>
    </message>
    <message>
        <source>mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>95th percentile</source>
        <translation>95. Perzentil</translation>
    </message>
    <message>
        <source>Fail: %1 %2 %3 above %4 (%5)</source>
        <translation>Nicht bestanden: %1 %2 %3 über %4 (%5)</translation>
    </message>
    <message>
        <source>Verification report</source>
        <translation>Prüfbericht</translation>
    </message>
    <message>
        <source>The report could not be written to %1: %2. An existing file of that name is unchanged.</source>
        <translation>Der Bericht konnte nicht nach %1 geschrieben werden: %2. Eine vorhandene Datei dieses Namens bleibt unverändert.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Proof colours</source>
        <translation>Farb-Proof</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Tafel</translation>
    </message>
    <message>
        <source>No proof: the monitor profile cannot be used</source>
        <translation>Kein Proof: Das Monitorprofil ist nicht verwendbar</translation>
    </message>
    <message>
        <source>Display colours</source>
        <translation>Anzeigefarben</translation>
    </message>
    <message>
        <source>Proof: patches as printed</source>
        <translation>Proof: Felder wie gedruckt</translation>
    </message>
    <message>
        <source>New profiling chart...</source>
        <translation>Neue Profilierungstafel...</translation>
    </message>
    <message>
        <source>Choose the printer&apos;s CMYK or RGB profile</source>
        <translation>CMYK- oder RGB-Profil des Druckers wählen</translation>
    </message>
    <message>
        <source>Profiling chart for ICC profile </source>
        <translation>Profilierungstafel für ICC-Profil </translation>
    </message>
    <message>
        <source>Profiling chart for a CMYK printer with no profile (colours from a rough printer model)</source>
        <translation>Profilierungstafel für einen CMYK-Drucker ohne Profil (Farben aus einem groben Druckermodell)</translation>
    </message>
    <message>
        <source>Profiling chart for an RGB printer with no profile (colours from a rough printer model)</source>
        <translation>Profilierungstafel für einen RGB-Drucker ohne Profil (Farben aus einem groben Druckermodell)</translation>
    </message>
    <message>
        <source>No verdict: this chart&apos;s colours come from a rough printer model, not a profile. Its readings make the printer&apos;s profile (Make profile...).</source>
        <translation>Kein Urteil: Die Farben dieser Tafel stammen aus einem groben Druckermodell, nicht aus einem Profil. Ihre Messwerte ergeben das Profil des Druckers (Profil erstellen...).</translation>
    </message>
</context>
<context>
    <name>ColourcheckPrintLayoutDialog</name>
    <message>
        <source>Print layout</source>
        <translation>Drucklayout</translation>
    </message>
    <message>
        <source>Custom size</source>
        <translation>Eigene Größe</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Paper width</source>
        <translation>Papierbreite</translation>
    </message>
    <message>
        <source>Paper height</source>
        <translation>Papierhöhe</translation>
    </message>
    <message>
        <source>Patch size</source>
        <translation>Feldgröße</translation>
    </message>
    <message>
        <source>Gap between patches</source>
        <translation>Abstand zwischen Feldern</translation>
    </message>
    <message>
        <source>Page margin</source>
        <translation>Seitenrand</translation>
    </message>
    <message>
        <source>Print the chart without colour management, so that the printer receives the chart&apos;s ink values unchanged.</source>
        <translation>Drucken Sie die Farbtafel ohne Farbmanagement, damit der Drucker ihre Farbwerte unverändert erhält.</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Not one patch fits on this paper with these sizes.</source>
        <translation>Mit diesen Maßen passt kein einziges Feld auf das Papier.</translation>
    </message>
    <message>
        <source>%1 columns and %2 rows a page: %3 pages for %4 patches</source>
        <translation>%1 Spalten und %2 Zeilen je Seite: %3 Seiten für %4 Felder</translation>
    </message>
    <message>
        <source>%1 columns and %2 rows a page: one page for %3 patches</source>
        <translation>%1 Spalten und %2 Zeilen je Seite: eine Seite für %3 Felder</translation>
    </message>
</context>
<context>
    <name>ColourcheckProfileDialog</name>
    <message>
        <source>Make profile</source>
        <translation>Profil erstellen</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Total ink limit</source>
        <translation>Gesamtfarbauftrag</translation>
    </message>
    <message>
        <source>Black ink limit</source>
        <translation>Schwarzbegrenzung</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Heavy</source>
        <translation>Stark</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximal</translation>
    </message>
    <message>
        <source>Black generation</source>
        <translation>Schwarzaufbau</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>%1 (%2 different patches or more)</source>
        <translation>%1 (%2 verschiedene Farbfelder oder mehr)</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
</context>
<context>
    <name>ColourcheckProfileMadeDialog</name>
    <message>
        <source>Make profile</source>
        <translation>Profil erstellen</translation>
    </message>
    <message>
        <source>Use it as the output profile</source>
        <translation>Als Ausgabeprofil verwenden</translation>
    </message>
    <message>
        <source>Show its gamut beside the gamut of the chart&apos;s profile</source>
        <translation>Seinen Farbumfang neben dem des Profils der Farbtafel zeigen</translation>
    </message>
</context>
<context>
    <name>ColourcheckProfileMaker</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Making %1</source>
        <translation>%1 wird erstellt</translation>
    </message>
</context>
<context>
    <name>ColourcheckProfilingChartDialog</name>
    <message>
        <source>Profiling chart</source>
        <translation>Profilierungstafel</translation>
    </message>
    <message>
        <source>The printer&apos;s profile, CMYK or RGB (chosen next)</source>
        <translation>Das Profil des Druckers, CMYK oder RGB (als Nächstes gewählt)</translation>
    </message>
    <message>
        <source>No profile: a CMYK printer, spread evenly over its inks</source>
        <translation>Kein Profil: ein CMYK-Drucker, gleichmäßig über seine Farbanteile verteilt</translation>
    </message>
    <message>
        <source>No profile: an RGB printer, spread evenly over its R, G, B values</source>
        <translation>Kein Profil: ein RGB-Drucker, gleichmäßig über seine R-, G-, B-Werte verteilt</translation>
    </message>
    <message>
        <source>Spread the patches by</source>
        <translation>Farbfelder verteilen nach</translation>
    </message>
    <message>
        <source>Number of patches</source>
        <translation>Anzahl der Farbfelder</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Ink limit (CMYK)</source>
        <translation>Farbauftragsgrenze (CMYK)</translation>
    </message>
</context>
<context>
    <name>ColourcheckToleranceDialog</name>
    <message>
        <source>Own tolerance</source>
        <translation>Eigene Toleranz</translation>
    </message>
    <message>
        <source>Colour difference</source>
        <translation>Farbabstand</translation>
    </message>
    <message>
        <source>Mean at most</source>
        <translation>Mittelwert höchstens</translation>
    </message>
    <message>
        <source>Maximum at most</source>
        <translation>Maximum höchstens</translation>
    </message>
    <message>
        <source>95th percentile at most</source>
        <translation>95. Perzentil höchstens</translation>
    </message>
    <message>
        <source>Paper white at most</source>
        <translation>Papierweiß höchstens</translation>
    </message>
    <message>
        <source>Each solid (C, M, Y, K 100) at most</source>
        <translation>Jeder Vollton (C, M, Y, K 100) höchstens</translation>
    </message>
    <message>
        <source>Black solid (K 100), if not as the others, at most</source>
        <translation>Schwarz-Vollton (K 100), falls abweichend, höchstens</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
</context>
<context>
    <name>InstrumentPanel</name>
    <message>
        <source>Read</source>
        <translation>Messen</translation>
    </message>
    <message>
        <source>Delivers the L, a, b reading shown beside it</source>
        <translation>Übernimmt den daneben angezeigten L-, a-, b-Messwert</translation>
    </message>
    <message>
        <source>Add each reading to the kept colours</source>
        <translation>Jeden Messwert zu den behaltenen Farben hinzufügen</translation>
    </message>
    <message>
        <source>&lt;b&gt;L:&lt;/b&gt;</source>
        <translation>&lt;b&gt;L:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;a:&lt;/b&gt;</source>
        <translation>&lt;b&gt;a:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;b:&lt;/b&gt;</source>
        <translation>&lt;b&gt;b:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>No chart</source>
        <translation>Keine Farbtafel</translation>
    </message>
    <message>
        <source>All %1 patches read</source>
        <translation>Alle %1 Farbfelder gemessen</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Expected L %1, a %2, b %3</source>
        <translation>Erwartet: L %1, a %2, b %3</translation>
    </message>
    <message>
        <source>Manual entry</source>
        <translation>Manuelle Eingabe</translation>
    </message>
    <message>
        <source>Simulated instrument</source>
        <translation>Simuliertes Messgerät</translation>
    </message>
    <message>
        <source>Argyll spotread</source>
        <translation>Argyll spotread</translation>
    </message>
    <message>
        <source>Printer profile...</source>
        <translation>Druckerprofil...</translation>
    </message>
    <message>
        <source>No profile</source>
        <translation>Kein Profil</translation>
    </message>
    <message>
        <source>CIE 1976 difference added to every reading</source>
        <translation>CIE-1976-Farbabstand, der zu jedem Messwert addiert wird</translation>
    </message>
    <message>
        <source>Difference:</source>
        <translation>Abstand:</translation>
    </message>
    <message>
        <source>Seed:</source>
        <translation>Startwert:</translation>
    </message>
    <message>
        <source>C:</source>
        <translation>C:</translation>
    </message>
    <message>
        <source>M:</source>
        <translation>M:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>K:</source>
        <translation>K:</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Programm:</translation>
    </message>
    <message>
        <source>Choose a printer profile</source>
        <translation>Druckerprofil wählen</translation>
    </message>
    <message>
        <source>%1 is not a CMYK printer profile</source>
        <translation>%1 ist kein CMYK-Druckerprofil</translation>
    </message>
    <message>
        <source>Instrument</source>
        <translation>Messgerät</translation>
    </message>
</context>
<context>
    <name>KxGamutView</name>
    <message>
        <source>No profile chosen</source>
        <translation>Kein Profil gewählt</translation>
    </message>
    <message>
        <source>OpenGL cannot draw the gamut here</source>
        <translation>OpenGL kann den Farbumfang hier nicht darstellen</translation>
    </message>
    <message>
        <source>The profile cannot be read</source>
        <translation>Das Profil kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Only RGB and CMYK profiles have a gamut to show</source>
        <translation>Nur RGB- und CMYK-Profile haben einen darstellbaren Farbumfang</translation>
    </message>
    <message>
        <source>The profile gives no Lab colours</source>
        <translation>Das Profil liefert keine Lab-Farben</translation>
    </message>
    <message>
        <source>There is no gamut to compare with</source>
        <translation>Es gibt keinen Farbumfang zum Vergleichen</translation>
    </message>
    <message>
        <source>%1: %2 cubic Lab units</source>
        <translation>%1: %2 Lab-Kubikeinheiten</translation>
    </message>
    <message>
        <source>%1 (wire frame): %2 cubic Lab units</source>
        <translation>%1 (Drahtgitter): %2 Lab-Kubikeinheiten</translation>
    </message>
    <message>
        <source>%1 % of %2 lies inside %3</source>
        <translation>%1 % von %2 liegen innerhalb von %3</translation>
    </message>
    <message>
        <source>L %1, a %2, b %3 lies inside %4</source>
        <translation>L %1, a %2, b %3 liegt innerhalb von %4</translation>
    </message>
    <message>
        <source>L %1, a %2, b %3 lies outside %4</source>
        <translation>L %1, a %2, b %3 liegt außerhalb von %4</translation>
    </message>
    <message>
        <source>%1 with %2 as wire frame</source>
        <translation>%1 mit %2 als Drahtgitter</translation>
    </message>
    <message>
        <source>Compare with profile...</source>
        <translation>Mit Profil vergleichen ...</translation>
    </message>
    <message>
        <source>Remove comparison</source>
        <translation>Vergleich entfernen</translation>
    </message>
    <message>
        <source>Show colour...</source>
        <translation>Farbe zeigen ...</translation>
    </message>
    <message>
        <source>Choose an ICC profile to compare with</source>
        <translation>ICC-Profil zum Vergleichen wählen</translation>
    </message>
    <message>
        <source>Compare with profile</source>
        <translation>Mit Profil vergleichen</translation>
    </message>
    <message>
        <source>Show colour</source>
        <translation>Farbe zeigen</translation>
    </message>
</context>
<context>
    <name>KxMainWindow</name>
    <message>
        <source>Quenwick Tintora</source>
        <translation>Quenwick Tintora</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>New Window</source>
        <translation>Neues Fenster</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Colour chart from ICC profile</source>
        <translation>Farbtafel aus ICC-Profil</translation>
    </message>
    <message>
        <source>Colour chart from file</source>
        <translation>Farbtafel aus Datei</translation>
    </message>
    <message>
        <source>Display gamut</source>
        <translation>Farbumfang anzeigen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>What&apos;s &amp;This</source>
        <translation>&amp;Direkthilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>Sprache geändert</translation>
    </message>
    <message>
        <source>You must restart Tintora
for the changes to take effect</source>
        <translation>Starten Sie Tintora neu,
damit die Änderung wirksam wird</translation>
    </message>
    <message>
        <source>New profiling chart...</source>
        <translation>Neue Profilierungstafel...</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Language failed</source>
        <translation>Sprache nicht geladen</translation>
    </message>
    <message>
        <source>Failed to load the requested language
Using the built-in default language</source>
        <translation>Die gewählte Sprache konnte nicht geladen werden
Es wird die eingebaute Standardsprache verwendet</translation>
    </message>
    <message>
        <source>Bad ICC profile</source>
        <translation>Fehlerhaftes ICC-Profil</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is either corrupt or invalid.
 Please choose a different one</source>
        <translation>Das gewählte ICC-Profil ist beschädigt oder ungültig.
 Bitte wählen Sie ein anderes</translation>
    </message>
    <message>
        <source>Invalid input ICC profile</source>
        <translation>Ungültiges ICC-Eingabeprofil</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is of the wrong type.
Valid input profiles are montitor, scanner or printer profiles
that are either RGB or CMYK</source>
        <translation>Das gewählte ICC-Profil hat den falschen Typ.
Gültige Eingabeprofile sind Monitor-, Scanner- oder Druckerprofile
in RGB oder CMYK</translation>
    </message>
    <message>
        <source>Invalid output ICC profile</source>
        <translation>Ungültiges ICC-Ausgabeprofil</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is of the wrong type.
Valid output profiles are montitor, or printer profiles
that are either RGB or CMYK</source>
        <translation>Das gewählte ICC-Profil hat den falschen Typ.
Gültige Ausgabeprofile sind Monitor- oder Druckerprofile
in RGB oder CMYK</translation>
    </message>
    <message>
        <source>Invalid monitor ICC profile</source>
        <translation>Ungültiges ICC-Monitorprofil</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is of the wrong type.
Please select an ICC profile of type monitor</source>
        <translation>Das gewählte ICC-Profil hat den falschen Typ.
Bitte wählen Sie ein ICC-Profil vom Typ Monitor</translation>
    </message>
    <message>
        <source>CMS init failed</source>
        <translation>CMS-Initialisierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>The initialisation of the CMS for the monitor failed
Either ran out of memory or some of the profiles have been deleted</source>
        <translation>Die Initialisierung des CMS für den Monitor ist fehlgeschlagen
Entweder reicht der Speicher nicht aus oder Profile wurden gelöscht</translation>
    </message>
    <message>
        <source>The initialisation of the CMS failed
Either ran out of memory or some of the profiles have been deleted</source>
        <translation>Die Initialisierung des CMS ist fehlgeschlagen
Entweder reicht der Speicher nicht aus oder Profile wurden gelöscht</translation>
    </message>
</context>
<context>
    <name>SimulatedInstrument</name>
    <message>
        <source>Choose a printer profile for the simulated instrument</source>
        <translation>Druckerprofil für das simulierte Messgerät wählen</translation>
    </message>
</context>
<context>
    <name>SpotreadDriver</name>
    <message>
        <source>No answer from spotread: is an instrument connected and switched on?</source>
        <translation>Keine Antwort von spotread: Ist ein Messgerät angeschlossen und eingeschaltet?</translation>
    </message>
    <message>
        <source>spotread stopped unexpectedly</source>
        <translation>spotread wurde unerwartet beendet</translation>
    </message>
    <message>
        <source>spotread ended (exit code %1)</source>
        <translation>spotread beendet (Exit-Code %1)</translation>
    </message>
    <message>
        <source>Cannot run %1: %2</source>
        <translation>%1 kann nicht ausgeführt werden: %2</translation>
    </message>
    <message>
        <source>Cannot open a terminal for spotread: %1</source>
        <translation>Für spotread kann kein Terminal geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Starting spotread; press Read when it asks for a measurement</source>
        <translation>spotread wird gestartet; drücken Sie Messen, wenn es nach einer Messung fragt</translation>
    </message>
</context>
<context>
    <name>Tintora</name>
    <message>
        <source>Perceptual</source>
        <translation>Wahrnehmungsorientiert</translation>
    </message>
    <message>
        <source>Relative Colourimetric</source>
        <translation>Relativ farbmetrisch</translation>
    </message>
    <message>
        <source>Absolute Colourimetric</source>
        <translation>Absolut farbmetrisch</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Höchste</translation>
    </message>
    <message>
        <source>Choose an ICC profile for Gamut viewing</source>
        <translation>ICC-Profil für die Farbumfang-Anzeige wählen</translation>
    </message>
    <message>
        <source>Choose an input ICC profile</source>
        <translation>ICC-Eingabeprofil wählen</translation>
    </message>
    <message>
        <source>Choose an output ICC profile</source>
        <translation>ICC-Ausgabeprofil wählen</translation>
    </message>
    <message>
        <source>Choose a monitor ICC profile</source>
        <translation>ICC-Monitorprofil wählen</translation>
    </message>
    <message>
        <source>Please pick a monitor profile&lt;br&gt;to see a preview of the colours</source>
        <translation>Bitte wählen Sie ein Monitorprofil,&lt;br&gt;um eine Vorschau der Farben zu sehen</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Display gamut</source>
        <translation>Farbumfang anzeigen</translation>
    </message>
    <message>
        <source>Gamut ΔE: how far the output profile&apos;s relative colorimetric conversion moves the colour (CIE 1976). From %1 on, the output cannot make the colour. It does not depend on the chosen rendering intent or accuracy.</source>
        <translation>Farbumfang-ΔE: wie weit die relativ farbmetrische Umrechnung des Ausgabeprofils die Farbe verschiebt (CIE 1976). Ab %1 kann die Ausgabe die Farbe nicht erzeugen. Der Wert hängt nicht vom gewählten Rendering-Intent oder der Genauigkeit ab.</translation>
    </message>
    <message>
        <source>Gamut ΔE %1 out of gamut</source>
        <translation>Farbumfang-ΔE %1 außerhalb des Farbumfangs</translation>
    </message>
    <message>
        <source>Gamut ΔE %1</source>
        <translation>Farbumfang-ΔE %1</translation>
    </message>
    <message>
        <source>Proof colours</source>
        <translation>Farb-Proof</translation>
    </message>
    <message>
        <source>The input colour</source>
        <translation>Die Eingabefarbe</translation>
    </message>
    <message>
        <source>No proof: the output profile cannot be shown on this monitor profile</source>
        <translation>Kein Proof: Das Ausgabeprofil lässt sich mit diesem Monitorprofil nicht darstellen</translation>
    </message>
    <message>
        <source>Proof: as printed</source>
        <translation>Proof: wie gedruckt</translation>
    </message>
</context>
<context>
    <name>Tintora_UI</name>
    <message>
        <source>Tintora</source>
        <translation>Tintora</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Shows a list of colours you have selected to keep. To preview a colour just select it from the pulldown list</source>
        <translation>Zeigt die Liste der Farben, die Sie behalten haben. Um eine Farbe in der Vorschau zu sehen, wählen Sie sie einfach in der Ausklappliste</translation>
    </message>
    <message>
        <source>This is the colour preview area. Select a monitor icc profile and then you can see how the colour looks. The printed result should look just like the monitor preview</source>
        <translation>Dies ist die Farbvorschau. Wählen Sie ein ICC-Monitorprofil, dann sehen Sie, wie die Farbe aussieht. Das gedruckte Ergebnis sollte genau wie die Vorschau am Monitor aussehen</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Allows you to keep the colour currently being previewed so that it can be reviewed again later</source>
        <translation>Behält die gerade in der Vorschau gezeigte Farbe, damit Sie sie später wieder ansehen können</translation>
    </message>
    <message>
        <source>Select Input ICC ...</source>
        <translation>Eingabeprofil wählen ...</translation>
    </message>
    <message>
        <source>Allows selection of an input profile. Supported profiles are Display(monitor), Input (scanner) and Ouput (printer) which are either RGB or CMYK.
The input profile determines whether the input box will display either RGB or CMYK values.</source>
        <translation>Wählt ein Eingabeprofil. Unterstützt werden Bildschirm- (Monitor), Eingabe- (Scanner) und Ausgabeprofile (Drucker) in RGB oder CMYK.
Das Eingabeprofil bestimmt, ob das Eingabefeld RGB- oder CMYK-Werte zeigt.</translation>
    </message>
    <message>
        <source>Select Monitor ICC ...</source>
        <translation>Monitorprofil wählen ...</translation>
    </message>
    <message>
        <source>Allows selection of a monitor profile. Selecting the correct profile for your display allows accurate previewing of the input colour</source>
        <translation>Wählt ein Monitorprofil. Mit dem richtigen Profil für Ihren Bildschirm zeigt die Vorschau die Eingabefarbe farbverbindlich</translation>
    </message>
    <message>
        <source>Select Output ICC ...</source>
        <translation>Ausgabeprofil wählen ...</translation>
    </message>
    <message>
        <source>Allows selection of an output profile. Supported profiles are Display(monitor) and Ouput (printer) which are either RGB or CMYK.
The ouput profile determines whether the output box will display either RGB or CMYK values.</source>
        <translation>Wählt ein Ausgabeprofil. Unterstützt werden Bildschirm- (Monitor) und Ausgabeprofile (Drucker) in RGB oder CMYK.
Das Ausgabeprofil bestimmt, ob das Ausgabefeld RGB- oder CMYK-Werte zeigt.</translation>
    </message>
    <message>
        <source>Long_long_long_long_long_name.icc</source>
        <translation>Long_long_long_long_long_name.icc</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>&lt;b&gt;R:&lt;/b&gt;</source>
        <translation>&lt;b&gt;R:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;G:&lt;/b&gt;</source>
        <translation>&lt;b&gt;G:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;B:&lt;/b&gt;</source>
        <translation>&lt;b&gt;B:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;C:&lt;/b&gt;</source>
        <translation>&lt;b&gt;C:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The cyan value to convert</source>
        <translation>Der umzurechnende Cyan-Wert</translation>
    </message>
    <message>
        <source>&lt;b&gt;M:&lt;/b&gt;</source>
        <translation>&lt;b&gt;M:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The magenta value to convert</source>
        <translation>Der umzurechnende Magenta-Wert</translation>
    </message>
    <message>
        <source>&lt;b&gt;Y:&lt;/b&gt;</source>
        <translation>&lt;b&gt;Y:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The yellow value to convert</source>
        <translation>Der umzurechnende Gelb-Wert</translation>
    </message>
    <message>
        <source>&lt;b&gt;K:&lt;/b&gt;</source>
        <translation>&lt;b&gt;K:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The black value to convert</source>
        <translation>Der umzurechnende Schwarz-Wert</translation>
    </message>
    <message>
        <source>Enable instrument</source>
        <translation>Messgerät verwenden</translation>
    </message>
    <message>
        <source>Lab Input</source>
        <translation>Lab-Eingabe</translation>
    </message>
    <message>
        <source>&lt;b&gt;L:&lt;/b&gt;</source>
        <translation>&lt;b&gt;L:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;a:&lt;/b&gt;</source>
        <translation>&lt;b&gt;a:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;b:&lt;/b&gt;</source>
        <translation>&lt;b&gt;b:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>The converted red value</source>
        <translation>Der umgerechnete Rot-Wert</translation>
    </message>
    <message>
        <source>The converted green value</source>
        <translation>Der umgerechnete Grün-Wert</translation>
    </message>
    <message>
        <source>The converted blue value</source>
        <translation>Der umgerechnete Blau-Wert</translation>
    </message>
    <message>
        <source>The converted cyan value</source>
        <translation>Der umgerechnete Cyan-Wert</translation>
    </message>
    <message>
        <source>The converted magenta value</source>
        <translation>Der umgerechnete Magenta-Wert</translation>
    </message>
    <message>
        <source>The converted yellow value</source>
        <translation>Der umgerechnete Gelb-Wert</translation>
    </message>
    <message>
        <source>The converted black value</source>
        <translation>Der umgerechnete Schwarz-Wert</translation>
    </message>
    <message>
        <source>The L value of the input colour as measured under a  D50 illuminant</source>
        <translation>Der L-Wert der Eingabefarbe, gemessen unter Normlichtart D50</translation>
    </message>
    <message>
        <source>The a value of the input colour as measured under a  D50 illuminant</source>
        <translation>Der a-Wert der Eingabefarbe, gemessen unter Normlichtart D50</translation>
    </message>
    <message>
        <source>The b value of the input colour as measured under a  D50 illuminant</source>
        <translation>Der b-Wert der Eingabefarbe, gemessen unter Normlichtart D50</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>D50 (2&amp;#176;)</source>
        <translation>D50 (2&amp;#176;)</translation>
    </message>
    <message>
        <source>Rendering Intent:</source>
        <translation>Rendering-Intent:</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Wahrnehmungsorientiert</translation>
    </message>
    <message>
        <source>Colorimetric</source>
        <translation>Farbmetrisch</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Absolute Colorimetric</source>
        <translation>Absolut farbmetrisch</translation>
    </message>
    <message>
        <source>Selects the rendering intent to use when converting from input to output</source>
        <translation>Wählt den Rendering-Intent für die Umrechnung von der Eingabe in die Ausgabe</translation>
    </message>
    <message>
        <source>Interpolation Accuracy:</source>
        <translation>Interpolationsgenauigkeit:</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Schneller</translation>
    </message>
    <message>
        <source>Better</source>
        <translation>Genauer</translation>
    </message>
    <message>
        <source>Kept colours</source>
        <translation>Behaltene Farben</translation>
    </message>
    <message>
        <source>Spectrophotometer</source>
        <translation>Spektralfotometer</translation>
    </message>
</context>
</TS>
