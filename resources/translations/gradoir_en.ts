<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>HelpDialog</name>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Gradoir</source>
        <translation>Gradoir</translation>
    </message>
    <message>
        <source>(Juin 2004)</source>
        <translation>(June 2004)</translation>
    </message>
    <message>
        <source>Logiciel éducatif
© l&apos;équipe Gradoir</source>
        <translation>Educational software
© the Gradoir team</translation>
    </message>
    <message>
        <source>Ce logiciel utilise les composants (freeware) suivants :</source>
        <translation>This software uses the following (freeware) components:</translation>
    </message>
    <message>
        <source>Qt 6 .............</source>
        <translation>Qt 6 .............</translation>
    </message>
    <message>
        <source>Pictogrammes</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>L&apos;équipe Gradoir</source>
        <translation>The Gradoir team</translation>
    </message>
    <message>
        <source>et la (remarquable) bibliothèque graphique :</source>
        <translation>and the (remarkable) graphics library:</translation>
    </message>
    <message>
        <source>Raster ...........</source>
        <translation>Raster ...........</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Gradoir</source>
        <translation>Gradoir</translation>
    </message>
    <message>
        <source>Boîte à outils</source>
        <translation>Toolbox</translation>
    </message>
    <message>
        <source>Réponse</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Vérifier</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Suite</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Afficher/Masquer le gradoir</source>
        <translation>Show/Hide the protractor</translation>
    </message>
    <message>
        <source>Centrer le gradoir</source>
        <translation>Centre the protractor</translation>
    </message>
    <message>
        <source>Déplacement / Rotation du gradoir</source>
        <translation>Move / Turn the protractor</translation>
    </message>
    <message>
        <source>Crayon</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>&amp;Exercice</source>
        <translation>&amp;Exercise</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Mesurer un angle</source>
        <translation>&amp;Measure an angle</translation>
    </message>
    <message>
        <source>&amp;Tracer un angle</source>
        <translation>&amp;Draw an angle</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>A&amp;ide Gradoir</source>
        <translation>Gradoir &amp;Help</translation>
    </message>
    <message>
        <source>&amp;A propos ...</source>
        <translation>&amp;About ...</translation>
    </message>
    <message>
        <source>Mon &amp;parcours</source>
        <translation>My &amp;path</translation>
    </message>
</context>
<context>
    <name>TeacherView</name>
    <message>
        <source>Gradoir - Résultats</source>
        <translation>Gradoir - Results</translation>
    </message>
    <message>
        <source>Élève :</source>
        <translation>Pupil:</translation>
    </message>
    <message>
        <source>Depuis le</source>
        <translation>From</translation>
    </message>
    <message>
        <source>jusqu&apos;au</source>
        <translation>until</translation>
    </message>
    <message>
        <source>Élève</source>
        <translation>Pupil</translation>
    </message>
    <message>
        <source>Exercice</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Début</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Fin</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Explications données :</source>
        <translation>Explanations given:</translation>
    </message>
    <message>
        <source>Explication</source>
        <translation>Explanation</translation>
    </message>
    <message>
        <source>Nombre</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Exporter en CSV...</source>
        <translation>Export as CSV...</translation>
    </message>
    <message>
        <source>Classe</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>tendance</source>
        <translation>trend</translation>
    </message>
    <message>
        <source>erreur fréquente</source>
        <translation>frequent mistake</translation>
    </message>
    <message>
        <source>Choisissez un élève (liste « Élève » ou double-clic dans la classe).</source>
        <translation>Choose a pupil (the “Pupil” list, or a double-click in the class).</translation>
    </message>
    <message>
        <source>Niveau</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Séries</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Imprimer...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Enregistrer en PDF...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>Fiche d&apos;exercices...</source>
        <translation>Worksheet...</translation>
    </message>
    <message>
        <source>Exporter les séries...</source>
        <translation>Export the series...</translation>
    </message>
    <message>
        <source>Mesurer :
séries</source>
        <translation>Measuring:
series</translation>
    </message>
    <message>
        <source>dernier
score</source>
        <translation>last
score</translation>
    </message>
    <message>
        <source>parcours</source>
        <translation>path</translation>
    </message>
    <message>
        <source>Tracer :
séries</source>
        <translation>Drawing:
series</translation>
    </message>
    <message>
        <source>Dernière
activité</source>
        <translation>Last
activity</translation>
    </message>
