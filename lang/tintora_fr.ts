<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Colourcheck</name>
    <message>
        <source>Colour check chart</source>
        <translation>Mire de contrôle des couleurs</translation>
    </message>
    <message>
        <source>Export chart as postscript file</source>
        <translation>Exporter la mire en fichier PostScript</translation>
    </message>
    <message>
        <source>Export chart as ISO12642 file</source>
        <translation>Exporter la mire en fichier ISO 12642</translation>
    </message>
    <message>
        <source>Colour chart from ICC profile</source>
        <translation>Mire de couleurs d&apos;après un profil ICC</translation>
    </message>
    <message>
        <source>Colour chart from swatches file</source>
        <translation>Mire de couleurs d&apos;après un nuancier</translation>
    </message>
    <message>
        <source>Choose an ICC profile for charting</source>
        <translation>Choisir un profil ICC pour la mire</translation>
    </message>
    <message>
        <source>Colour check chart for ICC profile </source>
        <translation>Mire de contrôle pour le profil ICC </translation>
    </message>
    <message>
        <source>Choose an swatch file containing the chart</source>
        <translation>Choisir le nuancier qui contient la mire</translation>
    </message>
    <message>
        <source>Choose an ICC source profile for these patches</source>
        <translation>Choisir un profil ICC source pour ces plages</translation>
    </message>
    <message>
        <source>No colours could be read from %1.
%2</source>
        <translation>Aucune couleur n&apos;a pu être lue dans %1.
%2</translation>
    </message>
    <message>
        <source>Choose a file for exporting</source>
        <translation>Choisir un fichier pour l&apos;exportation</translation>
    </message>
    <message>
        <source>The chart could not be written to %1: %2. An existing file of that name is unchanged.</source>
        <translation>La mire n&apos;a pas pu être écrite dans %1 : %2. Un fichier existant de ce nom reste inchangé.</translation>
    </message>
    <message>
        <source>No profile was chosen.</source>
        <translation>Aucun profil n&apos;a été choisi.</translation>
    </message>
    <message>
        <source>Save measurements...</source>
        <translation>Enregistrer les mesures...</translation>
    </message>
    <message>
        <source>Load measurements...</source>
        <translation>Charger des mesures...</translation>
    </message>
    <message>
        <source>No number of patches was chosen.</source>
        <translation>Aucun nombre de plages n&apos;a été choisi.</translation>
    </message>
    <message>
        <source>The profile was refused: it is not a readable RGB or CMYK input, display or output profile, or the monitor profile cannot be used.</source>
        <translation>Le profil a été refusé : ce n&apos;est pas un profil RVB ou CMJN lisible d&apos;entrée, d&apos;écran ou de sortie, ou le profil du moniteur est inutilisable.</translation>
    </message>
    <message>
        <source>There was not enough memory to build the chart.</source>
        <translation>La mémoire n&apos;a pas suffi pour construire la mire.</translation>
    </message>
    <message>
        <source>Only CMYK profiles and RGB printer profiles give patches.</source>
        <translation>Seuls les profils CMJN et les profils d&apos;imprimante RVB donnent des plages.</translation>
    </message>
    <message>
        <source>No swatch file was chosen.</source>
        <translation>Aucun nuancier n&apos;a été choisi.</translation>
    </message>
    <message>
        <source>The swatch file held no colours.</source>
        <translation>Le nuancier ne contenait aucune couleur.</translation>
    </message>
    <message>
        <source>The profile was refused: swatches need a readable CMYK output profile, and the monitor profile must be usable.</source>
        <translation>Le profil a été refusé : les nuanciers demandent un profil de sortie CMJN lisible, et le profil du moniteur doit être utilisable.</translation>
    </message>
    <message>
        <source>No readings yet</source>
        <translation>Aucune mesure pour l&apos;instant</translation>
    </message>
    <message>
        <source>Measured %1 of %2 · ΔE76 mean %3 max %4 · ΔE2000 mean %5 max %6 · %7 at %8 or more</source>
        <translation>%1 sur %2 mesurées · ΔE76 moyenne %3 max %4 · ΔE2000 moyenne %5 max %6 · %7 à %8 ou plus</translation>
    </message>
    <message>
        <source>Choose a file for the measurements</source>
        <translation>Choisir un fichier pour les mesures</translation>
    </message>
    <message>
        <source>Save measurements</source>
        <translation>Enregistrer les mesures</translation>
    </message>
    <message>
        <source>The measurements could not be written to %1: %2. An existing file of that name is unchanged.</source>
        <translation>Les mesures n&apos;ont pas pu être écrites dans %1 : %2. Un fichier existant de ce nom reste inchangé.</translation>
    </message>
    <message>
        <source>Choose a measurement file</source>
        <translation>Choisir un fichier de mesures</translation>
    </message>
    <message>
        <source>Load measurements</source>
        <translation>Charger des mesures</translation>
    </message>
    <message>
        <source>No readings were taken from %1.
