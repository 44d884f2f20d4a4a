#pragma once

// Checks that the data file "donnees.csv" of the working directory can be opened
// for reading and update, and says so on standard output when it cannot.
void lireDonnees();
