// The program's build stamp as the about window and the error log print it: a fixed text of this build.
#pragma once

namespace kv::about {

inline constexpr char kBuildStamp[] = "12.08.2004 12:15:20";

} // namespace kv::about
