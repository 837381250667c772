// The runner's reading of differences: floats by their distance in ulps,
// images pixel by pixel, and the pictures and markup of the HTML report.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

#include "files.hpp"
#include "float_diff.hpp"
#include "html_report.hpp"
#include "image_diff.hpp"
#include "png.hpp"
#include "reproduce.hpp"

#ifdef SUITE_HAVE_PNG
#include <png.h>
#endif

using namespace conformance;

namespace {

const float inf = std::numeric_limits<float>::infinity();
const float smallest = std::bit_cast<float>(0x00000001u);  // the least subnormal

TEST(UlpDistance, CountsStepsAcrossBinadesZeroSubnormalsAndInfinity) {
  // Below a power of two the steps are half as wide, so 2 - 2^-23 is one
  // step down and 2 + 2^-22 one step up.
  EXPECT_EQ(ulp_distance(2.0f, 0x1.fffffep+0f), -1);
  EXPECT_EQ(ulp_distance(2.0f, 0x1.000002p+1f), 1);
  EXPECT_EQ(ulp_distance(0x1.fffffep+0f, 0x1.000002p+1f), 2);
  EXPECT_EQ(ulp_distance(-smallest, smallest), 2);
  EXPECT_EQ(ulp_distance(-0.0f, 0.0f), 0);
  EXPECT_EQ(ulp_distance(0.0f, FLT_MIN), 1 << 23);  // every subnormal lies between
  EXPECT_EQ(ulp_distance(FLT_MAX, inf), 1);
  EXPECT_EQ(ulp_distance(-inf, inf), 2 * std::int64_t{0x7f800000});
}

TEST(FloatRelation, NamesSignsSpecialValuesAndDistance) {
  EXPECT_EQ(float_relation(1.0f, 0x1.000002p+0f), "1 ulp above");
  EXPECT_EQ(float_relation(smallest, -smallest), "2 ulps below");
  EXPECT_EQ(float_relation(0.0f, -0.0f), "sign of a zero differs");
  EXPECT_EQ(float_relation(NAN, -NAN), "sign of a NaN differs");
  EXPECT_EQ(float_relation(1.0f, NAN), "a NaN where a number was expected");
  EXPECT_EQ(float_relation(-NAN, 0.0f), "a number where a NaN was expected");
  EXPECT_EQ(float_relation(FLT_MAX, inf), "an infinity where a finite number was expected");
  EXPECT_EQ(float_relation(-inf, inf), "an infinity of the other sign");
  EXPECT_EQ(float_relation(1.0f, 2.0f), "2 times larger");
}

// Far apart, an ulp count hides what happened: the values are told apart in
// decimal and by their size instead.
TEST(FloatRelation, FarApartValuesInDecimalNotUlps) {
  EXPECT_EQ(float_relation(0x1p-23f, 0.0f), "a zero where 1.1920929e-07 was expected");
  EXPECT_EQ(float_relation(-0.0f, 0x1p-23f), "1.1920929e-07 where a zero was expected");
  // A few subnormal steps from zero: the ulps mean something there too.
  EXPECT_EQ(float_relation(0.0f, 3 * smallest),
            "4.20389539e-45 where a zero was expected (3 ulps above)");
  EXPECT_EQ(float_relation(1000.0f, 1e-4f), "7 orders of magnitude smaller");
  EXPECT_EQ(float_relation(-3.0f, -3e9f), "9 orders of magnitude larger");
  EXPECT_EQ(float_relation(2.0f, -2.0f), "the other sign");
  EXPECT_EQ(float_relation(2.0f, -5.0f), "the other sign; 2.5 times larger");
  // Near, but more than a few steps: a percentage, with the count beside it.
  EXPECT_EQ(float_relation(1.0f, 1.01f), "1% above (83,886 ulps)");
  EXPECT_EQ(float_relation(-1.0f, -1.5f), "50% below (4,194,304 ulps)");
  EXPECT_EQ(float_relation(1.0f, 0x1.0008p+0f), "1,024 ulps above");
}

TEST(FloatDifference, ReadsTheFloatHoldingTheFirstDifference) {
  // 0x1.921fb6 and 0x1.921fb4 differ by 2 in the 24th bit: one float step.
  EXPECT_EQ(float_difference("0x1.921fb6p+1\n", "0x1.921fb4p+1\n"),
            "0x1.921fb6p+1 (3.14159274) against 0x1.921fb4p+1 (3.1415925): 1 ulp below");
  // Inside an array line, the difference at the sign and in the exponent.
  EXPECT_EQ(float_difference("3: 0x1p+0 -0x0p+0 nan\n", "3: 0x1p+0 0x0p+0 nan\n"),
            "-0x0p+0 (-0) against 0x0p+0 (0): sign of a zero differs");
  EXPECT_EQ(float_difference("x 0x1p+1\n", "x 0x1p-1\n"),
            "0x1p+1 (2) against 0x1p-1 (0.5): 4 times smaller");
  EXPECT_EQ(float_difference("0x1p-23\n", "0x0p+0\n"),
            "0x1p-23 (1.1920929e-07) against 0x0p+0 (0): a zero where 1.1920929e-07 was expected");
  EXPECT_EQ(float_difference("-0x1.8p+1\n", "-inf\n"),
            "-0x1.8p+1 (-3) against -inf: an infinity where a finite number was expected");
  EXPECT_EQ(float_difference("nan\n", "-nan\n"), "nan against -nan: sign of a NaN differs");
  EXPECT_EQ(float_difference("0x1.fffffep+127", "inf"),
            "0x1.fffffep+127 (3.40282347e+38) against inf: an infinity where a finite number "
            "was expected");
  // The smallest subnormal, printed widened to double, and its neighbour.
  EXPECT_EQ(float_difference("0x1p-149", "0x1p-148"),
            "0x1p-149 (1.40129846e-45) against 0x1p-148 (2.80259693e-45): 1 ulp above");
  // A double's digits: no float step count.
  EXPECT_EQ(float_difference("0x1.921fb6p+1", "0x1.921fb54442d18p+1"),
            "0x1.921fb6p+1 (3.14159274) against 0x1.921fb54442d18p+1 (3.14159265): "
            "0x1.921fb54442d18p+1 is not a single-precision value");
  EXPECT_EQ(float_difference("12 34\n", "12 35\n"), std::nullopt);
  EXPECT_EQ(float_difference("0x1p+0\n", "0x1p+0 garbage\n"), std::nullopt);
}

// A width × height image whose pixel (x, y) is 10 y + x, one row a line.
std::string image_text(int width, int height, int changed_x = -1, int changed_y = -1,
                       int delta = 0) {
  std::string text = "P2\n" + std::to_string(width) + " " + std::to_string(height) + " 255\n";
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++)
      text += std::to_string(10 * y + x + (x == changed_x && y == changed_y ? delta : 0)) + " ";
    text += "\n";
  }
  return text;
}