</context>
<context>
    <name>gradoir</name>
    <message>
        <source>Mesurer</source>
        <translation>Measuring</translation>
    </message>
    <message>
        <source>Tracer</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>Aucune série</source>
        <translation>No series</translation>
    </message>
    <message>
        <source>Aucune erreur</source>
        <translation>No mistakes</translation>
    </message>
    <message>
        <source>%1 juste sur %2 faits</source>
        <translation>%1 right of %2 played</translation>
    </message>
    <message>
        <source>%1 justes sur %2 faits</source>
        <translation>%1 right of %2 played</translation>
    </message>
    <message>
        <source>inachevée : %1, %2 prévus</source>
        <translation>unfinished: %1, %2 planned</translation>
    </message>
    <message>
        <source>Résultats de la classe</source>
        <translation>Class results</translation>
    </message>
    <message>
        <source>Élève</source>
        <translation>Pupil</translation>
    </message>
    <message>
        <source>Mesurer : séries</source>
        <translation>Measuring: series</translation>
    </message>
    <message>
        <source>dernier score</source>
        <translation>last score</translation>
    </message>
    <message>
        <source>tendance</source>
        <translation>trend</translation>
    </message>
    <message>
        <source>Tracer : séries</source>
        <translation>Drawing: series</translation>
    </message>
    <message>
        <source>erreur la plus fréquente</source>
        <translation>most frequent mistake</translation>
    </message>
    <message>
        <source>dernière activité</source>
        <translation>last activity</translation>
    </message>
    <message>
        <source>jamais</source>
        <translation>never</translation>
    </message>
    <message>
        <source>%1 séries, %2 exercices justes sur %3 faits.</source>
        <translation>%1 series, %2 exercises right of %3 played.</translation>
    </message>
    <message>
        <source>Score de chaque série</source>
        <translation>Score of each series</translation>
    </message>
    <message>
        <source>Erreurs</source>
        <translation>Mistakes</translation>
    </message>
    <message>
        <source>Conseil</source>
        <translation>Advice</translation>
    </message>
    <message>
        <source>Séries</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Début</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Exercice</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Résultats Gradoir</source>
        <translation>Gradoir results</translation>
    </message>
    <message>
        <source>Nom : ................................   Date : ................</source>
        <translation>Name: ................................   Date: ................</translation>
    </message>
    <message>
        <source>Graine %1 : gradoir --fiche %2 %3 fiche.pdf --graine %1   —   page %4 sur %5</source>
        <translation>Seed %1: gradoir --fiche %2 %3 fiche.pdf --graine %1   —   page %4 of %5</translation>
    </message>
    <message>
        <source>%1. Trace un angle de %2° à partir de ce côté.</source>
        <translation>%1. Draw an angle of %2° from this side.</translation>
    </message>
    <message>
        <source>Mesure : ................ °</source>
        <translation>Measure: ................ °</translation>
    </message>
    <message>
        <source>Fiche d&apos;exercices Gradoir</source>
        <translation>Gradoir worksheet</translation>
    </message>
    <message>
        <source>Mesure chaque angle avec ton rapporteur.</source>
        <translation>Measure each angle with your protractor.</translation>
    </message>
    <message>
        <source>Trace chaque angle avec ton rapporteur.</source>
        <translation>Draw each angle with your protractor.</translation>
    </message>
    <message>
        <source>Corrigé</source>
        <translation>Answer key</translation>
    </message>
</context>
<context>
    <name>gradoir::ClassList</name>
    <message>
        <source>%1 n&apos;est pas un fichier texte : les %2 noms qui en sont lus sont sans doute faux.</source>
        <translation>%1 is not a text file: the %2 names read from it are probably wrong.</translation>
    </message>
    <message>
        <source>%1 dépasse 1 Mio : seules ses premières lignes sont lues.</source>
        <translation>%1 is larger than 1 MiB: only its first lines are read.</translation>
    </message>
    <message>
        <source>%1 donne %2 noms : seuls les %3 premiers sont gardés.</source>
        <translation>%1 gives %2 names: only the first %3 are kept.</translation>
    </message>
</context>
<context>
    <name>gradoir::CommandLine</name>
    <message>
        <source>Export impossible : %1</source>
        <translation>Export failed: %1</translation>
    </message>
    <message>
        <source>Attention : [Resultats] Eleves : %1</source>
        <translation>Warning: [Resultats] Eleves: %1</translation>
    </message>
    <message>
        <source>Gradoir : les deux rôles d&apos;une salle informatique et les tables des résultats.</source>
        <translation>Gradoir: the two roles of a computer room and the results tables.</translation>
    </message>
    <message>
        <source>À faire lancer une fois par l&apos;administrateur du serveur, dans la base de la classe :</source>
        <translation>To be run once by the server&apos;s administrator, in the class&apos;s database:</translation>
    </message>
    <message>
        <source>  gradoir --server-setup &gt; salle.sql</source>
        <translation>  gradoir --server-setup &gt; room.sql</translation>
    </message>
    <message>
        <source>  sudo -u postgres psql -d %1 -f salle.sql</source>
        <translation>  sudo -u postgres psql -d %1 -f room.sql</translation>
    </message>
    <message>
        <source>Puis, dans /etc/gradoir/Grado.ini de chaque poste, section [Resultats] :</source>
        <translation>Then, in /etc/gradoir/Grado.ini of every computer, section [Resultats]:</translation>
    </message>
    <message>
        <source>et, dans le fichier ~/.pgpass du professeur (chmod 600), son mot de passe :</source>
        <translation>and, in the teacher&apos;s ~/.pgpass file (chmod 600), the teacher&apos;s password:</translation>
    </message>
    <message>
        <source>Les élèves ne peuvent qu&apos;ajouter des résultats ; le professeur peut tous les lire.</source>
        <translation>Pupils can only add results; the teacher can read them all.</translation>
    </message>
    <message>
        <source>Affiche cette aide.</source>
        <translation>Shows this help.</translation>
    </message>
    <message>
        <source>Affiche la version.</source>
        <translation>Shows the version.</translation>
    </message>
    <message>
        <source>Affiche chaque réglage de Grado.ini tel que lu et signale ce qui ne l&apos;est pas.</source>
        <translation>Prints each setting of Grado.ini as read and reports what cannot be read.</translation>
    </message>
    <message>
        <source>Écrit tous les essais dans FICHIER (CSV).</source>
        <translation>Writes every try to FILE (CSV).</translation>
    </message>
    <message>
        <source>FICHIER</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Écrit toutes les séries dans FICHIER (CSV).</source>
        <translation>Writes every series to FILE (CSV).</translation>
    </message>
    <message>
        <source>Ouvre la fenêtre des résultats de l&apos;enseignant.</source>
        <translation>Opens the teacher&apos;s results window.</translation>
    </message>
    <message>
        <source>Écrit le SQL qui prépare le serveur d&apos;une salle (rôles des élèves et du professeur).</source>
        <translation>Writes the SQL that prepares a computer room&apos;s server (the pupils&apos; and the teacher&apos;s roles).</translation>
    </message>
    <message>
        <source>Écrit une fiche d&apos;exercices à imprimer (mesurer ou tracer), suivie de N et FICHIER.pdf.</source>
        <translation>Writes a worksheet to print (mesurer: measuring, tracer: drawing), followed by N and FILE.pdf.</translation>
    </message>
    <message>
        <source>Graine de la fiche, pour refaire la même (voir son pied de page).</source>
        <translation>The worksheet&apos;s seed, to make the same one again (see its footer).</translation>
    </message>
    <message>
        <source>Gradoir : apprendre à se servir d&apos;un rapporteur.</source>
        <translation>Gradoir: learn to use a protractor.</translation>
    </message>
    <message>
        <source>Avec --fiche : le nombre d&apos;exercices.</source>
        <translation>With --fiche: the number of exercises.</translation>
    </message>
    <message>
        <source>FICHIER.pdf</source>
        <translation>FILE.pdf</translation>
    </message>
    <message>
        <source>Avec --fiche : le fichier à écrire.</source>
        <translation>With --fiche: the file to write.</translation>
    </message>
    <message>
        <source>Usage : gradoir --fiche mesurer|tracer N FICHIER.pdf [--graine N] (N de 1 à %1)</source>
        <translation>Usage: gradoir --fiche mesurer|tracer N FILE.pdf [--graine N] (N from 1 to %1)</translation>
    </message>
    <message>
        <source>Fiche impossible : %1</source>
        <translation>Worksheet failed: %1</translation>
    </message>
    <message>
        <source>Option inconnue : %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>Argument en trop : %1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