%2</source>
        <translation>Aucune mesure n&apos;a été reprise de %1.
%2</translation>
    </message>
    <message>
        <source>Average repeated readings of a patch</source>
        <translation>Faire la moyenne des mesures répétées d&apos;une plage</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 de plus</translation>
    </message>
    <message>
        <source>No readings were taken from %1: %2 of its %3 sets name a patch printed with other ink, so it is another chart&apos;s file.</source>
        <translation>Aucune mesure n&apos;a été reprise de %1 : %2 de ses %3 jeux nomment une plage imprimée avec d&apos;autres encres ; ce fichier est celui d&apos;une autre charte.</translation>
    </message>
    <message>
        <source>No readings were taken from %1: %2 of its %3 sets name a patch printed with other RGB, so it is another chart&apos;s file.</source>
        <translation>Aucune mesure n&apos;a été reprise de %1 : %2 de ses %3 jeux nomment une plage imprimée avec d&apos;autres valeurs RVB ; ce fichier est celui d&apos;une autre charte.</translation>
    </message>
    <message>
        <source>Took %1 of the %2 sets of %3. Refused %4 that name a patch printed with other RGB:</source>
        <translation>%1 des %2 jeux de %3 repris. %4 refusés, qui nomment une plage imprimée avec d&apos;autres valeurs RVB :</translation>
    </message>
    <message>
        <source>Took %1 of the %2 sets of %3. Refused %4 that name a patch printed with other ink:</source>
        <translation>%1 des %2 jeux de %3 repris. %4 refusés, qui nomment une plage imprimée avec d&apos;autres encres :</translation>
    </message>
    <message>
        <source> · %1 averaged from repeated readings</source>
        <translation> · %1 moyennées à partir de mesures répétées</translation>
    </message>
    <message>
        <source>This chart holds readings that have not been saved. Save them before closing?</source>
        <translation>Cette mire contient des mesures non enregistrées. Les enregistrer avant de fermer ?</translation>
    </message>
    <message>
        <source>R, G, B</source>
        <translation>R, V, B</translation>
    </message>
    <message>
        <source>C, M, Y, K</source>
        <translation>C, M, J, N</translation>
    </message>
    <message>
        <source>L, a, b relative</source>
        <translation>L, a, b relatif</translation>
    </message>
    <message>
        <source>L, a, b D50</source>
        <translation>L, a, b D50</translation>
    </message>
    <message>
        <source>L, a, b Measured</source>
        <translation>L, a, b mesuré</translation>
    </message>
    <message>
        <source>DeltaE</source>
        <translation>DeltaE</translation>
    </message>
    <message>
        <source>Add control patches (paper, solids, overprints, grey ramps)</source>
        <translation>Ajouter des plages de contrôle (papier, aplats, surimpressions, gammes de gris)</translation>
    </message>
    <message>
        <source>Export for Argyll (.ti1)...</source>
        <translation>Exporter pour Argyll (.ti1)...</translation>
    </message>
    <message>
        <source>Export for Argyll</source>
        <translation>Exporter pour Argyll</translation>
    </message>
    <message>
        <source>The profile the chart was made from cannot be read any more; the Argyll target needs it for the paper white and the solids. Nothing was written to %1.</source>
        <translation>Le profil à partir duquel la mire a été créée ne peut plus être lu ; la cible Argyll en a besoin pour le blanc du papier et les aplats. Rien n&apos;a été écrit dans %1.</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
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
        <translation>Nombre de plages (%1 à %2)</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Argyll target (*.ti1)</source>
        <translation>Cible Argyll (*.ti1)</translation>
    </message>
    <message>
        <source>Print layout...</source>
        <translation>Mise en page pour impression...</translation>
    </message>
    <message>
        <source>Print layout</source>
        <translation>Mise en page pour impression</translation>
    </message>
    <message>
        <source>page %1, %2%3</source>
        <translation>page %1, %2%3</translation>
    </message>
    <message>
        <source>Make profile...</source>
        <translation>Créer un profil...</translation>
    </message>
    <message>
        <source>Choose a file for the profile</source>
        <translation>Choisir un fichier pour le profil</translation>
    </message>
    <message>
        <source>ICC profile (*.icc *.icm)</source>
        <translation>Profil ICC (*.icc *.icm)</translation>
    </message>
    <message>
        <source>The profile was written to %1. It follows the readings within ΔE76 %2 on average, %3 at most.</source>
        <translation>Le profil a été écrit dans %1. Il suit les mesures à ΔE76 %2 près en moyenne, %3 au plus.</translation>
    </message>
    <message>
        <source>Make profile</source>
        <translation>Créer un profil</translation>
    </message>
    <message>
        <source>No profile was made for %1: %2</source>
        <translation>Aucun profil n’a été créé pour %1 : %2</translation>
    </message>
    <message>
        <source>marks a patch whose ΔE76 is %1 or more</source>
        <translation>marque une plage dont le ΔE76 est de %1 ou plus</translation>
    </message>
    <message>
        <source>Own tolerance...</source>
        <translation>Tolérance personnelle...</translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation>Tolérance :</translation>
    </message>
    <message>
        <source>Verification report...</source>
        <translation>Rapport de vérification...</translation>
    </message>
    <message>
        <source>own tolerance</source>
        <translation>tolérance personnelle</translation>
    </message>
    <message>
        <source>Pass (%1)</source>
        <translation>Conforme (%1)</translation>
    </message>
    <message>
        <source>Pass (%1); not checked: %2</source>
        <translation>Conforme (%1) ; non vérifié : %2</translation>
    </message>
    <message>
        <source>Not checked: no reading of %1 (%2)</source>
        <translation>Non vérifié : aucune mesure de %1 (%2)</translation>
    </message>
    <message>
        <source>mean</source>
        <translation>moyenne</translation>
    </message>
    <message>
        <source>maximum</source>
        <translation>maximum</translation>
    </message>
    <message>
        <source>95th percentile</source>
        <translation>95e centile</translation>
    </message>
    <message>
        <source>Fail: %1 %2 %3 above %4 (%5)</source>
        <translation>Non conforme : %1 %2 %3 au-dessus de %4 (%5)</translation>
    </message>
    <message>
        <source>Verification report</source>
        <translation>Rapport de vérification</translation>
    </message>
    <message>
        <source>The report could not be written to %1: %2. An existing file of that name is unchanged.</source>
        <translation>Le rapport n’a pas pu être écrit dans %1 : %2. Un fichier existant de ce nom reste inchangé.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Proof colours</source>
        <translation>Couleurs d&apos;épreuve</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Mire</translation>
    </message>
    <message>
        <source>No proof: the monitor profile cannot be used</source>
        <translation>Pas d&apos;épreuve : le profil du moniteur est inutilisable</translation>
    </message>
    <message>
        <source>Display colours</source>
        <translation>Couleurs d&apos;affichage</translation>
    </message>
    <message>
        <source>Proof: patches as printed</source>
        <translation>Épreuve : plages comme imprimées</translation>
    </message>
    <message>
        <source>New profiling chart...</source>
        <translation>Nouvelle mire de profilage...</translation>
    </message>
    <message>
        <source>Choose the printer&apos;s CMYK or RGB profile</source>
        <translation>Choisir le profil CMJN ou RVB de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Profiling chart for ICC profile </source>
        <translation>Mire de profilage pour le profil ICC </translation>
    </message>
    <message>
        <source>Profiling chart for a CMYK printer with no profile (colours from a rough printer model)</source>
        <translation>Mire de profilage pour une imprimante CMJN sans profil (couleurs d&apos;un modèle d&apos;imprimante approximatif)</translation>
    </message>
    <message>
        <source>Profiling chart for an RGB printer with no profile (colours from a rough printer model)</source>
        <translation>Mire de profilage pour une imprimante RVB sans profil (couleurs d&apos;un modèle d&apos;imprimante approximatif)</translation>
    </message>
    <message>
        <source>No verdict: this chart&apos;s colours come from a rough printer model, not a profile. Its readings make the printer&apos;s profile (Make profile...).</source>
        <translation>Pas de verdict : les couleurs de cette mire viennent d&apos;un modèle d&apos;imprimante approximatif, non d&apos;un profil. Ses mesures servent à faire le profil de l&apos;imprimante (Créer un profil...).</translation>
    </message>