TEST(ImageDifference, ChangedPixelShiftedRowAndLayout) {
  const std::string want = image_text(4, 3);
  EXPECT_EQ(image_difference(want, image_text(4, 3, 2, 1, 3)),
            "image differs in 1 of 12 pixels; largest difference 3 at (2, 1)");
  // Row 1 (10 11 12 13) written one place to the right: all four differ.
  std::string shifted = want;
  shifted.replace(shifted.find("10 11 12 13 "), 12, "0 10 11 12 ");
  EXPECT_EQ(image_difference(want, shifted),
            "image differs in 4 of 12 pixels; largest difference 10 at (0, 1)");
  std::string spaced = want;
  spaced.replace(spaced.find(" \n"), 2, "\n");
  EXPECT_EQ(image_difference(want, spaced),
            "image has the expected pixels; the text around them differs");
  EXPECT_EQ(image_difference("1 2 3\n", "1 2 4\n"), std::nullopt);
  // Output shorter than the magic, on either side.
  EXPECT_EQ(image_difference("", "P"), std::nullopt);
  EXPECT_EQ(image_difference(want, "P"),
            "image header differs: expected \"P2 4 3 255\", got \"P ? ? ?\"");
}

TEST(ImageDifference, SizeHeaderAndOutputEndingInARow) {
  const std::string want = image_text(4, 3);
  EXPECT_EQ(image_difference(want, image_text(3, 4)),
            "image size differs: expected 4 x 3, got 3 x 4 (headers \"P2 4 3 255\" and "
            "\"P2 3 4 255\")");
  std::string maximum = want;
  maximum.replace(maximum.find("255"), 3, "256");
  EXPECT_EQ(image_difference(want, maximum),
            "image header differs: expected \"P2 4 3 255\", got \"P2 4 3 256\"");
  EXPECT_EQ(image_difference(want, "P5" + want.substr(2)),
            "image header differs: expected \"P2 4 3 255\", got \"P5 4 3 255\"");
  // Cut after "P2\n4 3 255\n0 1 2 3 \n10 ": five pixels written, as by a
  // run that timed out or crashed; the unwritten pixels are not "wrong".
  EXPECT_EQ(image_difference(want, want.substr(0, want.find("11"))),
            "image cut off after 5 of 12 pixels; the pixels written are right");
  std::string wrong_then_cut = image_text(4, 3, 1, 0, 7);
  wrong_then_cut.resize(wrong_then_cut.find("11"));
  EXPECT_EQ(image_difference(want, wrong_then_cut),
            "image cut off after 5 of 12 pixels; 1 of the pixels written differ, largest "
            "difference 7 at (1, 0)");
  EXPECT_EQ(image_difference(want, "P2\n4 3 255\n"), "image cut off after 0 of 12 pixels");
  EXPECT_EQ(image_difference(want, ""), "image missing: the output is empty");
  EXPECT_EQ(image_difference(want, want + "7 8\n"),
            "image has the expected pixels; the text around them differs; 2 values after the "
            "last pixel");
  EXPECT_EQ(image_difference(want, want.substr(0, want.find("11")) + "nan 12"),
            "image cut off after 5 of 12 pixels; the pixels written are right; reading stopped "
            "at \"nan\"");
}

