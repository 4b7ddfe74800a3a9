#pragma once
// How the pages map their boxes to the engine's 0/1 flags and back.
#include <cstdint>

#include "ui/controls/check_tree_ctrl.h"

namespace scourix {

// A partial box counts as chosen, like a ticked one.
inline bool IsChosen(CheckState state) { return state >= Partial; }

inline std::int32_t FlagFromCheck(CheckState state) { return IsChosen(state) ? 1 : 0; }

// Only a flag of exactly 1 shows ticked.
inline CheckState CheckFromFlag(std::int32_t flag) { return flag == 1 ? Ticked : Unticked; }

}  // namespace scourix