</context>
<context>
    <name>ColourcheckPrintLayoutDialog</name>
    <message>
        <source>Print layout</source>
        <translation>Mise en page pour impression</translation>
    </message>
    <message>
        <source>Custom size</source>
        <translation>Format personnalisé</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Paper width</source>
        <translation>Largeur du papier</translation>
    </message>
    <message>
        <source>Paper height</source>
        <translation>Hauteur du papier</translation>
    </message>
    <message>
        <source>Patch size</source>
        <translation>Taille des plages</translation>
    </message>
    <message>
        <source>Gap between patches</source>
        <translation>Espace entre les plages</translation>
    </message>
    <message>
        <source>Page margin</source>
        <translation>Marge de la page</translation>
    </message>
    <message>
        <source>Print the chart without colour management, so that the printer receives the chart&apos;s ink values unchanged.</source>
        <translation>Imprimez la mire sans gestion des couleurs, afin que l&apos;imprimante reçoive les valeurs d&apos;encre de la mire inchangées.</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Not one patch fits on this paper with these sizes.</source>
        <translation>Aucune plage ne tient sur ce papier avec ces dimensions.</translation>
    </message>
    <message>
        <source>%1 columns and %2 rows a page: %3 pages for %4 patches</source>
        <translation>%1 colonnes et %2 lignes par page : %3 pages pour %4 plages</translation>
    </message>
    <message>
        <source>%1 columns and %2 rows a page: one page for %3 patches</source>
        <translation>%1 colonnes et %2 lignes par page : une page pour %3 plages</translation>
    </message>
