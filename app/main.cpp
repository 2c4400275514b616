#include "app/anwendung.h"

int main(int argc, char** argv) { return schulverwaltungMain(argc, argv); }
