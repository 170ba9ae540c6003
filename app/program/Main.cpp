// qncases: the case and docket program. Its first argument is the system date in the record-file
// form: six characters open the case screen, seven (ending in "d") the docket calendar.
#include "app/ProgramRun.h"

int main(int argc, char** argv) { return RunProgram(argc, argv); }