</context>
<context>
    <name>ColourcheckProfileDialog</name>
    <message>
        <source>Make profile</source>
        <translation>Créer un profil</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Total ink limit</source>
        <translation>Limite d’encrage total</translation>
    </message>
    <message>
        <source>Black ink limit</source>
        <translation>Limite du noir</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Légère</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Heavy</source>
        <translation>Forte</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximale</translation>
    </message>
    <message>
        <source>Black generation</source>
        <translation>Génération du noir</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>%1 (%2 different patches or more)</source>
        <translation>%1 (%2 plages différentes ou plus)</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
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
        <translation>Créer un profil</translation>
    </message>
    <message>
        <source>Use it as the output profile</source>
        <translation>L’utiliser comme profil de sortie</translation>
    </message>
    <message>
        <source>Show its gamut beside the gamut of the chart&apos;s profile</source>
        <translation>Montrer son gamut à côté de celui du profil de la charte</translation>
    </message>
</context>
<context>
    <name>ColourcheckProfileMaker</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Making %1</source>
        <translation>Création de %1</translation>
    </message>
</context>
<context>
    <name>ColourcheckProfilingChartDialog</name>
    <message>
        <source>Profiling chart</source>
        <translation>Mire de profilage</translation>
    </message>
    <message>
        <source>The printer&apos;s profile, CMYK or RGB (chosen next)</source>
        <translation>Le profil de l&apos;imprimante, CMJN ou RVB (choisi ensuite)</translation>
    </message>
    <message>
        <source>No profile: a CMYK printer, spread evenly over its inks</source>
        <translation>Aucun profil : une imprimante CMJN, répartie également sur ses encres</translation>
    </message>
    <message>
        <source>No profile: an RGB printer, spread evenly over its R, G, B values</source>
        <translation>Aucun profil : une imprimante RVB, répartie également sur ses valeurs R, V, B</translation>
    </message>
    <message>
        <source>Spread the patches by</source>
        <translation>Répartir les plages selon</translation>
    </message>
    <message>
        <source>Number of patches</source>
        <translation>Nombre de plages</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Ink limit (CMYK)</source>
        <translation>Limite d&apos;encrage (CMJN)</translation>
    </message>
</context>
<context>
    <name>ColourcheckToleranceDialog</name>
    <message>
        <source>Own tolerance</source>
        <translation>Tolérance personnelle</translation>
    </message>
    <message>
        <source>Colour difference</source>
        <translation>Écart de couleur</translation>
    </message>
    <message>
        <source>Mean at most</source>
        <translation>Moyenne au plus</translation>
    </message>
    <message>
        <source>Maximum at most</source>
        <translation>Maximum au plus</translation>
    </message>
    <message>
        <source>95th percentile at most</source>
        <translation>95e centile au plus</translation>
    </message>
    <message>
        <source>Paper white at most</source>
        <translation>Blanc du papier au plus</translation>
    </message>
    <message>
        <source>Each solid (C, M, Y, K 100) at most</source>
        <translation>Chaque aplat (C, M, J, N 100) au plus</translation>
    </message>
    <message>
        <source>Black solid (K 100), if not as the others, at most</source>
        <translation>Aplat noir (N 100), s’il diffère, au plus</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
