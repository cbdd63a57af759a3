#include "each_script.h"

#include <tbb/blocked_range.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>

namespace dialoscope {

void ForEachScript(std::size_t count, std::uint32_t jobs,
                   const std::function<void(std::size_t index, std::int32_t cores)>& work) {
    const int asked = jobs == 0 ? tbb::info::default_concurrency()
                                : static_cast<int>(std::min<std::uint32_t>(jobs, 1024));
    // No worker idles for want of a script, so one script alone has both cores.
    const int workers = static_cast<int>(
        std::min<std::size_t>(std::max<std::size_t>(count, 1), static_cast<std::size_t>(asked)));
    const std::int32_t cores = workers == 1 ? 2 : 1;
    tbb::task_arena arena(workers);
    arena.execute([&] {
        // One script per task: scripts differ in size by orders of magnitude.
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, count, 1),
            [&](const tbb::blocked_range<std::size_t>& range) {
                for (std::size_t i = range.begin(); i != range.end(); ++i) {
                    work(i, cores);
                }
            },
            tbb::simple_partitioner());
    });
}

} // namespace dialoscope