TEST(DifferenceMap, MarksExactlyTheChangedPixels) {
  const GreyImage want = read_grey_image(image_text(4, 3));
  const GreyImage got = read_grey_image(image_text(4, 3, 3, 2, -20));
  const Picture map = difference_map(want, got);
  ASSERT_EQ(map.samples.size(), 4u * 3u * 3u);
  for (int i = 0; i < 12; i++) {
    const unsigned char* rgb = &map.samples[3 * i];
    const bool marked = rgb[0] != rgb[2];
    EXPECT_EQ(marked, i == 11) << "pixel " << i;
    EXPECT_TRUE(marked || (rgb[0] == rgb[1] && rgb[1] == rgb[2])) << "pixel " << i;
  }
  // Missing pixels are marked too, apart from changed ones.
  const Picture cut = difference_map(want, read_grey_image("P2 4 3 255 0 1"));
  EXPECT_EQ(cut.samples[0], cut.samples[2]);
  EXPECT_NE(cut.samples[6], cut.samples[8]);
  EXPECT_NE(cut.samples[6], map.samples[33]);
}

TEST(HtmlReport, FailingCaseEscapesOutputAndMarksTheDifference) {
  common::Case c;
  c.program = "echo";
  c.name = "markup";
  c.out = std::string("<b>same</b>\nx & y\n");
  c.err = std::string();
  Verdict o;
  o.finished = true;
  o.message = "output differs";
  o.out = "<b>same</b>\nx <script>alert(1)</script> y\n";
  const std::string html = failing_case_html(c, o);
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_NE(html.find("x <mark>&lt;script&gt;alert(1)&lt;/script&gt;</mark> y"), std::string::npos)
      << html;
  EXPECT_NE(html.find("<mark>&amp;</mark>"), std::string::npos);
}