</context>
<context>
    <name>InstrumentPanel</name>
    <message>
        <source>Read</source>
        <translation>Mesurer</translation>
    </message>
    <message>
        <source>Delivers the L, a, b reading shown beside it</source>
        <translation>Transmet la mesure L, a, b affichée à côté</translation>
    </message>
    <message>
        <source>Add each reading to the kept colours</source>
        <translation>Ajouter chaque mesure aux couleurs conservées</translation>
    </message>
    <message>
        <source>&lt;b&gt;L:&lt;/b&gt;</source>
        <translation>&lt;b&gt;L&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;a:&lt;/b&gt;</source>
        <translation>&lt;b&gt;a&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;b:&lt;/b&gt;</source>
        <translation>&lt;b&gt;b&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>No chart</source>
        <translation>Aucune mire</translation>
    </message>
    <message>
        <source>All %1 patches read</source>
        <translation>Les %1 plages sont mesurées</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Expected L %1, a %2, b %3</source>
        <translation>Attendu&#xa0;: L %1, a %2, b %3</translation>
    </message>
    <message>
        <source>Manual entry</source>
        <translation>Saisie manuelle</translation>
    </message>
    <message>
        <source>Simulated instrument</source>
        <translation>Instrument simulé</translation>
    </message>
    <message>
        <source>Argyll spotread</source>
        <translation>Argyll spotread</translation>
    </message>
    <message>
        <source>Printer profile...</source>
        <translation>Profil d&apos;imprimante...</translation>
    </message>
    <message>
        <source>No profile</source>
        <translation>Aucun profil</translation>
    </message>
    <message>
        <source>CIE 1976 difference added to every reading</source>
        <translation>Écart CIE 1976 ajouté à chaque mesure</translation>
    </message>
    <message>
        <source>Difference:</source>
        <translation>Écart&#xa0;:</translation>
    </message>
    <message>
        <source>Seed:</source>
        <translation>Graine&#xa0;:</translation>
    </message>
    <message>
        <source>C:</source>
        <translation>C&#xa0;:</translation>
    </message>
    <message>
        <source>M:</source>
        <translation>M&#xa0;:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>J&#xa0;:</translation>
    </message>
    <message>
        <source>K:</source>
        <translation>N&#xa0;:</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Redémarrer</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Programme&#xa0;:</translation>
    </message>
    <message>
        <source>Choose a printer profile</source>
        <translation>Choisir un profil d&apos;imprimante</translation>
    </message>
    <message>
        <source>%1 is not a CMYK printer profile</source>
        <translation>%1 n&apos;est pas un profil d&apos;imprimante CMJN</translation>
    </message>
    <message>
        <source>Instrument</source>
        <translation>Instrument</translation>
    </message>
</context>
<context>
    <name>KxGamutView</name>
    <message>
        <source>No profile chosen</source>
        <translation>Aucun profil choisi</translation>
    </message>
    <message>
        <source>OpenGL cannot draw the gamut here</source>
        <translation>OpenGL ne peut pas afficher le gamut ici</translation>
    </message>
    <message>
        <source>The profile cannot be read</source>
        <translation>Le profil est illisible</translation>
    </message>
    <message>
        <source>Only RGB and CMYK profiles have a gamut to show</source>
        <translation>Seuls les profils RVB et CMJN ont un gamut à afficher</translation>
    </message>
    <message>
        <source>The profile gives no Lab colours</source>
        <translation>Le profil ne fournit aucune couleur Lab</translation>
    </message>
    <message>
        <source>There is no gamut to compare with</source>
        <translation>Il n&apos;y a aucun gamut à comparer</translation>
    </message>
    <message>
        <source>%1: %2 cubic Lab units</source>
        <translation>%1 : %2 unités Lab cubiques</translation>
    </message>
    <message>
        <source>%1 (wire frame): %2 cubic Lab units</source>
        <translation>%1 (fil de fer) : %2 unités Lab cubiques</translation>
    </message>
    <message>
        <source>%1 % of %2 lies inside %3</source>
        <translation>%1 % de %2 se trouvent dans %3</translation>
    </message>
    <message>
        <source>L %1, a %2, b %3 lies inside %4</source>
        <translation>L %1, a %2, b %3 se trouve dans %4</translation>
    </message>
    <message>
        <source>L %1, a %2, b %3 lies outside %4</source>
        <translation>L %1, a %2, b %3 se trouve hors de %4</translation>
    </message>
    <message>
        <source>%1 with %2 as wire frame</source>
        <translation>%1 avec %2 en fil de fer</translation>
    </message>
    <message>
        <source>Compare with profile...</source>
        <translation>Comparer avec un profil...</translation>
    </message>
    <message>
        <source>Remove comparison</source>
        <translation>Retirer la comparaison</translation>
    </message>
    <message>
        <source>Show colour...</source>
        <translation>Afficher une couleur...</translation>
    </message>
    <message>
        <source>Choose an ICC profile to compare with</source>
        <translation>Choisir un profil ICC à comparer</translation>
    </message>
    <message>
        <source>Compare with profile</source>
        <translation>Comparer avec un profil</translation>
    </message>
    <message>
        <source>Show colour</source>
        <translation>Afficher une couleur</translation>
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
        <translation>Projet</translation>
    </message>
    <message>
        <source>New Window</source>
        <translation>Nouvelle fenêtre</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Tout réinitialiser</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Outils</translation>
    </message>
    <message>
        <source>Colour chart from ICC profile</source>
        <translation>Mire de couleurs d&apos;après un profil ICC</translation>
    </message>
    <message>
        <source>Colour chart from file</source>
        <translation>Mire de couleurs d&apos;après un fichier</translation>
    </message>
    <message>
        <source>Display gamut</source>
        <translation>Afficher le gamut</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>What&apos;s &amp;This</source>
        <translation>&amp;Qu&apos;est-ce que c&apos;est&#xa0;?</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Language Changed</source>
        <translation>Langue modifiée</translation>
    </message>
    <message>
        <source>You must restart Tintora
