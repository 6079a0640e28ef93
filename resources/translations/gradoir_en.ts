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
        <source>Séries :</source>
        <translation>Series:</translation>
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
</context>
<context>
    <name>gradoir::CommandLine</name>
    <message>
        <source>Export impossible : %1</source>
        <translation>Export failed: %1</translation>
    </message>
    <message>
        <source>Usage : gradoir --export-csv FICHIER</source>
        <translation>Usage: gradoir --export-csv FILE</translation>
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
</context>
<context>
    <name>gradoir::ResultsRecorder</name>
    <message>
        <source>Adresse du serveur de résultats non reconnue</source>
        <translation>Results server address not recognised</translation>
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
        <source>(inachevée)</source>
        <translation>(unfinished)</translation>
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
