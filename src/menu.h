#pragma once

// Shows the menu once, reads one choice and carries it out.
void menu();
