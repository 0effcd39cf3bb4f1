<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>MainWindow</name>
    <message>
        <source>Player:</source>
        <translation>Lecteur :</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Port série :</translation>
    </message>
    <message>
        <source>Baudrate:</source>
        <translation>Débit (bauds) :</translation>
    </message>
    <message>
        <source>IP address of the player:</source>
        <translation>Adresse IP du lecteur :</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Auto-connection</source>
        <translation>Connexion automatique</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connecter</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Déconnecter</translation>
    </message>
    <message>
        <source>Connecting to the player... Please wait.</source>
        <translation>Connexion au lecteur en cours... Veuillez patienter.</translation>
    </message>
    <message>
        <source>Player ID:</source>
        <translation>ID du lecteur :</translation>
    </message>
    <message>
        <source>Change ID:</source>
        <translation>Changer l’ID :</translation>
    </message>
    <message>
        <source>Folder N°:</source>
        <translation>Dossier n° :</translation>
    </message>
    <message>
        <source>Content playback:</source>
        <translation>Lecture de contenu :</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Source :</translation>
    </message>
    <message>
        <source>Option:</source>
        <translation>Option :</translation>
    </message>
    <message>
        <source>Preset N°:</source>
        <translation>Préréglage n° :</translation>
    </message>
    <message>
        <source>Playback command:</source>
        <translation>Commande de lecture :</translation>
    </message>
    <message>
        <source>Other commands:</source>
        <translation>Autres commandes :</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Request:</source>
        <translation>Requête :</translation>
    </message>
    <message>
        <source>Output contacts:</source>
        <translation>Contacts de sortie :</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Command bytes sent:</source>
        <translation>Octets de commande envoyés :</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadécimal</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>Décimal</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Data Received:</source>
        <translation>Données reçues :</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>ASCII</source>
        <translation>ASCII</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Languages</source>
        <translation>&amp;Langues</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>(default)</source>
        <translation>(par défaut)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>&amp;Brevane Systems / Tessik home page</source>
        <translation>Site web de &amp;Brevane Systems / Tessik</translation>
    </message>
    <message>
        <source>&amp;Contact technical support</source>
        <translation>&amp;Contacter l’assistance technique</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos de</translation>
    </message>
    <message>
        <source>No error.</source>
        <translation>Aucune erreur.</translation>
    </message>
    <message>
        <source>Device not found error.</source>
        <translation>Erreur : périphérique introuvable.</translation>
    </message>
    <message>
        <source>Permission error.</source>
        <translation>Erreur : accès refusé.</translation>
    </message>
    <message>
        <source>Open error.</source>
        <translation>Erreur d’ouverture.</translation>
    </message>
    <message>
        <source>Parity error.</source>
        <translation>Erreur de parité.</translation>
    </message>
    <message>
        <source>Framing error.</source>
        <translation>Erreur de trame.</translation>
    </message>
    <message>
        <source>Break condition error.</source>
        <translation>Erreur : condition d’interruption (break).</translation>
    </message>
    <message>
        <source>Write error.</source>
        <translation>Erreur d’écriture.</translation>
    </message>
    <message>
        <source>Read error.</source>
        <translation>Erreur de lecture.</translation>
    </message>
    <message>
        <source>Resource error.</source>
        <translation>Erreur de ressource.</translation>
    </message>
    <message>
        <source>Unsupported operation error.</source>
        <translation>Erreur : opération non prise en charge.</translation>
    </message>
    <message>
        <source>Unknown error.</source>
        <translation>Erreur inconnue.</translation>
    </message>
    <message>
        <source>Timeout error.</source>
        <translation>Erreur : délai d’attente dépassé.</translation>
    </message>
    <message>
        <source>Not open error.</source>
        <translation>Erreur : port non ouvert.</translation>
    </message>
    <message>
        <source>Unkown error.</source>
        <translation>Erreur inconnue.</translation>
    </message>
    <message>
        <source>Port number: </source>
        <translation>Numéro de port : </translation>
    </message>
    <message>
        <source>Serial port error</source>
        <translation>Erreur du port série</translation>
    </message>
    <message>
        <source>An error on the serial port has occurred!</source>
        <translation>Une erreur est survenue sur le port série !</translation>
    </message>
    <message>
        <source>TCP/IP error</source>
        <translation>Erreur TCP/IP</translation>
    </message>
    <message>
        <source>An TCP/IP error has occurred!</source>
        <translation>Une erreur TCP/IP est survenue !</translation>
    </message>
    <message>
        <source>Brevane Systems / Tessik support request (from:</source>
        <translation>Demande d’assistance Brevane Systems / Tessik (envoyée depuis :</translation>
    </message>
    <message>
        <source>( write here your question... )</source>
        <translation>( écrivez votre question ici... )</translation>
    </message>
    <message>
        <source>The saved serial port %1 is not present: not connected.</source>
        <translation>Le port série enregistré %1 est absent : pas de connexion.</translation>
    </message>
    <message>
        <source>The player did not answer within %1 seconds.</source>
        <translation>Le lecteur n&apos;a pas répondu dans les %1 secondes.</translation>
    </message>
    <message>
        <source>Not sent</source>
        <translation>Non envoyé</translation>
    </message>
    <message>
        <source>Waiting for the connection...</source>
        <translation>En attente de la connexion...</translation>
    </message>
    <message>
        <source>The link to the player was lost: waiting for it to come back (Disconnect stops waiting).</source>
        <translation>La liaison avec le lecteur est perdue : attente de son retour (Déconnecter arrête l&apos;attente).</translation>
    </message>
    <message>
        <source>Manufacturer: %1</source>
        <translation>Fabricant : %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Numéro de série : %1</translation>
    </message>
    <message>
        <source>Stable name: %1</source>
        <translation>Nom stable : %1</translation>
    </message>
    <message>
        <source>Stable name of %1</source>
        <translation>Nom stable de %1</translation>
    </message>
    <message>
        <source>IP address, first number</source>
        <translation>Adresse IP, premier nombre</translation>
    </message>
    <message>
        <source>IP address, second number</source>
        <translation>Adresse IP, deuxième nombre</translation>
    </message>
    <message>
        <source>IP address, third number</source>
        <translation>Adresse IP, troisième nombre</translation>
    </message>
    <message>
        <source>IP address, fourth number</source>
        <translation>Adresse IP, quatrième nombre</translation>
    </message>
    <message>
        <source>Give the player the chosen new ID</source>
        <translation>Donner au lecteur le nouvel ID choisi</translation>
    </message>
    <message>
        <source>Change ID</source>
        <translation>Changer l&apos;ID</translation>
    </message>
    <message>
        <source>Play the chosen folder (Ctrl+0 to Ctrl+9: folders 0 to 9)</source>
        <translation>Lire le dossier choisi (Ctrl+0 à Ctrl+9 : dossiers 0 à 9)</translation>
    </message>
    <message>
        <source>Play folder</source>
        <translation>Lire le dossier</translation>
    </message>
    <message>
        <source>Put the player in standby or wake it up</source>
        <translation>Mettre le lecteur en veille ou le réveiller</translation>
    </message>
    <message>
        <source>Standby/Wakeup</source>
        <translation>Veille/Réveil</translation>
    </message>
    <message>
        <source>Launch playback of the chosen source</source>
        <translation>Lancer la lecture de la source choisie</translation>
    </message>
    <message>
        <source>Launch playback</source>
        <translation>Lancer la lecture</translation>
    </message>
    <message>
        <source>Previous folder (Ctrl+Media Previous)</source>
        <translation>Dossier précédent (Ctrl+Média Précédent)</translation>
    </message>
    <message>
        <source>Previous folder</source>
        <translation>Dossier précédent</translation>
    </message>
    <message>
        <source>Previous file (Media Previous)</source>
        <translation>Fichier précédent (Média Précédent)</translation>
    </message>
    <message>
        <source>Previous file</source>
        <translation>Fichier précédent</translation>
    </message>
    <message>
        <source>Play (Media Play)</source>
        <translation>Lecture (Média Lecture)</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Stop (Media Stop)</source>
        <translation>Arrêt (Média Arrêt)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Pause (Media Pause)</source>
        <translation>Pause (Média Pause)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Next file (Media Next)</source>
        <translation>Fichier suivant (Média Suivant)</translation>
    </message>
    <message>
        <source>Next file</source>
        <translation>Fichier suivant</translation>
    </message>
    <message>
        <source>Next folder (Ctrl+Media Next)</source>
        <translation>Dossier suivant (Ctrl+Média Suivant)</translation>
    </message>
    <message>
        <source>Next folder</source>
        <translation>Dossier suivant</translation>
    </message>
    <message>
        <source>Send the chosen command</source>
        <translation>Envoyer la commande choisie</translation>
    </message>
    <message>
        <source>Send command</source>
        <translation>Envoyer la commande</translation>
    </message>
    <message>
        <source>Volume to its minimum (Ctrl+minus: one step down)</source>
        <translation>Volume au minimum (Ctrl+moins : un cran plus bas)</translation>
    </message>
    <message>
        <source>Volume to minimum</source>
        <translation>Volume au minimum</translation>
    </message>
    <message>
        <source>Volume to its maximum (Ctrl+plus: one step up)</source>
        <translation>Volume au maximum (Ctrl+plus : un cran plus haut)</translation>
    </message>
    <message>
        <source>Volume to maximum</source>
        <translation>Volume au maximum</translation>
    </message>
    <message>
        <source>Mute or unmute (Volume Mute)</source>
        <translation>Couper ou rétablir le son (Muet)</translation>
    </message>
    <message>
        <source>Mute/Unmute</source>
        <translation>Muet/Son</translation>
    </message>
    <message>
        <source>Send the chosen request</source>
        <translation>Envoyer la requête choisie</translation>
    </message>
    <message>
        <source>Send request</source>
        <translation>Envoyer la requête</translation>
    </message>
    <message>
        <source>Set the checked output contacts</source>
        <translation>Régler les contacts de sortie cochés</translation>
    </message>
    <message>
        <source>Set output contacts</source>
        <translation>Régler les contacts de sortie</translation>
    </message>
    <message>
        <source>&amp;Record Session...</source>
        <translation>&amp;Enregistrer la session...</translation>
    </message>
    <message>
        <source>Record every byte sent and received, with its time, to a file</source>
        <translation>Enregistrer dans un fichier chaque octet envoyé et reçu, avec son heure</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>S&amp;top Recording</source>
        <translation>&amp;Arrêter l&apos;enregistrement</translation>
    </message>
    <message>
        <source>Ctrl+Shift+R</source>
        <translation>Ctrl+Shift+R</translation>
    </message>
    <message>
        <source>&amp;Save Received Data As...</source>
        <translation>Enregistrer les données &amp;reçues sous...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>session</source>
        <translation>session</translation>
    </message>
    <message>
        <source>Recording error</source>
        <translation>Erreur d&apos;enregistrement</translation>
    </message>
    <message>
        <source>The session cannot be recorded to %1:</source>
        <translation>La session ne peut pas être enregistrée dans %1 :</translation>
    </message>
    <message>
        <source>Recording to %1: %2</source>
        <translation>Enregistrement dans %1 : %2</translation>
    </message>
    <message>
        <source>The recording to %1 has stopped:</source>
        <translation>L&apos;enregistrement dans %1 s&apos;est arrêté :</translation>
    </message>
    <message>
        <source>Save Received Data</source>
        <translation>Enregistrer les données reçues</translation>
    </message>
    <message>
        <source>received</source>
        <translation>reçu</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>Erreur d&apos;enregistrement du fichier</translation>
    </message>
    <message>
        <source>The received data could not be saved to %1.</source>
        <translation>Les données reçues n&apos;ont pas pu être enregistrées dans %1.</translation>
    </message>
    <message>
        <source>Received data saved to %1</source>
        <translation>Données reçues enregistrées dans %1</translation>
    </message>
    <message>
        <source>Record Session (an existing file is appended to)</source>
        <translation>Enregistrer la session (un fichier existant est complété à la suite)</translation>
    </message>
    <message>
        <source>The recording to %1 has stopped: the file was deleted or replaced.</source>
        <translation>L&apos;enregistrement dans %1 s&apos;est arrêté : le fichier a été supprimé ou remplacé.</translation>
    </message>
    <message>
        <source>The recording to %1 has stopped: the file does not take the lines as fast as they come (a stalled medium, or a reader that does not read).</source>
        <translation>L&apos;enregistrement dans %1 s&apos;est arrêté : le fichier ne prend pas les lignes aussi vite qu&apos;elles arrivent (un support bloqué, ou un lecteur qui ne lit pas).</translation>
    </message>
    <message>
        <source>The last %1 of the recording were not written.</source>
        <translation>Les derniers %1 de l&apos;enregistrement n&apos;ont pas été écrits.</translation>
    </message>
    <message>
        <source>This player needs no Connect: each command opens its own connection, which the player closes after answering.</source>
        <translation>Ce lecteur n’a pas besoin de Connecter : chaque commande ouvre sa propre connexion, que le lecteur ferme après avoir répondu.</translation>
    </message>
    <message>
        <source>Command bytes sent: %1</source>
        <translation>Octets de commande envoyés : %1</translation>
    </message>
    <message>
        <source>Show the frames sent, the answers and the link&apos;s events in order, with their times (Ctrl+T)</source>
        <translation>Afficher dans l&apos;ordre les trames envoyées, les réponses et les événements de la liaison, avec leur heure (Ctrl+T)</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Chronologie</translation>
    </message>
    <message>
        <source>&amp;Sequences</source>
        <translation>&amp;Séquences</translation>
    </message>
    <message>
        <source>R&amp;ecent Sequences</source>
        <translation>&amp;Séquences récentes</translation>
    </message>
    <message>
        <source>&amp;Run Sequence...</source>
        <translation>&amp;Lancer une séquence...</translation>
    </message>
    <message>
        <source>Send the commands of a sequence file to the player, step by step</source>
        <translation>Envoyer au lecteur, pas à pas, les commandes d&apos;un fichier de séquence</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>S&amp;top Sequence</source>
        <translation>&amp;Arrêter la séquence</translation>
    </message>
    <message>
        <source>Ctrl+Shift+E</source>
        <translation>Ctrl+Shift+E</translation>
    </message>
    <message>
        <source>Re&amp;cord Sequence...</source>
        <translation>&amp;Enregistrer une séquence...</translation>
    </message>
    <message>
        <source>Write the commands you press, with the pauses between them, to a sequence file</source>
        <translation>Écrire dans un fichier de séquence les commandes que vous pressez, avec les pauses entre elles</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Stop Recording Se&amp;quence</source>
        <translation>Arrêter l&apos;enre&amp;gistrement de la séquence</translation>
    </message>
    <message>
        <source>Ctrl+Shift+M</source>
        <translation>Ctrl+Shift+M</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>arrêtée</translation>
    </message>
    <message>
        <source>Run Sequence</source>
        <translation>Lancer une séquence</translation>
    </message>
    <message>
        <source>a sequence file</source>
        <translation>un fichier de séquence</translation>
    </message>
    <message>
        <source>Sequence error</source>
        <translation>Erreur de séquence</translation>
    </message>
    <message>
        <source>The sequence %1 cannot be run; nothing was sent.</source>
        <translation>La séquence %1 ne peut pas être lancée ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>wait %1 ms</source>
        <translation>attente de %1 ms</translation>
    </message>
    <message>
        <source>expect %1</source>
        <translation>attente de « %1 »</translation>
    </message>
    <message>
        <source>Sequence %1: step %2 of %3, line %4: %5</source>
        <translation>Séquence %1 : étape %2 sur %3, ligne %4 : %5</translation>
    </message>
    <message>
        <source>Sequence %1 done</source>
        <translation>Séquence %1 terminée</translation>
    </message>
    <message>
        <source>The sequence %1 stopped at line %2: %3</source>
        <translation>La séquence %1 s&apos;est arrêtée à la ligne %2 : %3</translation>
    </message>
    <message>
        <source>Sequence stopped</source>
        <translation>Séquence arrêtée</translation>
    </message>
    <message>
        <source>Record Sequence</source>
        <translation>Enregistrer une séquence</translation>
    </message>
    <message>
        <source>Recording the commands pressed to %1</source>
        <translation>Enregistrement des commandes pressées dans %1</translation>
    </message>
    <message>
        <source>Sequence recorded to %1</source>
        <translation>Séquence enregistrée dans %1</translation>
    </message>
    <message>
        <source>The sequence could not be saved to %1.</source>
        <translation>La séquence n&apos;a pas pu être enregistrée dans %1.</translation>
    </message>
    <message>
        <source>&amp;Players</source>
        <translation>Le&amp;cteurs</translation>
    </message>
    <message>
        <source>Save as &amp;Player...</source>
        <translation>Enregistrer comme &amp;lecteur...</translation>
    </message>
    <message>
        <source>Keep the model, link and ID chosen now under a name</source>
        <translation>Garder sous un nom le modèle, la liaison et l&apos;ID choisis</translation>
    </message>
    <message>
        <source>Ctrl+Shift+P</source>
        <translation>Ctrl+Shift+P</translation>
    </message>
    <message>
        <source>P&amp;layers...</source>
        <translation>Lec&amp;teurs...</translation>
    </message>
    <message>
        <source>The saved players: choose one, rename or remove them</source>
        <translation>Les lecteurs enregistrés : en choisir un, les renommer ou les retirer</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Site &amp;Status</source>
        <translation>&amp;État du site</translation>
    </message>
    <message>
        <source>Check which saved players answer, and send them commands</source>
        <translation>Vérifier quels lecteurs enregistrés répondent, et leur envoyer des commandes</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Site Status from &amp;Hosts File...</source>
        <translation>État du site depuis un fichier d&apos;&amp;adresses...</translation>
    </message>
    <message>
        <source>Check the players of the chosen model whose addresses a text file lists</source>
        <translation>Vérifier les lecteurs du modèle choisi dont un fichier texte donne les adresses</translation>
    </message>
</context>
<context>
    <name>PlayerState</name>
    <message>
        <source>answers</source>
        <translation>répond</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>refusé</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>pas de réponse</translation>
    </message>
    <message>
        <source>not present</source>
        <translation>absent</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>non vérifié</translation>
    </message>
</context>
<context>
    <name>PlayersDialog</name>
    <message>
        <source>Players</source>
        <translation>Lecteurs</translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation>Enregistrés dans %1</translation>
    </message>
    <message>
        <source>Lines left out as damaged:</source>
        <translation>Lignes écartées car endommagées :</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Choisir</translation>
    </message>
    <message>
        <source>Make this player the window&apos;s model, link and ID</source>
        <translation>Faire de ce lecteur le modèle, la liaison et l&apos;ID de la fenêtre</translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation>&amp;Renommer...</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>Re&amp;tirer</translation>
    </message>
</context>
<context>
    <name>PlayersMenu</name>
    <message>
        <source>Save as Player</source>
        <translation>Enregistrer comme lecteur</translation>
    </message>
    <message>
        <source>Player&apos;s name:</source>
        <translation>Nom du lecteur :</translation>
    </message>
    <message>
        <source>A player&apos;s name cannot hold a tab or start with #.</source>
        <translation>Le nom d&apos;un lecteur ne peut pas contenir de tabulation ni commencer par #.</translation>
    </message>
    <message>
        <source>A player is already named %1. Replace it?</source>
        <translation>Un lecteur s&apos;appelle déjà %1. Le remplacer ?</translation>
    </message>
    <message>
        <source>A player is already named %1.</source>
        <translation>Un lecteur s&apos;appelle déjà %1.</translation>
    </message>
    <message>
        <source>Rename Player</source>
        <translation>Renommer le lecteur</translation>
    </message>
    <message>
        <source>Remove Player</source>
        <translation>Retirer le lecteur</translation>
    </message>
    <message>
        <source>Remove the player %1 from the list?</source>
        <translation>Retirer le lecteur %1 de la liste ?</translation>
    </message>
    <message>
        <source>Site Status from Hosts File</source>
        <translation>État du site depuis un fichier d&apos;adresses</translation>
    </message>
    <message>
        <source>a text file of addresses</source>
        <translation>un fichier texte d&apos;adresses</translation>
    </message>
    <message>
        <source>Choose a TCP/IP model first: the addresses are its players&apos;.</source>
        <translation>Choisissez d&apos;abord un modèle TCP/IP : les adresses sont celles de ses lecteurs.</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Lecteurs</translation>
    </message>
    <message>
        <source>The players file %1 could not be read: it is left as it is, and nothing was saved.</source>
        <translation>Le fichier des lecteurs %1 n&apos;a pas pu être lu : il est laissé tel quel, et rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>The players could not be saved to %1.</source>
        <translation>Les lecteurs n&apos;ont pas pu être enregistrés dans %1.</translation>
    </message>
</context>
<context>
    <name>ReceivedDataView</name>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
</context>
<context>
    <name>ReceivedDisplay</name>
    <message>
        <source>%1 at %2 bit/s</source>
        <translation>%1 à %2 bit/s</translation>
    </message>
    <message>
        <source>%1 port %2</source>
        <translation>%1 port %2</translation>
    </message>
</context>
<context>
    <name>SiteStatusWindow</name>
    <message>
        <source>Check &amp;Now</source>
        <translation>&amp;Vérifier maintenant</translation>
    </message>
    <message>
        <source>&amp;Every</source>
        <translation>&amp;Toutes les</translation>
    </message>
    <message>
        <source>&amp;Send to Selected</source>
        <translation>&amp;Envoyer à la sélection</translation>
    </message>
    <message>
        <source>Run Se&amp;quence on Selected...</source>
        <translation>Lancer une sé&amp;quence sur la sélection...</translation>
    </message>
    <message>
        <source>Site Status</source>
        <translation>État du site</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Check every</source>
        <translation>Vérifier toutes les</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Round trip (ms)</source>
        <translation>Aller-retour (ms)</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Lecteurs</translation>
    </message>
    <message>
        <source>&amp;Command:</source>
        <translation>&amp;Commande :</translation>
    </message>
    <message>
        <source>Play, Volume 40, Player Status</source>
        <translation>Play, Volume 40, Player Status</translation>
    </message>
    <message>
        <source>Run Sequence on Selected</source>
        <translation>Lancer une séquence sur la sélection</translation>
    </message>
    <message>
        <source>%1 has nothing to send for this command</source>
        <translation>%1 n&apos;a rien à envoyer pour cette commande</translation>
    </message>
    <message>
        <source>a sequence file</source>
        <translation>un fichier de séquence</translation>
    </message>
    <message>
        <source>not sent: %1</source>
        <translation>non envoyé : %1</translation>
    </message>
    <message>
        <source>sending...</source>
        <translation>envoi...</translation>
    </message>
    <message>
        <source>Checked at %1: %2 of %3 answer</source>
        <translation>Vérifié à %1 : %2 sur %3 répondent</translation>
    </message>
    <message>
        <source>Sent at %1: %2 of %3 done</source>
        <translation>Envoyé à %1 : %2 sur %3 faits</translation>
    </message>
    <message>
        <source>link opens</source>
        <translation>la liaison s&apos;ouvre</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>envoyé</translation>
    </message>
    <message>
        <source>; answered: %1</source>
        <translation> ; réponse : %1</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Vérification : %1 sur %2</translation>
    </message>
    <message>
        <source>Sending: %1 of %2</source>
        <translation>Envoi : %1 sur %2</translation>
    </message>
</context>
<context>
    <name>Timeline</name>
    <message>
        <source>Connected to %1</source>
        <translation>Connecté à %1</translation>
    </message>
    <message>
        <source>Back, connected to %1</source>
        <translation>De retour, connecté à %1</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Link lost: %1</source>
        <translation>Liaison perdue : %1</translation>
    </message>
    <message>
        <source>Could not connect: %1</source>
        <translation>Connexion impossible : %1</translation>
    </message>
    <message>
        <source>Waiting for the player to come back</source>
        <translation>En attente du retour du lecteur</translation>
    </message>
</context>
<context>
    <name>aboutwindow</name>
    <message>
        <source>About</source>
        <translation>À propos de</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation>Microsoft</translation>
    </message>
</context>
</TS>
