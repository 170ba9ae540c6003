#pragma once
// Opening a library the program names as the other system named it. A name "name.dll" (any letter
// case) stands for "libname.so", looked for in the program folder first and then where the system
// looks for libraries; any other name (a path, a ".so") is handed to the system as it is. Both the
// record manager's loader and the field converters' optional library open theirs this way.
#include <string>

// The file a "name.dll" stands for ("libname.so"); any other name as it is.
std::string ProgramLibraryFileName(const std::string& name);

// The library's handle, or nullptr when it cannot be opened.
void* OpenProgramLibrary(const std::string& name);
