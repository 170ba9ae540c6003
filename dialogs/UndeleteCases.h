#pragma once
// The undelete run of the case screen: the deleted matters of the case save file listed in
// TUndeleteF, and each one the user picked brought back to the case file with its descriptions
// and addresses, one transaction a matter. A matter that fails stays in the save file; the others
// go on.
#include <functional>

// clearScreen is the case screen's clearing, called before the list is made and once the run
// has ended (whatever the user answered).
void UndeleteCases(const std::function<void()>& clearScreen);
