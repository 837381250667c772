// The worker pool both drivers run their cases on.
#pragma once

#include <cstddef>
#include <functional>

namespace common {

// Calls task(index, worker) for every index below `count`, `jobs` at a time
// (worker numbers 0..jobs-1; the calling thread is worker 0). Indexes are
// handed out in order; none is handed out once an interrupt has arrived.
void run_pool(std::size_t count, int jobs,
              const std::function<void(std::size_t index, int worker)>& task);

// Processors of this machine, at least 1.
int processor_count();

}  // namespace common
