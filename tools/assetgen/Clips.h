#pragma once

#include "Signal.h"

// The program's eight sound clips, each synthesised from fixed seeds.
namespace Clips {

Signal pop101();    // the fullest pop: a low plop with a long body
Signal ruffle102(); // a fresh sheet of bubble wrap shaken out
Signal pop103();    // a medium, round pop (also the greeting)
Signal pop104();    // a bright, sharp snap
Signal pop105();    // a dry, dark tick of a pop
Signal blip106();   // a soft double pip that the program never plays
Signal grunt107();  // a low "hmph"
Signal cheer108();  // a small crowd cheering and clapping

} // namespace Clips