</context>
<context>
    <name>gradoir::ExerciseChooser</name>
    <message>
        <source>Choisis un exercice :</source>
        <translation>Choose an exercise:</translation>
    </message>
    <message>
        <source>Mesurer un angle</source>
        <translation>Measure an angle</translation>
    </message>
    <message>
        <source>Tracer un angle</source>
        <translation>Draw an angle</translation>
    </message>
    <message>
        <source>Mon parcours</source>
        <translation>My path</translation>
    </message>
</context>
<context>
    <name>gradoir::Explanation</name>
    <message>
        <source>Un angle tracé ici mesure entre 0° et 180°.</source>
        <translation>An angle drawn here measures between 0° and 180°.</translation>
    </message>
    <message>
        <source>Tu as lu la mauvaise graduation : pars du 0 posé sur un côté de l&apos;angle.</source>
        <translation>You read the wrong scale: start from the 0 lying on a side of the angle.</translation>
    </message>
    <message>
        <source>Pose le centre du rapporteur sur le sommet de l&apos;angle.</source>
        <translation>Put the protractor&apos;s centre on the angle&apos;s vertex.</translation>
    </message>
    <message>
        <source>Pose la ligne du 0 du rapporteur sur un côté de l&apos;angle.</source>
        <translation>Put the protractor&apos;s 0 line on a side of the angle.</translation>
    </message>
    <message>
        <source>Tu y es presque : regarde bien les petites graduations.</source>
        <translation>Almost there: look closely at the small marks.</translation>
    </message>
    <message>
        <source>Cet angle est obtus : sa mesure est plus grande que 90°.</source>
        <translation>This angle is obtuse: it measures more than 90°.</translation>
    </message>
    <message>
        <source>Cet angle est aigu : sa mesure est plus petite que 90°.</source>
        <translation>This angle is acute: it measures less than 90°.</translation>
    </message>
    <message>
        <source>Lis la graduation où passe le second côté, en partant du 0.</source>
        <translation>Read the mark the second side crosses, counting from 0.</translation>
    </message>
    <message>
        <source>Trace le second côté avec le crayon, en partant du sommet.</source>
        <translation>Draw the second side with the pencil, starting at the vertex.</translation>
    </message>
    <message>
        <source>Tu as suivi la mauvaise graduation : pars du 0 posé sur le premier côté.</source>
        <translation>You followed the wrong scale: start from the 0 lying on the first side.</translation>
    </message>
    <message>
        <source>Tu y es presque : vise exactement la graduation %1.</source>
        <translation>Almost there: aim exactly at the %1 mark.</translation>
    </message>
    <message>
        <source>Pose le rapporteur sur le premier côté et trace jusqu&apos;à la graduation %1.</source>
        <translation>Put the protractor on the first side and draw up to the %1 mark.</translation>
    </message>
    <message>
        <source>La bonne mesure était de %1°.</source>
        <translation>The right measure was %1°.</translation>
    </message>
    <message>
        <source>Voici un angle de %1°.</source>
        <translation>Here is an angle of %1°.</translation>
    </message>
</context>
<context>
    <name>gradoir::ExplanationLabel</name>
    <message>
        <source>Explication</source>
        <translation>Explanation</translation>
    </message>
</context>
<context>
    <name>gradoir::ExportTarget</name>
    <message>
        <source>%1 est le fichier des résultats : l&apos;export ne l&apos;écrase pas</source>
        <translation>%1 is the results file: the export does not overwrite it</translation>
    </message>
    <message>
        <source>%1 garde des résultats en attente : l&apos;export ne l&apos;écrase pas</source>
        <translation>%1 holds results waiting to be stored: the export does not overwrite it</translation>
    </message>
    <message>
        <source>%1 est une base de données : l&apos;export ne l&apos;écrase pas</source>
        <translation>%1 is a database: the export does not overwrite it</translation>
    </message>
