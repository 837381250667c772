// --generate's progress: a counter on a terminal; in a log, a line per
// program compared and per difference cut down, and a line whenever nothing
// else was printed for a while, so that a log never goes quiet for a minute.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "generate.hpp"

namespace conformance {

class GeneratedProgress : public generate::CompareEvents {
 public:
  // `inputs`: the runs to come (this shard's inputs of every program);
  // `quiet`: the longest silence in a log before a "still" line.
  GeneratedProgress(std::FILE* out, bool terminal, std::size_t inputs,
                    std::chrono::milliseconds quiet = std::chrono::seconds(30));
  ~GeneratedProgress() override;
  GeneratedProgress(const GeneratedProgress&) = delete;
  GeneratedProgress& operator=(const GeneratedProgress&) = delete;

  void input_done(bool differed) override;
  void program_done(const generate::ProgramTally& t) override;
  void compared(std::size_t to_cut) override;
  void cutting(const generate::Finding& f) override;
  void cut_done(const generate::Finding& f) override;
  // Ends the progress: the terminal's counter is wiped, the log lines stop.
  void finish();

 private:
  using Clock = std::chrono::steady_clock;
  void line(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void counter();
  void watch();

  std::FILE* out_;
  bool terminal_;
  std::size_t inputs_, done_ = 0, differed_ = 0;
  std::size_t to_cut_ = 0, cutting_ = 0, cut_ = 0;
  Clock::time_point started_, last_line_;
  std::chrono::milliseconds quiet_;
  std::mutex lock_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread watcher_;
};

}  // namespace conformance
