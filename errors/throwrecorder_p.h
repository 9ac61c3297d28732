// The record of the last throws of each thread, kept by the interposed __cxa_throw.
#pragma once

namespace kv::errors::detail {

constexpr int kThrowFrames = 48;

// Copies the return addresses recorded when `object` was thrown into `frames`, innermost first,
// starting with the return address into the code that threw; the number copied, 0 when there is no
// record of it.
int recordedThrow(const void* object, void* frames[kThrowFrames]);

} // namespace kv::errors::detail
