// The second program of the shared user-dictionary test: loads the dictionary, adds the words it
// is given, and saves, as the other instance of a workstation does.
//   qn-spell-user-dictionary-child <dictionary> <word>...
#include <cstdio>

#include "spell/UserDictionary.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <dictionary> <word>...\n", argv[0]);
    return 2;
  }
  TUserDictionary dictionary(argv[1]);
  for (int i = 2; i < argc; ++i) dictionary.AddWord(argv[i]);
  return dictionary.Save() ? 0 : 1;
}
