#pragma once
// Controls here are always drawn in the new style (flat client edges, check marks rather than
// crosses, one-pixel text margins); the program's "automatic" styles choose by this.
constexpr bool newStyleControls = true;
