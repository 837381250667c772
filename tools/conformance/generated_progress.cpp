#include "generated_progress.hpp"

#include <cstdarg>
#include <string>

namespace conformance {

namespace {

std::string duration_text(double seconds) {
  char text[48];
  const long whole = static_cast<long>(seconds + 0.5);
  if (whole < 60)
    std::snprintf(text, sizeof text, "%ld s", whole);
  else
    std::snprintf(text, sizeof text, "%ld min %02ld s", whole / 60, whole % 60);
  return text;
}

}  // namespace

GeneratedProgress::GeneratedProgress(std::FILE* out, bool terminal, std::size_t inputs,
                                     std::chrono::milliseconds quiet)
    : out_(out),
      terminal_(terminal),
      inputs_(inputs),
      started_(Clock::now()),
      last_line_(started_),
      quiet_(quiet) {
  if (!terminal_) watcher_ = std::thread([this] { watch(); });
}

GeneratedProgress::~GeneratedProgress() {
  finish();
}

void GeneratedProgress::finish() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (stop_) return;
    stop_ = true;
    if (terminal_) std::fprintf(out_, "\r\033[K");
    std::fflush(out_);
  }
  wake_.notify_all();
  if (watcher_.joinable()) watcher_.join();
}

// Holding lock_.
void GeneratedProgress::line(const char* format, ...) {
  if (stop_) return;
  std::va_list args;
  va_start(args, format);
  std::vfprintf(out_, format, args);
  va_end(args);
  std::fputc('\n', out_);
  std::fflush(out_);
  last_line_ = Clock::now();
}

// Holding lock_.
void GeneratedProgress::counter() {
  if (stop_) return;
  if (cutting_ == 0)
    std::fprintf(out_, "\r[%zu/%zu] %zu differed", done_, inputs_, differed_);
  else
    std::fprintf(out_, "\r\033[Kcutting down differences: %zu of %zu done", cut_, to_cut_);
  std::fflush(out_);
}

void GeneratedProgress::input_done(bool differed) {
  std::lock_guard<std::mutex> hold(lock_);
  done_++;
  differed_ += differed ? 1 : 0;
  if (terminal_) counter();
}

void GeneratedProgress::program_done(const generate::ProgramTally& t) {
  std::lock_guard<std::mutex> hold(lock_);
  if (terminal_) return;
  line("compared %s: %ld agreed, %ld differed (%zu of %zu inputs run)", t.program.c_str(), t.agreed,
       t.differed, done_, inputs_);
}

void GeneratedProgress::compared(std::size_t to_cut) {
  std::lock_guard<std::mutex> hold(lock_);
  to_cut_ = to_cut;
  if (!terminal_ && to_cut > 0)
    line("cutting down %zu difference%s", to_cut, to_cut == 1 ? "" : "s");
}

void GeneratedProgress::cutting(const generate::Finding& f) {
  std::lock_guard<std::mutex> hold(lock_);
  cutting_++;
  if (terminal_)
    counter();
  else
    line("cutting down %s: input %d, %zu bytes", f.program.c_str(), f.index, f.original_size);
}

void GeneratedProgress::cut_done(const generate::Finding& f) {
  std::lock_guard<std::mutex> hold(lock_);
  cut_++;
  if (terminal_) {
    counter();
  } else if (f.flaky) {
    line("%s: flaky, not cut down (%s)", f.program.c_str(), duration_text(f.seconds).c_str());
  } else if (f.cut) {
    line("cut down %s: input %d from %zu to %zu bytes in %s", f.program.c_str(), f.index,
         f.original_size, f.input.size(), duration_text(f.seconds).c_str());
  }
}

// Without a terminal: a line whenever the log was quiet for `quiet_`.
void GeneratedProgress::watch() {
  std::unique_lock<std::mutex> hold(lock_);
  while (!stop_) {
    const auto due = last_line_ + quiet_;
    if (wake_.wait_until(hold, due, [&] { return stop_; })) break;
    if (Clock::now() < last_line_ + quiet_) continue;
    const std::string so_far =
        duration_text(std::chrono::duration<double>(Clock::now() - started_).count());
    if (cutting_ == 0)
      line("still comparing: %zu of %zu inputs run, %zu differed, %s so far", done_, inputs_,
           differed_, so_far.c_str());
    else
      line("still cutting down differences: %zu of %zu done, %s so far", cut_, to_cut_,
           so_far.c_str());
  }
}

}  // namespace conformance
