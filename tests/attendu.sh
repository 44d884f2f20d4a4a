# The bytes cardio writes through a pipe (code page 850), for the checks written
# in bash: the menu with its prompt, the heading of entry 1, the missing-file
# message, the question of entry 2, the last words of entry 7, the rebuke.
ecran=$'Vous avez le choix de la pilule... non je d\x82conne.\n'\
$'Bienvenue dans la m... non dans le module cardio !\n'\
$'Veuillez choisir le mode que vous souhaitez. \n'\
$'----- Vous avez le choix entre ----- \n'\
$'1 - Afficher les donn\x82es contenues dans le fichier CSV \n'\
$'2 - Afficher les donn\x82es dans l\'ordre croissant ou d\x82croissant \n'\
$'3 - Rechercher et afficher les donn\x82es (temps particulier) \n'\
$'4 - Afficher la moyenne du pouls (temps particulier) \n'\
$'5 - Afficher le nombre de lignes de donn\x82es actuellement en m\x82moire \n'\
$'6 - Rechercher et afficher les maximums/minimums de pouls \n'\
$'7 - Quitter l\'application \n'\
$'------------------------------------ \n'\
$'Faites votre choix : '
titre=$'Voici les donn\x82es contenues dans le fichier donn\x82es.csv : \n'
question=$'Dans l\'ordre croissant ou d\x82croissant ? \n'
absent=$'Fichier non trouv\x82.'
fin=$'Veuillez patienter... mise \x85 mort du programme'
reproche=$'Alors comme \x87a, on prend un autre nombre que ceux d\x82finis ?'
