// Tavlorin, teacher edition: generates word squares to print as puzzles and answer sheets.
#include "square/frmSqbig.h"

int main(int argc, char** argv) { return RunSquareProgram(argc, argv, QStringLiteral("TEACHER")); }
