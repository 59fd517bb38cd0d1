#include "app/Application.h"

int main(int argc, char** argv) { return RunVorlumen(argc, argv); }
