// Program entry on Linux and other systems with a standard main.
#include "app/PemtrixMain.h"

int main(int argc, char** argv) { return pemtrixMain(argc, argv); }