</context>
<context>
    <name>gradoir::HelpDialog</name>
    <message>
        <source>Gradoir (le logiciel) permet de s&apos;entraîner à l&apos;utilisation du gradoir (l&apos;instrument).</source>
        <translation>Gradoir (the program) lets you practise using a protractor (the instrument).</translation>
    </message>
    <message>
        <source>Deux activités sont proposées : mesurer un angle tracé, tracer un angle de mesure donnée. Les mesures sont tirées au hasard entre %1 et %2°. Trois essais sont possibles par exercice.</source>
        <translation>Two activities are offered: measuring a drawn angle, drawing an angle of a given measure. The measures are random, between %1 and %2°. Three tries are allowed per exercise.</translation>
    </message>
    <message>
        <source>Mon parcours : le programme choisit le niveau. Il passe au niveau suivant après 4 exercices réussis du premier coup parmi les 5 derniers, et revient au niveau d&apos;avant après 3 exercices manqués.</source>
        <translation>My path: the program chooses the level. It moves on to the next level after 4 exercises right at the first try among the last 5, and back to the level before after 3 exercises missed.</translation>
    </message>
    <message>
        <source>Comment faire :</source>
        <translation>How to:</translation>
    </message>
    <message>
        <source>• Tire le rapporteur par son centre pour le déplacer, par un bout de son bord droit pour le tourner.</source>
        <translation>• Drag the protractor by its centre to move it, by an end of its straight edge to turn it.</translation>
    </message>
    <message>
        <source>• Pose son centre sur le sommet et le 0 sur un côté, puis lis la graduation où passe l&apos;autre côté. Tape la mesure et appuie sur Entrée.</source>
        <translation>• Put its centre on the vertex and the 0 on a side, then read the mark the other side crosses. Type the measure and press Enter.</translation>
    </message>
    <message>
        <source>• Pour tracer, prends le crayon et trace le second côté depuis le sommet.</source>
        <translation>• To draw, take the pencil and draw the second side from the vertex.</translation>
    </message>
    <message>
        <source>• Au clavier : les flèches déplacent le rapporteur (Maj : 10 pixels), Page préc. et Page suiv. le tournent d&apos;un degré (Maj : 10). Avec le crayon, les flèches déplacent la croix et Espace trace. Entrée vérifie ou passe à la suite, F1 ouvre cette aide.</source>
        <translation>• By keys: the arrows move the protractor (Shift: 10 pixels), Page Up and Page Down turn it by a degree (Shift: 10). With the pencil, the arrows move the cross-hair and Space draws. Enter checks or goes on, F1 opens this help.</translation>
    </message>
    <message>
        <source>Quelques réglages, via le fichier Grado.ini : nombre d&apos;exercices par série, sommet aimanté, côté horizontal, explications et correction, niveau (pas, intervalle et tolérance des mesures, rapporteur déjà placé, estimation d&apos;abord), liste des élèves et enregistrement des résultats.</source>
        <translation>A few settings, in the file Grado.ini: number of exercises per series, magnetised vertex, horizontal side, explanations and correction, level (step, range and tolerance of the measures, protractor already placed, estimate first), class list and recording of the results.</translation>
    </message>
</context>
<context>
    <name>gradoir::MainWindow</name>
    <message>
        <source>Abandonner la série d&apos;exercices en cours ?</source>
        <translation>Abandon the current series of exercises?</translation>
    </message>
    <message>
        <source>Trace un angle de %1°.</source>
        <translation>Draw an angle of %1°.</translation>
    </message>
    <message>
        <source>Crayon</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>Valeur incorrecte !</source>
        <translation>Incorrect value!</translation>
    </message>
    <message>
        <source>Bonne réponse !</source>
        <translation>Right answer!</translation>
    </message>
    <message>
        <source>Erreur ...</source>
        <translation>Wrong...</translation>
    </message>
    <message>
        <source>La série d&apos;exercices est terminée.</source>
        <translation>The series of exercises is over.</translation>
    </message>
    <message>
        <source>Mesure l&apos;angle tracé :       °</source>
        <extracomment>The answer box covers the blanks: keep the words short and at least two blanks after them.</extracomment>
        <translation>Measure the angle:        °</translation>
    </message>
    <message>
        <source>&amp;Changer d&apos;élève...</source>
        <translation>&amp;Change pupil...</translation>
    </message>
    <message>
        <source>Bonne estimation !</source>
        <translation>Good estimate!</translation>
    </message>
    <message>
        <source>Ton estimation était loin : mesure maintenant.</source>
        <translation>Your estimate was far off: now measure.</translation>
    </message>
    <message>
        <source>Élève : %1</source>
        <translation>Pupil: %1</translation>
    </message>
    <message>
        <source>Bonne réponse ! Ton angle mesure %1°, il fallait %2°.</source>
        <translation>Right answer! Your angle measures %1°, %2° was asked.</translation>
    </message>
    <message>
        <source>Bonne réponse ! La mesure exacte est %1°.</source>
        <translation>Right answer! The exact measure is %1°.</translation>
    </message>
    <message>
        <source>Estimation :       °</source>
        <extracomment>The answer box covers the blanks: keep the words short and at least two blanks after them.</extracomment>
        <translation>Estimate:        °</translation>
    </message>
    <message>
        <source>Estime la mesure de l&apos;angle, sans le rapporteur, puis tape-la.</source>
        <translation>Estimate the angle&apos;s measure without the protractor, then type it.</translation>
    </message>
</context>
<context>
    <name>gradoir::MessageBoxes</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>&amp;Oui</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Non</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>gradoir::MistakeChart</name>
    <message>
        <source>Erreurs par sorte</source>
        <translation>Mistakes by kind</translation>
    </message>