for the changes to take effect</source>
        <translation>Vous devez redémarrer Tintora
pour que la modification prenne effet</translation>
    </message>
    <message>
        <source>New profiling chart...</source>
        <translation>Nouvelle mire de profilage...</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Language failed</source>
        <translation>Échec du chargement de la langue</translation>
    </message>
    <message>
        <source>Failed to load the requested language
Using the built-in default language</source>
        <translation>Impossible de charger la langue demandée
Utilisation de la langue intégrée par défaut</translation>
    </message>
    <message>
        <source>Bad ICC profile</source>
        <translation>Profil ICC incorrect</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is either corrupt or invalid.
 Please choose a different one</source>
        <translation>Le profil ICC sélectionné est endommagé ou non valide.
 Veuillez en choisir un autre</translation>
    </message>
    <message>
        <source>Invalid input ICC profile</source>
        <translation>Profil ICC d&apos;entrée non valide</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is of the wrong type.
Valid input profiles are montitor, scanner or printer profiles
that are either RGB or CMYK</source>
        <translation>Le profil ICC sélectionné n&apos;est pas du bon type.
Les profils d&apos;entrée valides sont les profils d&apos;écran, de scanner ou d&apos;imprimante
en RVB ou en CMJN</translation>
    </message>
    <message>
        <source>Invalid output ICC profile</source>
        <translation>Profil ICC de sortie non valide</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is of the wrong type.
Valid output profiles are montitor, or printer profiles
that are either RGB or CMYK</source>
        <translation>Le profil ICC sélectionné n&apos;est pas du bon type.
Les profils de sortie valides sont les profils d&apos;écran ou d&apos;imprimante
en RVB ou en CMJN</translation>
    </message>
    <message>
        <source>Invalid monitor ICC profile</source>
        <translation>Profil ICC d&apos;écran non valide</translation>
    </message>
    <message>
        <source>The ICC profile you have selected is of the wrong type.
Please select an ICC profile of type monitor</source>
        <translation>Le profil ICC sélectionné n&apos;est pas du bon type.
Veuillez choisir un profil ICC de type écran</translation>
    </message>
    <message>
        <source>CMS init failed</source>
        <translation>Échec de l&apos;initialisation du CMS</translation>
    </message>
    <message>
        <source>The initialisation of the CMS for the monitor failed
Either ran out of memory or some of the profiles have been deleted</source>
        <translation>L&apos;initialisation du CMS pour l&apos;écran a échoué
La mémoire est insuffisante ou certains profils ont été supprimés</translation>
    </message>
    <message>
        <source>The initialisation of the CMS failed
Either ran out of memory or some of the profiles have been deleted</source>
        <translation>L&apos;initialisation du CMS a échoué
La mémoire est insuffisante ou certains profils ont été supprimés</translation>
    </message>
</context>
<context>
    <name>SimulatedInstrument</name>
    <message>
        <source>Choose a printer profile for the simulated instrument</source>
        <translation>Choisir un profil d&apos;imprimante pour l&apos;instrument simulé</translation>
    </message>
</context>
<context>
    <name>SpotreadDriver</name>
    <message>
        <source>No answer from spotread: is an instrument connected and switched on?</source>
        <translation>Pas de réponse de spotread&#xa0;: un instrument est-il branché et allumé&#xa0;?</translation>
    </message>
    <message>
        <source>spotread stopped unexpectedly</source>
        <translation>spotread s&apos;est arrêté de façon inattendue</translation>
    </message>
    <message>
        <source>spotread ended (exit code %1)</source>
        <translation>spotread terminé (code de sortie %1)</translation>
    </message>
    <message>
        <source>Cannot run %1: %2</source>
        <translation>Impossible d&apos;exécuter %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot open a terminal for spotread: %1</source>
        <translation>Impossible d&apos;ouvrir un terminal pour spotread&#xa0;: %1</translation>
    </message>
    <message>
        <source>Starting spotread; press Read when it asks for a measurement</source>
        <translation>Démarrage de spotread&#xa0;; appuyez sur Mesurer quand une mesure est demandée</translation>
    </message>
