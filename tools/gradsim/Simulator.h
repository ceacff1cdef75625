#pragma once

#include <csignal>
#include <ostream>

#include "gradsim/Options.h"

namespace gradsim {

// Makes the links, plays the devices until `stopRequested` turns non-zero or the duration
// ends, then removes the links. Returns the exit status: 0, or 1 after a setup error.
// `out` gets the start line, the bytes the logger sends and line-setting warnings; `err`
// gets errors and notes.
int RunSimulator(const Options& options, const volatile std::sig_atomic_t& stopRequested,
                 std::ostream& out, std::ostream& err);

}  // namespace gradsim
