#pragma once
// ForEachScript: the one driver of work over many scripts, on every core (or on --jobs of them)
// with oneTBB. Statistics, checks, quicktest and export of a project all run on it.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace dialoscope {

// Calls work(index, cores) once for each index below count, from up to jobs workers (0: every
// core) at once; cores is how many cores that script's own Load and Analyze may use: 1 while
// other workers keep the others busy, 2 with a single worker. Each worker takes one script at a
// time, so results kept by index come out in the order given whatever order the workers finish
// in. An exception from work ends the run and is thrown on here.
void ForEachScript(std::size_t count, std::uint32_t jobs,
                   const std::function<void(std::size_t index, std::int32_t cores)>& work);

} // namespace dialoscope