</context>
<context>
    <name>Tintora</name>
    <message>
        <source>Perceptual</source>
        <translation>Perceptuelle</translation>
    </message>
    <message>
        <source>Relative Colourimetric</source>
        <translation>Colorimétrie relative</translation>
    </message>
    <message>
        <source>Absolute Colourimetric</source>
        <translation>Colorimétrie absolue</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Maximale</translation>
    </message>
    <message>
        <source>Choose an ICC profile for Gamut viewing</source>
        <translation>Choisir un profil ICC pour afficher son gamut</translation>
    </message>
    <message>
        <source>Choose an input ICC profile</source>
        <translation>Choisir un profil ICC d&apos;entrée</translation>
    </message>
    <message>
        <source>Choose an output ICC profile</source>
        <translation>Choisir un profil ICC de sortie</translation>
    </message>
    <message>
        <source>Choose a monitor ICC profile</source>
        <translation>Choisir un profil ICC d&apos;écran</translation>
    </message>
    <message>
        <source>Please pick a monitor profile&lt;br&gt;to see a preview of the colours</source>
        <translation>Veuillez choisir un profil d&apos;écran&lt;br&gt;pour voir un aperçu des couleurs</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Display gamut</source>
        <translation>Afficher le gamut</translation>
    </message>
    <message>
        <source>Gamut ΔE: how far the output profile&apos;s relative colorimetric conversion moves the colour (CIE 1976). From %1 on, the output cannot make the colour. It does not depend on the chosen rendering intent or accuracy.</source>
        <translation>ΔE de gamut : l&apos;écart dont la conversion colorimétrique relative du profil de sortie déplace la couleur (CIE 1976). À partir de %1, la sortie ne peut pas produire la couleur. Il ne dépend ni du rendu ni de la précision choisis.</translation>
    </message>
    <message>
        <source>Gamut ΔE %1 out of gamut</source>
        <translation>ΔE de gamut %1 hors gamut</translation>
    </message>
    <message>
        <source>Gamut ΔE %1</source>
        <translation>ΔE de gamut %1</translation>
    </message>
    <message>
        <source>Proof colours</source>
        <translation>Couleurs d&apos;épreuve</translation>
    </message>
    <message>
        <source>The input colour</source>
        <translation>La couleur d&apos;entrée</translation>
    </message>
    <message>
        <source>No proof: the output profile cannot be shown on this monitor profile</source>
        <translation>Pas d&apos;épreuve : le profil de sortie ne peut pas être affiché avec ce profil de moniteur</translation>
    </message>
    <message>
        <source>Proof: as printed</source>
        <translation>Épreuve : comme imprimé</translation>
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
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Shows a list of colours you have selected to keep. To preview a colour just select it from the pulldown list</source>
        <translation>Affiche la liste des couleurs que vous avez conservées. Pour afficher l&apos;aperçu d&apos;une couleur, il suffit de la choisir dans la liste déroulante</translation>
    </message>
    <message>
        <source>This is the colour preview area. Select a monitor icc profile and then you can see how the colour looks. The printed result should look just like the monitor preview</source>
        <translation>Voici la zone d&apos;aperçu de la couleur. Choisissez un profil ICC d&apos;écran pour voir l&apos;aspect de la couleur. Le résultat imprimé doit correspondre exactement à l&apos;aperçu à l&apos;écran</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Conserver</translation>
    </message>
    <message>
        <source>Allows you to keep the colour currently being previewed so that it can be reviewed again later</source>
        <translation>Conserve la couleur affichée dans l&apos;aperçu afin de pouvoir la revoir plus tard</translation>
    </message>
    <message>
        <source>Select Input ICC ...</source>
        <translation>Choisir le profil d&apos;entrée ...</translation>
    </message>
    <message>
        <source>Allows selection of an input profile. Supported profiles are Display(monitor), Input (scanner) and Ouput (printer) which are either RGB or CMYK.
The input profile determines whether the input box will display either RGB or CMYK values.</source>
        <translation>Permet de choisir un profil d&apos;entrée. Les profils acceptés sont les profils d&apos;affichage (écran), d&apos;entrée (scanner) et de sortie (imprimante), en RVB ou en CMJN.
Le profil d&apos;entrée détermine si la zone d&apos;entrée affiche des valeurs RVB ou CMJN.</translation>
    </message>
    <message>
        <source>Select Monitor ICC ...</source>
        <translation>Choisir le profil d&apos;écran ...</translation>
    </message>
    <message>
        <source>Allows selection of a monitor profile. Selecting the correct profile for your display allows accurate previewing of the input colour</source>
        <translation>Permet de choisir un profil d&apos;écran. Avec le profil correct de votre écran, l&apos;aperçu de la couleur d&apos;entrée est fidèle</translation>
    </message>
    <message>
        <source>Select Output ICC ...</source>
        <translation>Choisir le profil de sortie ...</translation>
    </message>
    <message>
        <source>Allows selection of an output profile. Supported profiles are Display(monitor) and Ouput (printer) which are either RGB or CMYK.
