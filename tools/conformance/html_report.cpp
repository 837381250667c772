#include "html_report.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "escape.hpp"
#include "files.hpp"
#include "reproduce.hpp"

using common::Case;

namespace conformance {

namespace {

const char* const style = R"(<style>
body { font: 14px/1.4 sans-serif; margin: 1.5em; color: #222; }
table.summary td, table.summary th { padding: 0 0.8em; text-align: left; }
table.summary td.n { text-align: right; }
table.summary td, table.summary th { white-space: nowrap; vertical-align: top; }
table.summary td.cases { white-space: normal; }
tr.fail td { color: #b00; font-weight: bold; }
tr.fail td a { color: #b00; }
#run th, #build th { text-align: left; padding-right: 1em; font-weight: normal; color: #666; }
#totals { font-size: 120%; }
.header { display: flex; flex-wrap: wrap; gap: 0 3em; align-items: flex-start; }
#build { margin: 0; }
#diagnosis { background: #fff4e0; padding: 0.5em 0.5em 0.5em 2em; }
details summary { cursor: pointer; margin: 1em 0 0.5em; }
p.reproduce code { background: #f4f4f4; padding: 0.2em; word-break: break-all; }
pre, td.code { font: 13px/1.3 monospace; white-space: pre; }
pre { background: #f4f4f4; padding: 0.5em; overflow-x: auto; }
section.case { border-top: 2px solid #ccc; margin-top: 1.5em; }
table.diff { border-collapse: collapse; }
table.diff td { padding: 0 0.5em; border: 1px solid #ddd; vertical-align: top; }
mark { background: #fc6; }
.images { display: flex; flex-wrap: wrap; gap: 1.5em; align-items: flex-start; }
.images img { image-rendering: pixelated; border: 1px solid #888; }
figure { margin: 0; display: table; }
figcaption { display: table-caption; caption-side: bottom; }
.note { color: #666; }
</style>
)";

std::string esc(const std::string& s) {
  return xml_escape(s);
}

// "FAIL 2 of 5", "pass", as in the terminal's table.
std::string program_result(const ProgramSummary& p) {
  if (p.failed != 0) return "FAIL " + std::to_string(p.failed) + " of " + std::to_string(p.cases);
  if (p.known != 0) return "XFAIL " + std::to_string(p.known) + " of " + std::to_string(p.cases);
  if (p.not_run == p.cases) return "not run";
  if (p.not_run != 0) return "pass, " + std::to_string(p.not_run) + " not run";
  return "pass";
}

// The id of a case's section, and a link to it. The link's fragment is
// percent-encoded: the browser decodes it before looking up the id.
std::string case_id(const Case& c) {
  return c.program + "/" + c.name;
}

std::string case_link(const Case& c) {
  // The id as the page holds it: xml_escape without its entities.
  std::string id = esc(case_id(c));
  for (const auto& [entity, ch] :
       {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#13;", "\r"}, {"&amp;", "&"}})
    for (auto at = id.find(entity); at != std::string::npos; at = id.find(entity, at + 1))
      id.replace(at, std::string(entity).size(), ch);
  std::string fragment;
  for (unsigned char ch : id) {
    if (std::isalnum(ch) || (ch != 0 && std::strchr("-_./~", ch) != nullptr)) {
      fragment += static_cast<char>(ch);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", ch);
      fragment += hex;
    }
  }
  return "<a href=\"#" + fragment + "\">" + esc(c.name) + "</a>";
}

// Which build, judged how and when: the first lines a reader needs to know
// what the page is about.
void write_header(std::ostringstream& h, const Settings& s, const RunTotals& totals) {
  const auto absolute = [](const std::string& path) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
  };
  char date[64] = "";
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  if (gmtime_r(&now, &utc) != nullptr) std::strftime(date, sizeof date, "%Y-%m-%d %H:%M UTC", &utc);
  // The run and the build's own description side by side: a long
  // description must not push the failures off the first screen.
  h << "<div class=\"header\">\n<table id=\"run\">\n<tr><th>build</th><td><code>"
    << esc(absolute(s.bin_dir)) << "</code></td></tr>\n";
  if (!s.wrapper.empty())
    h << "<tr><th>wrapper</th><td><code>" << esc(shell_command(s.wrapper)) << "</code></td></tr>\n";
  h << "<tr><th>cases</th><td><code>" << esc(absolute(s.cases_dir)) << "</code></td></tr>\n"
    << "<tr><th>date</th><td>" << date << "</td></tr>\n</table>\n";
  if (!totals.build.empty()) {
    h << "<table id=\"build\">\n";
    for (const auto& [field, value] : totals.build)
      h << "<tr><th>" << esc(field) << "</th><td>" << esc(value) << "</td></tr>\n";
    h << "</table>\n";
  } else if (!totals.build_note.empty()) {
    h << "<p id=\"build\">" << esc(totals.build_note) << "</p>\n";
  }
  h << "</div>\n";
}

void program_row(std::ostringstream& h, const ProgramSummary& p, const std::vector<Case>& cases,
                 const std::vector<Verdict>& verdicts) {
  char ms[32];
  std::snprintf(ms, sizeof ms, "%.1f", p.seconds * 1000.0);
  h << "<tr class=\"" << (p.failed ? "fail" : "pass") << "\"><td>" << esc(p.name)
    << "</td><td class=\"n\">" << p.cases << "</td><td>" << program_result(p)
    << "</td><td class=\"n\">" << ms << "</td><td class=\"cases\">";
  // Every case of the program with a section below, linked.
  const char* separator = "";
  for (std::size_t i = 0; i < cases.size(); i++)
    if (cases[i].program == p.name && verdicts[i].finished && !verdicts[i].passed) {
      h << separator << case_link(cases[i]);
      separator = ", ";
    }
  h << "</td></tr>\n";
}

// From the top: the header, the totals, the likely causes, the failing
// programs with links to their cases; the passing programs folded below.
void write_summary(std::ostringstream& h, const std::vector<Case>& cases,
                   const std::vector<Verdict>& verdicts, const Settings& s,
                   const RunTotals& totals) {
  const auto programs = summarize(cases, verdicts);
  int failed_programs = 0;
  for (const auto& p : programs) failed_programs += p.failed ? 1 : 0;
  int count[2][3] = {};  // [kind][passed, failed, not run]; known failures apart
  for (std::size_t i = 0; i < cases.size(); i++)
    if (!verdicts[i].known_failure)
      count[cases[i].rejection()][!verdicts[i].finished ? 2 : verdicts[i].passed ? 0 : 1]++;
  h << "<h1 id=\"top\">Conformance run: "
    << (failed_programs == 0 ? std::string("no program failed")
                             : std::to_string(failed_programs) + " of " +
                                   std::to_string(programs.size()) + " programs failed")
    << "</h1>\n";
  write_header(h, s, totals);
  h << "<p id=\"totals\"><b>" << count[0][0] + count[1][0] << " passed, "
    << count[0][1] + count[1][1] << " failed</b></p>\n<p>" << programs.size() << " programs, "
    << cases.size() << " cases; " << failed_programs << " of the programs failed</p>\n"
    << "<p>valid-input cases: " << count[0][0] << " passed, " << count[0][1]
    << " failed; rejection cases: " << count[1][0] << " passed, " << count[1][1] << " failed";
  if (totals.skipped_rejections != 0)
    h << " (" << totals.skipped_rejections << " skipped by --valid-only)";
  h << "</p>\n";
  if (totals.interrupt != 0)
    h << "<p>interrupted: " << count[0][2] + count[1][2] << " cases not run</p>\n";
  if (!totals.diagnosis.empty()) {
    h << "<ul id=\"diagnosis\">\n";
    for (const auto& line : totals.diagnosis) h << "<li>" << esc(line) << "</li>\n";
    h << "</ul>\n";
  }
  const char* head =
      "<tr><th>program</th><th>cases</th><th>result</th><th>time (ms)</th><th></th></tr>\n";
  if (failed_programs != 0) {
    h << "<h2>Failing programs</h2>\n<table class=\"summary\" id=\"failing\">\n" << head;
    for (const auto& p : programs)
      if (p.failed) program_row(h, p, cases, verdicts);
    h << "</table>\n";
  }
  if (failed_programs == static_cast<int>(programs.size())) return;
  h << "<details id=\"passing\"" << (failed_programs == 0 ? " open" : "") << "><summary>"
    << programs.size() - failed_programs
    << (programs.size() - failed_programs == 1 ? " program" : " programs")
    << " without failures</summary>\n"
    << "<table class=\"summary\">\n"
    << head;
  for (const auto& p : programs)
    if (!p.failed) program_row(h, p, cases, verdicts);
  h << "</table>\n</details>\n";
}

std::vector<std::string> split_lines(const std::string& s) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < s.size()) {
    std::size_t end = s.find('\n', start);
    if (end == std::string::npos) end = s.size() - 1;
    lines.push_back(s.substr(start, end + 1 - start));
    start = end + 1;
  }
  return lines;
}

using Spans = std::vector<std::pair<std::size_t, std::size_t>>;  // [from, to) each

// One line of a stream from column start on, the spans that differ from the
// other side marked, cut when long.
std::string marked_line(const std::string& line, std::size_t start, const Spans& spans) {
  const std::size_t end = std::min(line.size(), start + 120);
  const auto text = [&](std::size_t from, std::size_t to) {
    return esc(common::c_escape(line.substr(from, to - from)));
  };
  std::string html = start > 0 ? "\xe2\x80\xa6" : "";
  std::size_t at = start;
  for (auto [from, to] : spans) {
    from = std::clamp(from, at, end);
    to = std::clamp(to, from, end);
    html += text(at, from);
    if (to > from) html += "<mark>" + text(from, to) + "</mark>";
    at = to;
  }
  html += text(at, end);
  if (end < line.size()) html += "\xe2\x80\xa6";
  return html;
}

// Where a and b differ, from the first differing byte to the last.
void differing_range(const std::string& a, const std::string& b, std::size_t a_at, std::size_t b_at,
                     Spans& a_spans, Spans& b_spans) {
  std::size_t prefix = 0, suffix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) prefix++;
  while (suffix + prefix < std::min(a.size(), b.size()) &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
    suffix++;
  if (prefix == a.size() && prefix == b.size()) return;
  a_spans.emplace_back(a_at + prefix, a_at + a.size() - suffix);
  b_spans.emplace_back(b_at + prefix, b_at + b.size() - suffix);
}

// A line cut into runs of blanks and runs of other bytes, as offsets.
std::vector<std::size_t> fields(const std::string& line) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < line.size(); i++) {
    const bool blank = std::isspace(static_cast<unsigned char>(line[i])) != 0;
    if (i == 0 || blank != (std::isspace(static_cast<unsigned char>(line[i - 1])) != 0))
      starts.push_back(i);
  }
  starts.push_back(line.size());
  return starts;
}

// What to mark on each side. Lines of the same fields (a row of numbers,
// a row of pixels) are compared field by field, so that the equal fields
// between two differences stay unmarked; other lines from the first
// difference to the last.
std::pair<Spans, Spans> differing_spans(const std::string& w, const std::string& g) {
  Spans ws, gs;
  const auto wf = fields(w), gf = fields(g);
  const bool blank_first = !w.empty() && !g.empty() &&
                           (std::isspace(static_cast<unsigned char>(w[0])) != 0) ==
                               (std::isspace(static_cast<unsigned char>(g[0])) != 0);
  if (wf.size() != gf.size() || !blank_first) {
    differing_range(w, g, 0, 0, ws, gs);
    return {ws, gs};
  }
  for (std::size_t k = 0; k + 1 < wf.size(); k++)
    differing_range(w.substr(wf[k], wf[k + 1] - wf[k]), g.substr(gf[k], gf[k + 1] - gf[k]), wf[k],
                    gf[k], ws, gs);
  return {ws, gs};
}

void line_pair(std::ostringstream& h, std::size_t number, std::size_t start,
               const std::vector<std::string>& want, const std::vector<std::string>& got) {
  const std::string none;
  const std::string& w = number < want.size() ? want[number] : none;
  const std::string& g = number < got.size() ? got[number] : none;
  const auto [ws, gs] = differing_spans(w, g);
  // The shown window starts no later than the first mark of either side.
  for (const Spans* spans : {&ws, &gs})
    if (!spans->empty()) start = std::min(start, spans->front().first);
  h << "<tr><td rowspan=\"2\">" << number + 1 << "</td><td>expected</td><td class=\"code\">"
    << (number < want.size() ? marked_line(w, start, ws) : "(no line)")
    << "</td></tr>\n<tr><td>actual</td><td class=\"code\">"
    << (number < got.size() ? marked_line(g, start, gs) : "(no line)") << "</td></tr>\n";
}

// A few lines around the first difference, expected against actual.
void stream_context(std::ostringstream& h, const char* stream, const std::string& want,
                    const std::string& got) {
  std::size_t at = 0;
  while (at < want.size() && at < got.size() && want[at] == got[at]) at++;
  const auto line = static_cast<std::size_t>(std::count(want.begin(), want.begin() + at, '\n'));
  const auto w = split_lines(want), g = split_lines(got);
  // Every line of the context from the same column: the first difference's
  // with some text before it.
  const std::size_t column = at - (at == 0 ? 0 : want.rfind('\n', at - 1) + 1);
  const std::size_t start = column > 60 ? column - 40 : 0;
  h << "<h3>" << stream << "</h3>\n<table class=\"diff\"><tr><th>line</th><th></th>"
    << "<th></th></tr>\n";
  const std::size_t last = std::min(std::max(w.size(), g.size()), line + 3);
  for (std::size_t n = line > 2 ? line - 2 : 0; n < std::max(last, line + 1); n++)
    line_pair(h, n, start, w, g);
  h << "</table>\n";
}

// The input as given, cut when long.
void input_section(std::ostringstream& h, const Case& c) {
  std::string input;
  if (!c.has_input) {
    h << "<h3>input</h3>\n<p class=\"note\">none (empty standard input)</p>\n";
    return;
  }
  if (!common::read_file(c.base + ".in", input)) input = "(cannot read " + c.base + ".in)";
  const std::size_t shown = 2000;
  h << "<h3>input</h3>\n";
  if (input.size() > shown)
    h << "<p class=\"note\">the first " << with_commas(shown) << " of " << with_commas(input.size())
      << " bytes</p>\n";
  h << "<pre>" << esc(input.substr(0, shown)) << "</pre>\n";
}

unsigned char grey_level(int v, long maximum) {
  if (maximum <= 0 || v <= 0) return 0;
  return static_cast<unsigned char>(v >= maximum ? 255 : v * 255LL / maximum);
}

// The image as a picture; pixels it lacks are black.
Picture picture_of(const GreyImage& image) {
  Picture p;
  p.width = static_cast<int>(image.width);
  p.height = static_cast<int>(image.height);
  p.samples.assign(image.area(), 0);
  for (std::size_t i = 0; i < image.pixels.size() && i < p.samples.size(); i++)
    p.samples[i] = grey_level(image.pixels[i], image.maximum);
  return p;
}

// Small images are shown larger, with sharp pixels.
int scale_for(const Picture& p) {
  return std::clamp(384 / std::max(p.width, p.height), 1, 16);
}

void figure(std::ostringstream& h, const char* role, const Picture& p, const std::string& caption) {
  const std::string png = encode_png(p);
  h << "<figure>";
  if (!png.empty()) {
    const int scale = scale_for(p);
    h << "<img data-role=\"" << role << "\" alt=\"" << role << " image\" width=\""
      << p.width * scale << "\" height=\"" << p.height * scale << "\" src=\"data:image/png;base64,"
      << base64(png) << "\">";
  }
  h << "<figcaption>" << caption << "</figcaption></figure>\n";
}

std::string size_text(const GreyImage& image) {
  return std::to_string(image.width) + " &times; " + std::to_string(image.height);
}

// Small enough to draw: a broken header may claim any size.
bool drawable(const GreyImage& image) {
  return image.header_complete() && image.width > 0 && image.height > 0 && image.width <= 4096 &&
         image.height <= 4096;
}

void image_section(std::ostringstream& h, const GreyImage& expected, const GreyImage& actual) {
  h << "<h3>image</h3>\n<p class=\"image-verdict\">" << esc(image_difference(expected, actual))
    << "</p>\n";
  if (!can_encode_png()) {
    h << "<p class=\"note\">pictures not shown: this runner was built without libpng "
         "(Debian package libpng-dev)</p>\n";
    return;
  }
  h << "<div class=\"images\">\n";
  figure(h, "expected", picture_of(expected), "expected, " + size_text(expected));
  if (drawable(actual))
    figure(h, "actual", picture_of(actual),
           "actual, " + size_text(actual) + " (" + with_commas(actual.pixels.size()) + " values)");
  else
    h << "<figure><figcaption>actual: no picture, its header is \"" << esc(actual.header())
      << "\"</figcaption></figure>\n";
  if (compare_images(expected, actual).mismatch.empty())
    figure(h, "difference", difference_map(expected, actual),
           "difference: grey unchanged, yellow to red by how far off, blue missing");
  h << "</div>\n";
}

}  // namespace

Picture difference_map(const GreyImage& want, const GreyImage& got) {
  Picture p;
  p.width = static_cast<int>(want.width);
  p.height = static_cast<int>(want.height);
  p.channels = 3;
  p.samples.reserve(want.area() * 3);
  for (std::size_t i = 0; i < want.area(); i++) {
    unsigned char rgb[3];
    if (i >= got.pixels.size()) {
      rgb[0] = 0, rgb[1] = 128, rgb[2] = 255;
    } else if (got.pixels[i] == want.pixels[i]) {
      rgb[0] = rgb[1] = rgb[2] =
          static_cast<unsigned char>(96 + grey_level(want.pixels[i], want.maximum) / 4);
    } else {
      const int off = std::abs(got.pixels[i] - want.pixels[i]);
      rgb[0] = 255, rgb[2] = 0;
      rgb[1] = static_cast<unsigned char>(224 - 224LL * std::min<long>(off, want.maximum) /
                                                    std::max(want.maximum, 1L));
    }
    p.samples.insert(p.samples.end(), rgb, rgb + 3);
  }
  return p;
}

std::string failing_case_html(const Case& c, const Verdict& o) {
  std::ostringstream h;
  const std::string name = case_id(c);
  h << "<section class=\"case\" id=\"" << esc(name) << "\">\n<h2>FAIL " << esc(name) << "</h2>\n"
    << "<p class=\"verdict\">" << esc(o.message) << "</p>\n<pre>" << esc(o.details) << "</pre>\n";
  if (!o.reproduce.empty())
    h << "<p class=\"reproduce\">reproduce: <code>" << esc(o.reproduce) << "</code></p>\n";
  input_section(h, c);
  if (c.out && o.out != *c.out) {
    const GreyImage expected = read_grey_image(*c.out);
    if (is_grey_image(expected, *c.out)) image_section(h, expected, read_grey_image(o.out));
    stream_context(h, "stdout", *c.out, o.out);
  }
  if (c.err && o.err != *c.err) stream_context(h, "stderr", *c.err, o.err);
  h << "<p class=\"note\"><a href=\"#top\">back to the summary</a></p>\n</section>\n";
  return h.str();
}

bool write_html(const std::string& path, const std::vector<Case>& cases,
                const std::vector<Verdict>& verdicts, const Settings& s, const RunTotals& totals) {
  std::ostringstream h;
  h << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    << "<title>Conformance run</title>\n"
    << style << "</head>\n<body>\n";
  write_summary(h, cases, verdicts, s, totals);
  for (std::size_t i = 0; i < cases.size(); i++)
    if (verdicts[i].finished && !verdicts[i].passed) h << failing_case_html(cases[i], verdicts[i]);
  h << "</body>\n</html>\n";
  return common::write_file(path, h.str());
}

}  // namespace conformance
