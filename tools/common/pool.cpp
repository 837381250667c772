#include "pool.hpp"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "supervise.hpp"

namespace common {

void run_pool(std::size_t count, int jobs,
              const std::function<void(std::size_t index, int worker)>& task) {
  std::atomic<std::size_t> next{0};
  auto worker = [&](int id) {
    for (std::size_t i = next++; i < count && interrupt_signal() == 0; i = next++) task(i, id);
  };
  const int threads = static_cast<int>(std::min<std::size_t>(std::max(jobs, 1), count));
  std::vector<std::thread> pool;
  for (int id = 1; id < threads; id++) pool.emplace_back(worker, id);
  worker(0);
  for (auto& t : pool) t.join();
}

int processor_count() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace common