</context>
<context>
    <name>gradoir::MistakeWords</name>
    <message>
        <source>Centre hors du sommet</source>
        <translation>Centre off the vertex</translation>
    </message>
    <message>
        <source>Avant de lire, vérifier que le centre du rapporteur est exactement sur le sommet.</source>
        <translation>Before reading, check that the protractor&apos;s centre lies exactly on the vertex.</translation>
    </message>
    <message>
        <source>Mauvaise graduation</source>
        <translation>Wrong scale</translation>
    </message>
    <message>
        <source>Repérer d&apos;abord le 0 posé sur un côté, puis suivre cette graduation-là jusqu&apos;au bout.</source>
        <translation>First find the 0 lying on a side, then follow that scale all the way.</translation>
    </message>
    <message>
        <source>Ligne du 0 hors du côté</source>
        <translation>0 line off the side</translation>
    </message>
    <message>
        <source>Aligner la ligne du 0 sur un côté de l&apos;angle avant de lire.</source>
        <translation>Line up the 0 line with a side of the angle before reading.</translation>
    </message>
    <message>
        <source>À deux degrés près</source>
        <translation>Within two degrees</translation>
    </message>
    <message>
        <source>Lire lentement les petites graduations, degré par degré.</source>
        <translation>Read the small marks slowly, degree by degree.</translation>
    </message>
    <message>
        <source>Obtus pris pour aigu</source>
        <translation>Obtuse taken for acute</translation>
    </message>
    <message>
        <source>Se demander d&apos;abord si l&apos;angle est aigu ou obtus : un angle obtus mesure plus de 90°.</source>
        <translation>First ask whether the angle is acute or obtuse: an obtuse angle measures more than 90°.</translation>
    </message>
    <message>
        <source>Aigu pris pour obtus</source>
        <translation>Acute taken for obtuse</translation>
    </message>
    <message>
        <source>Se demander d&apos;abord si l&apos;angle est aigu ou obtus : un angle aigu mesure moins de 90°.</source>
        <translation>First ask whether the angle is acute or obtuse: an acute angle measures less than 90°.</translation>
    </message>
    <message>
        <source>Lecture sans partir du 0</source>
        <translation>Not read from 0</translation>
    </message>
    <message>
        <source>Partir du 0 et suivre les graduations jusqu&apos;au second côté.</source>
        <translation>Start from 0 and follow the marks up to the second side.</translation>
    </message>
    <message>
        <source>Mesure au-delà de 180°</source>
        <translation>Measure beyond 180°</translation>
    </message>
    <message>
        <source>Se rappeler qu&apos;un angle mesure ici entre 0° et 180°.</source>
        <translation>Remember that an angle here measures between 0° and 180°.</translation>
    </message>
    <message>
        <source>Second côté non tracé</source>
        <translation>Second side not drawn</translation>
    </message>
    <message>
        <source>Tracer le second côté depuis le sommet avant de valider.</source>
        <translation>Draw the second side from the vertex before checking.</translation>
    </message>
    <message>
        <source>Tracé loin de la graduation</source>
        <translation>Drawn away from the mark</translation>
    </message>
    <message>
        <source>Poser le rapporteur sur le premier côté, marquer la graduation, puis tracer depuis le sommet.</source>
        <translation>Lay the protractor on the first side, mark the graduation, then draw from the vertex.</translation>
    </message>
    <message>
        <source>Correction montrée</source>
        <translation>Correction shown</translation>
    </message>
    <message>
        <source>Refaire avec le rapporteur les angles que la correction a montrés.</source>
        <translation>Redo with the protractor the angles the correction showed.</translation>
    </message>
