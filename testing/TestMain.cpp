#include "testing/TestProcess.h"

int main(int argc, char** argv) { return qn::testing::runTestProcess(argc, argv); }