The ouput profile determines whether the output box will display either RGB or CMYK values.</source>
        <translation>Permet de choisir un profil de sortie. Les profils acceptés sont les profils d&apos;affichage (écran) et de sortie (imprimante), en RVB ou en CMJN.
Le profil de sortie détermine si la zone de sortie affiche des valeurs RVB ou CMJN.</translation>
    </message>
    <message>
        <source>Long_long_long_long_long_name.icc</source>
        <translation>Long_long_long_long_long_name.icc</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>&lt;b&gt;R:&lt;/b&gt;</source>
        <translation>&lt;b&gt;R&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;G:&lt;/b&gt;</source>
        <translation>&lt;b&gt;V&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;B:&lt;/b&gt;</source>
        <translation>&lt;b&gt;B&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;C:&lt;/b&gt;</source>
        <translation>&lt;b&gt;C&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The cyan value to convert</source>
        <translation>La valeur de cyan à convertir</translation>
    </message>
    <message>
        <source>&lt;b&gt;M:&lt;/b&gt;</source>
        <translation>&lt;b&gt;M&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The magenta value to convert</source>
        <translation>La valeur de magenta à convertir</translation>
    </message>
    <message>
        <source>&lt;b&gt;Y:&lt;/b&gt;</source>
        <translation>&lt;b&gt;J&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The yellow value to convert</source>
        <translation>La valeur de jaune à convertir</translation>
    </message>
    <message>
        <source>&lt;b&gt;K:&lt;/b&gt;</source>
        <translation>&lt;b&gt;N&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>The black value to convert</source>
        <translation>La valeur de noir à convertir</translation>
    </message>
    <message>
        <source>Enable instrument</source>
        <translation>Activer l&apos;instrument</translation>
    </message>
    <message>
        <source>Lab Input</source>
        <translation>Entrée Lab</translation>
    </message>
    <message>
        <source>&lt;b&gt;L:&lt;/b&gt;</source>
        <translation>&lt;b&gt;L&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;a:&lt;/b&gt;</source>
        <translation>&lt;b&gt;a&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;b:&lt;/b&gt;</source>
        <translation>&lt;b&gt;b&#xa0;:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>The converted red value</source>
        <translation>La valeur de rouge convertie</translation>
    </message>
    <message>
        <source>The converted green value</source>
        <translation>La valeur de vert convertie</translation>
    </message>
    <message>
        <source>The converted blue value</source>
        <translation>La valeur de bleu convertie</translation>
    </message>
    <message>
        <source>The converted cyan value</source>
        <translation>La valeur de cyan convertie</translation>
    </message>
    <message>
        <source>The converted magenta value</source>
        <translation>La valeur de magenta convertie</translation>
    </message>
    <message>
        <source>The converted yellow value</source>
        <translation>La valeur de jaune convertie</translation>
    </message>
    <message>
        <source>The converted black value</source>
        <translation>La valeur de noir convertie</translation>
    </message>
    <message>
        <source>The L value of the input colour as measured under a  D50 illuminant</source>
        <translation>La valeur L de la couleur d&apos;entrée, mesurée sous l&apos;illuminant D50</translation>
    </message>
    <message>
        <source>The a value of the input colour as measured under a  D50 illuminant</source>
        <translation>La valeur a de la couleur d&apos;entrée, mesurée sous l&apos;illuminant D50</translation>
    </message>
    <message>
        <source>The b value of the input colour as measured under a  D50 illuminant</source>
        <translation>La valeur b de la couleur d&apos;entrée, mesurée sous l&apos;illuminant D50</translation>
    </message>
    <message>
        <source>value</source>
        <translation>valeur</translation>
    </message>
    <message>
        <source>D50 (2&amp;#176;)</source>
        <translation>D50 (2&amp;#176;)</translation>
    </message>
    <message>
        <source>Rendering Intent:</source>
        <translation>Intention de rendu&#xa0;:</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Perceptuelle</translation>
    </message>
    <message>
        <source>Colorimetric</source>
        <translation>Colorimétrie</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Absolute Colorimetric</source>
        <translation>Colorimétrie absolue</translation>
    </message>
    <message>
        <source>Selects the rendering intent to use when converting from input to output</source>
        <translation>Choisit l&apos;intention de rendu utilisée pour la conversion de l&apos;entrée vers la sortie</translation>
    </message>
    <message>
        <source>Interpolation Accuracy:</source>
        <translation>Précision d&apos;interpolation&#xa0;:</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Plus rapide</translation>
    </message>
    <message>
        <source>Better</source>
        <translation>Plus précise</translation>
    </message>
    <message>
        <source>Kept colours</source>
        <translation>Couleurs conservées</translation>
    </message>
    <message>
        <source>Spectrophotometer</source>
        <translation>Spectrophotomètre</translation>
    </message>
</context>
</TS>