</context>
<context>
    <name>gradoir::PostgresAddress</name>
    <message>
        <source>le crochet « [ » du nom du serveur n&apos;est pas refermé</source>
        <translation>the &quot;[&quot; of the server name is not closed</translation>
    </message>
    <message>
        <source>le port « %1 » n&apos;est pas un nombre</source>
        <translation>the port &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>le port doit être un nombre de 1 à 65535</source>
        <translation>the port must be a number from 1 to 65535</translation>
    </message>
    <message>
        <source>l&apos;adresse est mal formée</source>
        <translation>the address is malformed</translation>
    </message>
    <message>
        <source>ce n&apos;est pas une adresse postgresql://</source>
        <translation>it is not a postgresql:// address</translation>
    </message>
    <message>
        <source>le nom ou le mot de passe contient une arobase non codée : écrivez-la %40</source>
        <translation>the name or the password holds a raw at sign: write it %40</translation>
    </message>
    <message>
        <source>le nom de la base manque (…/nom_de_la_base)</source>
        <translation>the database name is missing (…/database_name)</translation>
    </message>
    <message>
        <source>le nom de la base ne peut contenir « / »</source>
        <translation>the database name cannot contain &quot;/&quot;</translation>
    </message>
</context>
<context>
    <name>gradoir::PupilChooser</name>
    <message>
        <source>Élève</source>
        <translation>Pupil</translation>
    </message>
    <message>
        <source>Choisis ton nom :</source>
        <translation>Choose your name:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>gradoir::PupilPath</name>
    <message>
        <source>le rapporteur est déjà posé, des mesures de 10 en 10 degrés.</source>
        <translation>the protractor is already laid, measures in steps of 10 degrees.</translation>
    </message>
    <message>
        <source>tu poses le rapporteur toi-même, des mesures de 10 en 10 degrés.</source>
        <translation>you lay the protractor yourself, measures in steps of 10 degrees.</translation>
    </message>
    <message>
        <source>des mesures de 5 en 5 degrés.</source>
        <translation>measures in steps of 5 degrees.</translation>
    </message>
    <message>
        <source>des mesures au degré près.</source>
        <translation>measures to the nearest degree.</translation>
    </message>
    <message>
        <source>estime d&apos;abord, puis mesure au degré près.</source>
        <translation>estimate first, then measure to the nearest degree.</translation>
    </message>
    <message>
        <source>le rapporteur est posé sur le sommet, des angles de 10 en 10 degrés.</source>
        <translation>the protractor is laid on the vertex, angles in steps of 10 degrees.</translation>
    </message>
    <message>
        <source>tu poses le rapporteur toi-même, des angles de 10 en 10 degrés.</source>
        <translation>you lay the protractor yourself, angles in steps of 10 degrees.</translation>
    </message>
    <message>
        <source>des angles de 5 en 5 degrés.</source>
        <translation>angles in steps of 5 degrees.</translation>
    </message>
    <message>
        <source>des angles au degré près.</source>
        <translation>angles to the nearest degree.</translation>
    </message>
    <message>
        <source>Parcours mesure — niveau %1 sur %2</source>
        <translation>Measuring path — level %1 of %2</translation>
    </message>
    <message>
        <source>Parcours tracé — niveau %1 sur %2</source>
        <translation>Drawing path — level %1 of %2</translation>
    </message>
    <message>
        <source>Niveau %1 : %2</source>
        <translation>Level %1: %2</translation>
    </message>
    <message>
        <source>Bravo ! %1</source>
        <translation>Well done! %1</translation>
    </message>
    <message>
        <source>On revient au niveau %1 pour t&apos;entraîner.</source>
        <translation>Back to level %1 for some practice.</translation>
    </message>
</context>
<context>
    <name>gradoir::ResultsReader</name>
    <message>
        <source>Aucun résultat à l&apos;emplacement %1</source>
        <translation>No results at %1</translation>
    </message>
    <message>
        <source>Adresse %1 non reconnue : %2</source>
        <translation>Address %1 not recognised: %2</translation>
    </message>
</context>
<context>
    <name>gradoir::ResultsRecorder</name>
    <message>
        <source>« %1 » n&apos;est ni un fichier ni une adresse postgresql://</source>
        <translation>&quot;%1&quot; is neither a file nor a postgresql:// address</translation>
    </message>
    <message>
        <source>adresse du serveur non reconnue, %1</source>
        <translation>server address not recognised, %1</translation>
    </message>
    <message>
        <source>Les résultats ne sont pas enregistrés : %1.</source>
        <translation>Results are not recorded: %1.</translation>
    </message>
    <message>
        <source>Résultats en attente : %1. Ils seront enregistrés dès que possible.</source>
        <translation>Results waiting: %1. They will be recorded as soon as possible.</translation>
    </message>
    <message>
        <source> Ceux déjà joués sont gardés à côté, en attente.</source>
        <translation> Those already played are kept aside, waiting.</translation>
    </message>
    <message>
        <source>Les résultats ne sont pas envoyés au serveur : %1. Ils restent sur cet ordinateur.</source>
        <translation>Results are not sent to the server: %1. They stay on this computer.</translation>
    </message>
    <message>
        <source>Envoi des résultats en attente : %1</source>
        <translation>Sending of results pending: %1</translation>
    </message>
</context>
<context>
    <name>gradoir::ScoreChart</name>
    <message>
        <source>Score de chaque série</source>
        <translation>Score of each series</translation>
    </message>
</context>
<context>
    <name>gradoir::SeriesController</name>
    <message>
        <source>Ton parcours n&apos;est pas enregistré : il commence au niveau 1.</source>
        <translation>Your path is not recorded: it starts at level 1.</translation>
    </message>
</context>
<context>
    <name>gradoir::SeriesLog</name>
    <message>
        <source>%1 exercice réussi sur %2</source>
        <translation>%1 of %2 exercises right</translation>
    </message>
    <message>
        <source>%1 exercices réussis sur %2</source>
        <translation>%1 of %2 exercises right</translation>
    </message>
    <message>
        <source>N°</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>Réponses</source>
        <translation>Answers</translation>
    </message>
    <message>
        <source>Résultat</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>réussi</source>
        <translation>right</translation>
    </message>
    <message>
        <source>manqué</source>
        <translation>missed</translation>
    </message>
</context>
<context>
    <name>gradoir::SeriesStatus</name>
    <message>
        <source>Exercice %1</source>
        <translation>Exercise %1</translation>
    </message>
    <message>
        <source>Exercice %1 sur %2</source>
        <translation>Exercise %1 of %2</translation>
    </message>
</context>
<context>
    <name>gradoir::SettingsCheck</name>
    <message>
        <source>Attention : [%1] %2=%3 n&apos;est pas un nombre entier, la valeur par défaut est utilisée.</source>
        <translation>Warning: [%1] %2=%3 is not a whole number, the default value is used.</translation>
    </message>
    <message>
        <source>Attention : [Angle] %1=%2 n&apos;est pas permis, %3 est utilisé.</source>
        <translation>Warning: [Angle] %1=%2 is not allowed, %3 is used.</translation>
    </message>
    <message>
        <source>Attention : [Angle] %1=%2 sort de %3..%4, la mesure est ramenée dans cet intervalle.</source>
        <translation>Warning: [Angle] %1=%2 is outside %3..%4, the measure is brought back into that range.</translation>
    </message>
    <message>
        <source>Attention : [Resultats] Eleves=%1 : fichier illisible, les résultats iront au nom de la session.</source>
        <translation>Warning: [Resultats] Eleves=%1: unreadable file, the results will go under the session&apos;s name.</translation>
    </message>
    <message>
        <source>Attention : la section [%1] est inconnue, ses clés sont ignorées (voulez-vous dire [%2] ?).</source>
        <translation>Warning: the section [%1] is unknown, its keys are ignored (did you mean [%2]?).</translation>
    </message>
    <message>
        <source>Attention : [%1] %2 n&apos;est pas lue dans cette section, mais dans [%3].</source>
        <translation>Warning: [%1] %2 is not read in this section, but in [%3].</translation>
    </message>
    <message>
        <source>Attention : [%1] %2=%3 est une clé inconnue, ignorée (voulez-vous dire %4 ?).</source>
        <translation>Warning: [%1] %2=%3 is an unknown key, ignored (did you mean %4?).</translation>
    </message>
    <message>
        <source>Attention : aucun multiple de Pas=%1 entre MesureMin=%2 et MesureMax=%3 : la mesure sera toujours %4.</source>
        <translation>Warning: no multiple of Pas=%1 between MesureMin=%2 and MesureMax=%3: the measure will always be %4.</translation>
    </message>
    <message>
        <source>Note : [%1] %2=%3 est relatif au dossier de Grado.ini (%4) : %5.</source>
        <translation>Note: [%1] %2=%3 is relative to the folder of Grado.ini (%4): %5.</translation>
    </message>
</context>
<context>
    <name>gradoir::SqlConnection</name>
    <message>
        <source>Connexion au serveur impossible</source>
        <translation>Cannot connect to the server</translation>
    </message>
    <message>
        <source>Ouverture de %1 impossible</source>
        <translation>Cannot open %1</translation>
    </message>
    <message>
        <source>Mode WAL refusé pour %1</source>
        <translation>WAL mode refused for %1</translation>
    </message>
    <message>
        <source>Requête refusée</source>
        <translation>Query refused</translation>
    </message>
    <message>
        <source>accès refusé</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>le fichier est occupé par un autre programme</source>
        <translation>the file is held by another program</translation>
    </message>
    <message>
        <source>le fichier ou son dossier est en lecture seule pour ce compte</source>
        <translation>the file or its folder is read-only for this account</translation>
    </message>
    <message>
        <source>erreur de lecture ou d&apos;écriture du disque</source>
        <translation>disk read or write error</translation>
    </message>
    <message>
        <source>le fichier est endommagé</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>le disque est plein</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>le fichier ne peut être ouvert ni créé (dossier absent ou interdit)</source>
        <translation>the file can be neither opened nor created (folder missing or forbidden)</translation>
    </message>
    <message>
        <source>ce fichier n&apos;est pas une base de résultats</source>
        <translation>this file is not a results database</translation>
    </message>
</context>
<context>
    <name>gradoir::StoreCheck</name>
    <message>
        <source>ce n&apos;est pas une base de résultats</source>
        <translation>it is not a results database</translation>
    </message>
    <message>
        <source>le fichier est endommagé (%1)</source>
        <translation>the file is damaged (%1)</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un fichier</source>
        <translation>%1 is not a file</translation>
    </message>
    <message>
        <source>%1 est en lecture seule pour ce compte</source>
        <translation>%1 is read-only for this account</translation>
    </message>
    <message>
        <source>le dossier %1 est en lecture seule pour ce compte</source>
        <translation>the folder %1 is read-only for this account</translation>
    </message>
    <message>
        <source>%1 ne peut être lu : %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>le dossier %1 n&apos;existe pas</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>Attention : [Resultats] %1=%2 : %3 ; les résultats ne seront pas enregistrés.</source>
        <translation>Warning: [Resultats] %1=%2: %3; results will not be recorded.</translation>
    </message>
    <message>
        <source>Attention : [Resultats] Base=%1 : %2 ; les résultats restent sur chaque poste.</source>
        <translation>Warning: [Resultats] Base=%1: %2; results stay on each computer.</translation>
    </message>
    <message>
        <source>ce n&apos;est ni un fichier ni une adresse postgresql://</source>
        <translation>it is neither a file nor a postgresql:// address</translation>
    </message>
    <message>
        <source>Attention : [Resultats] BaseEnseignant=%1 : %2.</source>
        <translation>Warning: [Resultats] BaseEnseignant=%1: %2.</translation>
    </message>
    <message>
        <source>Attention : [Resultats] BaseEnseignant donne un mot de passe dans un fichier que tous peuvent lire : tout élève pourrait lire tous les résultats. Écrivez-le plutôt dans le fichier ~/.pgpass du professeur.</source>
        <translation>Warning: [Resultats] BaseEnseignant gives a password in a file everyone can read: any pupil could read every result. Write it in the teacher&apos;s ~/.pgpass file instead.</translation>
    </message>
</context>
<context>
    <name>gradoir::StoreConnection</name>
    <message>
        <source>Tables du serveur absentes ou d&apos;une version plus ancienne (gradoir --server-setup les crée) : %1</source>
        <translation>Server tables missing or of an older version (gradoir --server-setup creates them): %1</translation>
    </message>
</context>
<context>
    <name>gradoir::TeacherView</name>
    <message>
        <source>Tous les élèves</source>
        <translation>All pupils</translation>
    </message>
    <message>
        <source>Aucun résultat lisible : %1</source>
        <translation>No readable results: %1</translation>
    </message>
    <message>
        <source>Exporter les essais</source>
        <translation>Export the tries</translation>
    </message>
    <message>
        <source>Fichiers CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Exporté : %1</source>
        <translation>Exported: %1</translation>
    </message>
    <message>
        <source>Export impossible : %1</source>
        <translation>Export failed: %1</translation>
    </message>
    <message>
        <source>Mesurer</source>
        <translation>Measuring</translation>
    </message>
    <message>
        <source>Tracer</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>pas %1, de %2° à %3°</source>
        <translation>step %1, from %2° to %3°</translation>
    </message>
    <message>
        <source>tolérance %1°</source>
        <translation>tolerance %1°</translation>
    </message>
    <message>
        <source>rapporteur placé</source>
        <translation>protractor placed</translation>
    </message>
    <message>
        <source>estimation</source>
        <translation>estimate</translation>
    </message>
    <message>
        <source>(en cours)</source>
        <translation>(under way)</translation>
    </message>
    <message>
        <source>Le serveur des résultats ne répond pas encore ; la fenêtre se remplira à sa réponse.</source>
        <translation>The results server is not answering yet; the window will fill in when it does.</translation>
    </message>
    <message>
        <source>Du %1 au %2</source>
        <translation>From %1 to %2</translation>
    </message>
    <message>
        <source>Depuis le %1</source>
        <translation>Since %1</translation>
    </message>
    <message>
        <source>Jusqu&apos;au %1</source>
        <translation>Until %1</translation>
    </message>
    <message>
        <source>Toutes les dates</source>
        <translation>All dates</translation>
    </message>
    <message>
        <source>jamais</source>
        <translation>never</translation>
    </message>
    <message>
        <source>Conseil : %1</source>
        <translation>Advice: %1</translation>
    </message>
    <message>
        <source>%1 — série du %2</source>
        <translation>%1 — series of %2</translation>
    </message>
    <message>
        <source>Exercice</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Cible</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Réponse</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Explication</source>
        <translation>Explanation</translation>
    </message>
    <message>
        <source>Secondes</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>juste</source>
        <translation>right</translation>
    </message>
    <message>
        <source>faux</source>
        <translation>wrong</translation>
    </message>
    <message>
        <source>Enregistrer en PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Enregistré : %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>Enregistrement impossible : %1</source>
        <translation>Saving failed: %1</translation>
    </message>
    <message>
        <source>Exporter les séries</source>
        <translation>Export the series</translation>
    </message>
    <message>
        <source>Fiche d&apos;exercices</source>
        <translation>Worksheet</translation>
    </message>
    <message>
        <source>Mesurer des angles</source>
        <translation>Measuring angles</translation>
    </message>
    <message>
        <source>Tracer des angles</source>
        <translation>Drawing angles</translation>
    </message>
    <message>
        <source>Exercice :</source>
        <translation>Exercise:</translation>
    </message>
    <message>
        <source>Nombre d&apos;angles :</source>
        <translation>Number of angles:</translation>
    </message>
    <message>
        <source>Enregistrer la fiche</source>
        <translation>Save the worksheet</translation>
    </message>
    <message>
        <source>Fiche enregistrée : %1</source>
        <translation>Worksheet saved: %1</translation>
    </message>
    <message>
        <source>Fiche impossible : %1</source>
        <translation>Worksheet failed: %1</translation>
    </message>
</context>
<context>
    <name>gradoir::WindowAccessibility</name>
    <message>
        <source>juste</source>
        <translation>right</translation>
    </message>
    <message>
        <source>faux</source>
        <translation>wrong</translation>
    </message>
    <message>
        <source>pas encore</source>
        <translation>not yet</translation>
    </message>
    <message>
        <source>Essais : %1, %2, %3</source>
        <extracomment>Followed by the state of each of the three tries, separated by commas.</extracomment>
        <translation>Tries: %1, %2, %3</translation>
    </message>
    <message>
        <source>Le rapporteur est caché.</source>
        <translation>The protractor is hidden.</translation>
    </message>
    <message>
        <source>Le rapporteur a son centre en (%1, %2) et est tourné de %3° dans le sens des aiguilles d&apos;une montre.</source>
        <translation>The protractor has its centre at (%1, %2) and is turned %3° clockwise.</translation>
    </message>
    <message>
        <source>Son centre est sur le sommet de l&apos;angle.</source>
        <translation>Its centre is on the angle&apos;s vertex.</translation>
    </message>
    <message>
        <source>Le sommet de l&apos;angle est en (%1, %2).</source>
        <translation>The angle&apos;s vertex is at (%1, %2).</translation>
    </message>
    <message>
        <source>Choisis un exercice dans le menu Exercice.</source>
        <translation>Choose an exercise in the Exercise menu.</translation>
    </message>
    <message>
        <source>Vérifier</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Suite</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Crayon</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>Déplacer et tourner le rapporteur</source>
        <translation>Move and turn the protractor</translation>
    </message>
    <message>
        <source>Afficher ou cacher le rapporteur</source>
        <translation>Show or hide the protractor</translation>
    </message>
    <message>
        <source>Centrer le rapporteur</source>
        <translation>Centre the protractor</translation>
    </message>
    <message>
        <source>Réponse</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Mesure de l&apos;angle en degrés</source>
        <translation>Measure of the angle in degrees</translation>
    </message>
    <message>
        <source>Verdict de l&apos;essai</source>
        <translation>The try&apos;s verdict</translation>
    </message>
    <message>
        <source>Exercices réussis sur exercices faits</source>
        <translation>Exercises right out of exercises done</translation>
    </message>
    <message>
        <source>Un voyant par essai</source>
        <translation>One lamp per try</translation>
    </message>
    <message>
        <source>Outils du rapporteur</source>
        <translation>Protractor tools</translation>
    </message>
    <message>
        <source>Exercice</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Mesure l&apos;angle tracé.</source>
        <translation>Measure the angle drawn.</translation>
    </message>
    <message>
        <source>Trace un angle de %1° à partir du sommet.</source>
        <translation>Draw an angle of %1° from the vertex.</translation>
    </message>
    <message>
        <source>Vérifier la réponse</source>
        <translation>Check the answer</translation>
    </message>
    <message>
        <source>Exercice suivant</source>
        <translation>Next exercise</translation>
    </message>
</context>
</TS>
