// Tavlorin, pupil edition: the child finds the words of a square on screen.
#include "square/frmSqbig.h"

int main(int argc, char** argv) { return RunSquareProgram(argc, argv, QStringLiteral("PUPIL")); }