// Fields equal on both sides stay unmarked, even between two differences.
TEST(HtmlReport, TheMarkCoversOnlyTheFieldsThatDiffer) {
  common::Case c;
  c.program = "floats";
  c.name = "row";
  c.out = std::string("0: 0x1.8p+1 0x1p+0 0x1p+0 0x1.921fb6p+1\n");
  c.err = std::string();
  Verdict o;
  o.finished = true;
  o.out = "0: 0x1.8p+0 0x1p+0 0x1p+0 0x1.921fb4p+1\n";
  const std::string html = failing_case_html(c, o);
  EXPECT_NE(html.find("0: 0x1.8p+<mark>1</mark> 0x1p+0 0x1p+0 0x1.921fb<mark>6</mark>p+1"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("0: 0x1.8p+<mark>0</mark> 0x1p+0 0x1p+0 0x1.921fb<mark>4</mark>p+1"),
            std::string::npos)
      << html;
  // Lines of different fields: one mark from the first difference to the last.
  o.out = "0: 0x1.8p+0 0x1p+0 0x1p+0\n";
  EXPECT_NE(failing_case_html(c, o).find("0x1.8p+<mark>0 0x1p+0 0x1p+0</mark>\\n"),
            std::string::npos)
      << failing_case_html(c, o);
}

// The page from its top: which build, the totals, the likely causes, the
// failing programs linking to their cases, the passing programs folded.
TEST(HtmlReport, ReadFromTheTop) {
  std::vector<common::Case> cases(3);
  std::vector<Verdict> verdicts(3);
  const char* names[][2] = {{"aaa", "one"}, {"zzz", "right"}, {"zzz", "a&b"}};
  for (int i = 0; i < 3; i++) {
    cases[i].program = names[i][0];
    cases[i].name = names[i][1];
    cases[i].out = std::string("ok\n");
    cases[i].err = std::string();
    cases[i].status = 0;
    verdicts[i].finished = true;
    verdicts[i].passed = i < 2;
  }
  verdicts[2].message = "output differs";
  verdicts[2].out = "no\n";
  verdicts[2].reproduce = "cd \"$(mktemp -d)\" && /b/zzz < /dev/null > out";
  Settings s;
  s.bin_dir = "/b";
  s.cases_dir = "/c";
  s.wrapper = {"qemu-arm", "-L", "/usr/arm linux"};
  RunTotals totals;
  totals.build = {{"compiler", "g++ 12"}, {"flags", "-O2 -ffast-math"}};
  totals.diagnosis = {"likely cause: fast-math"};
  const std::string path = ::testing::TempDir() + "report_from_the_top.html";
  ASSERT_TRUE(write_html(path, cases, verdicts, s, totals));
  std::string page;
  ASSERT_TRUE(common::read_file(path, page));
  std::size_t at = 0;
  for (const char* next :
       {"<h1 id=\"top\">Conformance run: 1 of 2 programs failed</h1>", "<code>/b</code>",
        "<code>qemu-arm -L '/usr/arm linux'</code>", "<th>date</th><td>20", "<th>compiler</th>",
        "-O2 -ffast-math", "<b>2 passed, 1 failed</b>", "likely cause: fast-math",
        "<tr class=\"fail\"><td>zzz</td>", "<a href=\"#zzz/a%26b\">a&amp;b</a>",
        "<details id=\"passing\"><summary>1 program without failures</summary>",
        "<tr class=\"pass\"><td>aaa</td>", "<section class=\"case\" id=\"zzz/a&amp;b\">",
        "reproduce: <code>cd &quot;$(mktemp -d)&quot; &amp;&amp; /b/zzz"}) {
    const auto found = page.find(next, at);
    ASSERT_NE(found, std::string::npos) << next << " not after byte " << at << ":\n" << page;
    at = found;
  }
  std::remove(path.c_str());
}

TEST(TimeoutWords, ProcessorTimeAndALongerLimitWhereTheRunWaited) {
  // The renderer under a slow emulator: 1.6 s of processor time in 10 s.
  const std::string waited = timeout_words(10, 1.6);
  EXPECT_EQ(waited,
            "  in those 10 s it had 1.6 s of processor time (16%): it was mostly waiting, as on a "
            "loaded or emulated machine; a longer --timeout may let it finish\n");
  const std::string computed = timeout_words(10, 9.7);
  EXPECT_NE(computed.find("9.7 s of processor time (97%)"), std::string::npos) << computed;
  EXPECT_EQ(computed.find("--timeout"), std::string::npos) << computed;
}

TEST(Reproduce, WordsAreQuotedForTheShell) {
  EXPECT_EQ(shell_quote("/usr/bin/qemu-arm"), "/usr/bin/qemu-arm");
  EXPECT_EQ(shell_quote("a b"), "'a b'");
  EXPECT_EQ(shell_quote("it's"), "'it'\\''s'");
  EXPECT_EQ(shell_quote("$(rm -rf x)"), "'$(rm -rf x)'");
  EXPECT_EQ(shell_quote(""), "''");
  EXPECT_EQ(shell_command({"env", "A=x y", "prog"}), "env 'A=x y' prog");
}

TEST(Png, Base64AndARoundTrip) {
  EXPECT_EQ(base64("Man"), "TWFu");
  EXPECT_EQ(base64("Ma"), "TWE=");
  EXPECT_EQ(base64("M"), "TQ==");
  Picture p;
  p.width = 3, p.height = 2, p.channels = 3;
  for (int i = 0; i < 18; i++) p.samples.push_back(static_cast<unsigned char>(i * 14));
  const std::string png = encode_png(p);
#ifdef SUITE_HAVE_PNG
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> back(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr));
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(back, p.samples);
  p.samples.pop_back();  // one sample short: refused, not read past
  EXPECT_EQ(encode_png(p), "");
#else
  EXPECT_EQ(png, "");
#endif
}

}  // namespace
