#include "tools/trigstrsubst/trigstrsubst.h"

int main(int argc, char** argv) { return runTrigStrSubst(argc, argv); }
