#pragma once
// What the matter's panels leave for the save to act on.

// The matter just became a dummy and no receptor was given to it yet: the save warns.
extern bool NewDummyWarningPending;
// A closed dummy is being reopened and the user wants its closed receptors reopened with it.
extern bool ApplyToReceptorsRequested;
