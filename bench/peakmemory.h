// How much memory a piece of work needs at its highest, read from the kernel's account of the
// process.
#pragma once

#include <functional>

namespace kv::bench {

// How much the resident memory rose at its highest while `work` ran, megabytes.
double peakRiseMb(const std::function<void()>& work);

} // namespace kv::bench
