#include "app/program_start.h"

int main() { return ProgramStart(); }
