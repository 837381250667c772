// The diagnosis of a red run: how a failed case is classified, and how the
// failing cases are matched with the known faults' signatures.
#include "diagnosis.hpp"

#include <gtest/gtest.h>

using namespace conformance;

namespace {

TEST(ClassifyOutput, TellsFloatsNanSignsAndOtherBytesApart) {
  EXPECT_EQ(classify_output("x 0x1.8p+1\n", "x 0x1.8p+1\n"), Difference::none);
  EXPECT_EQ(classify_output("0x1.921fb6p+1 2\n", "0x1.921fb4p+1 2\n"), Difference::ulps);
  EXPECT_EQ(classify_output("a: -0x0p+0\n", "a: 0x0p+0\n"), Difference::ulps);
  EXPECT_EQ(classify_output("0x1p-149\n", "0x0p+0\n"), Difference::ulps);
  EXPECT_EQ(classify_output("1.5 inf\n", "1.5 0x1.fffffep+127\n"), Difference::ulps);
  EXPECT_EQ(classify_output("nan -nan\n", "-nan -nan\n"), Difference::nan_sign);
  // A NaN sign and a float both: the float is the weightier.
  EXPECT_EQ(classify_output("nan 0x1p+0\n", "-nan 0x1.000002p+0\n"), Difference::ulps);
  // Integers, a NaN where a number was, and changed layout are other bytes.
  EXPECT_EQ(classify_output("12\n", "13\n"), Difference::bytes);
  EXPECT_EQ(classify_output("0x1p+0\n", "nan\n"), Difference::bytes);
  EXPECT_EQ(classify_output("0x1p+0 0x1p+1\n", "0x1p+0\n"), Difference::bytes);
  EXPECT_EQ(classify_output("0x1p+0\n", "0x1p+0 \n"), Difference::bytes);
}

TEST(ClassifyRun, TheWeightiestEndOfARunWins) {
  common::Case c;
  c.out = "0x1p+0\n";
  c.err = "";
  c.status = 0;
  common::RunResult r;
  r.status = 0;
  r.out = "0x1.000002p+0\n";
  EXPECT_EQ(classify_run(c, r), Difference::ulps);
  r.err = "oops\n";
  EXPECT_EQ(classify_run(c, r), Difference::bytes);
  r.status = 1;
  EXPECT_EQ(classify_run(c, r), Difference::exit_status);
  r.status = -1;
  r.signal = 8;
  EXPECT_EQ(classify_run(c, r), Difference::crash);
  r.timed_out = true;
  EXPECT_EQ(classify_run(c, r), Difference::timeout);
  common::RunResult flood;
  flood.overflow = 1;
  EXPECT_EQ(classify_run(c, flood), Difference::bytes);
  common::RunResult left;  // same output, but a process was left running
  left.status = 0;
  left.out = *c.out;
  left.left_running = true;
  EXPECT_EQ(classify_run(c, left), Difference::bytes);
}

TEST(DifferenceNames, RoundTrip) {
  for (auto d : {Difference::ulps, Difference::nan_sign, Difference::timeout, Difference::crash,
                 Difference::exit_status, Difference::bytes})
    EXPECT_EQ(difference_from_name(difference_name(d)), d);
  EXPECT_FALSE(difference_from_name("ulp"));
}

// Signatures over the cases p/0 .. p/19.
const char* const signatures = R"({
  "cases": ["p/0","p/1","p/2","p/3","p/4","p/5","p/6","p/7","p/8","p/9",
            "p/10","p/11","p/12","p/13","p/14","p/15","p/16","p/17","p/18","p/19"],
  "faults": [
    {"name": "ftz", "what": "flush-to-zero",
     "fails": {"p/0": "ulps", "p/1": "ulps", "p/2": "ulps", "p/3": "ulps"}},
    {"name": "fast", "what": "everything fast",
     "fails": {"p/0": "ulps", "p/1": "ulps", "p/2": "ulps", "p/3": "ulps",
               "p/4": "timeout", "p/5": "timeout", "p/6": "nan-sign", "p/7": "ulps"}},
    {"name": "trap", "what": "trapping division",
     "fails": {"p/10": "crash", "p/11": "crash", "p/12": "crash"}},
    {"name": "late", "what": "judged on fewer cases", "cases": ["p/18", "p/19"],
     "fails": {"p/19": "bytes"}}
  ]})";

Observed run(std::initializer_list<std::pair<int, Difference>> failed, int cases = 20) {
  Observed o;
  for (int i = 0; i < cases; i++) o.ran.insert("p/" + std::to_string(i));
  for (const auto& [i, d] : failed) o.failed["p/" + std::to_string(i)] = d;
  return o;
}

const auto U = Difference::ulps, T = Difference::timeout, C = Difference::crash,
           N = Difference::nan_sign, B = Difference::bytes;

TEST(Diagnose, AGreenRunHasNoDiagnosis) {
  EXPECT_TRUE(diagnose(run({}), parse_signatures(signatures)).empty());
}

TEST(Diagnose, NamesTheFaultWhoseCasesFailAndGivesItsEvidence) {
  const auto lines = diagnose(run({{0, U}, {1, U}, {2, U}, {3, U}}), parse_signatures(signatures));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "likely cause: ftz (flush-to-zero): 4 of the 4 cases it fails fail here, and 0 of "
            "the 16 it passes; explains 4 of the 4 failures");
}

TEST(Diagnose, TheWiderFaultWhenItsOtherCasesFailToo) {
  // fast-math's failures include flush-to-zero's: the wider one explains all.
  const auto lines = diagnose(run({{0, U}, {1, U}, {2, U}, {3, U}, {4, T}, {5, T}, {6, N}, {7, U}}),
                              parse_signatures(signatures));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].starts_with("likely cause: fast (everything fast): 8 of the 8 cases"))
      << lines[0];
}

TEST(Diagnose, TwoFaultsAtOnceAreNamedTogether) {
  const auto lines = diagnose(run({{0, U}, {1, U}, {2, U}, {3, U}, {10, C}, {11, C}, {12, C}}),
                              parse_signatures(signatures));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0].starts_with("likely cause: ftz ")) << lines[0];
  EXPECT_TRUE(lines[0].ends_with("explains 4 of the 7 failures")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("likely cause: trap ")) << lines[1];
  EXPECT_EQ(lines[2], "likely cause: ftz and trap together: they explain 7 of the 7 failures");
}

TEST(Diagnose, FaultsTheRunCannotTellApartShareALine) {
  const std::string twins = R"({"faults": [
      {"name": "x87", "what": "excess precision", "fails": {"p/0": "ulps", "p/1": "ulps"}},
      {"name": "x87-64", "what": "the same on x86-64", "fails": {"p/0": "ulps", "p/1": "ulps"}}]})";
  const auto lines = diagnose(run({{0, U}, {1, U}}), parse_signatures(twins));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "likely cause: x87 (excess precision) or, alike here, x87-64 (the same on x86-64): 2 "
            "of the 2 cases it fails fail here; explains 2 of the 2 failures (thin evidence: 2 "
            "cases)");
}

TEST(Diagnose, WeakEvidenceNamesNoFault) {
  // Two of flush-to-zero's four cases: not enough to name it.
  const auto lines = diagnose(run({{0, U}, {1, U}}), parse_signatures(signatures));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "likely cause: none of the known faults (2 failing cases unexplained); nearest: ftz, "
            "2 of the 4 cases it fails fail here");
}

TEST(Diagnose, AnotherKindOfDifferenceIsNotExplained) {
  // The cases of trapping division, failing by their output instead.
  const auto lines = diagnose(run({{10, B}, {11, B}, {12, B}}), parse_signatures(signatures));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].starts_with("likely cause: none of the known faults (3 failing cases"))
      << lines[0];
}

TEST(Diagnose, WhatNoFaultExplainsIsSaidApart) {
  const auto lines =
      diagnose(run({{10, C}, {11, C}, {12, C}, {15, B}}), parse_signatures(signatures));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].starts_with("likely cause: trap ")) << lines[0];
  EXPECT_EQ(lines[1], "likely cause: none of the known faults for the other 1 failing case");
}

TEST(Diagnose, ASignatureTakenOutLeavesTheFailuresUnexplained) {
  const std::string without_trap = R"({"faults": [{"name": "ftz", "what": "flush-to-zero",
      "fails": {"p/0": "ulps", "p/1": "ulps", "p/2": "ulps", "p/3": "ulps"}}]})";
  const auto lines = diagnose(run({{10, C}, {11, C}, {12, C}}), parse_signatures(without_trap));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "likely cause: none of the known faults (3 failing cases unexplained)");
}

TEST(Diagnose, OnlyTheCasesThatRanCount) {
  // A filtered run of p/0 and p/1: both of ftz's cases that ran fail, the
  // two it did not run count neither way (and are thin evidence); on these
  // cases fast-math cannot be told from it.
  Observed o;
  o.ran = {"p/0", "p/1", "p/15"};
  o.failed = {{"p/0", U}, {"p/1", U}};
  const auto lines = diagnose(o, parse_signatures(signatures));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0],
            "likely cause: ftz (flush-to-zero) or, alike here, fast (everything fast): 2 of the 2 "
            "cases it fails fail here, and 0 of the 1 it passes; explains 2 of the 2 failures "
            "(thin evidence: 2 cases)");
  // A fault judged on fewer cases: p/19 is its, p/15 is not.
  o.ran.insert("p/19");
  o.failed["p/19"] = B;
  const auto more = diagnose(o, parse_signatures(signatures));
  EXPECT_NE(std::find_if(more.begin(), more.end(),
                         [](const auto& l) { return l.starts_with("likely cause: late "); }),
            more.end());
}

TEST(Signatures, AMalformedFileSaysWhatIsWrong) {
  EXPECT_THROW(parse_signatures("[]"), std::runtime_error);
  EXPECT_THROW(parse_signatures(R"({"faults": [{"what": "x", "fails": {}}]})"), std::runtime_error);
  EXPECT_THROW(parse_signatures(R"({"faults": [{"name": "x", "fails": {"p/0": "ulp"}}]})"),
               std::runtime_error);
  EXPECT_THROW(read_signatures("/nonexistent/signatures.json"), std::runtime_error);
}

TEST(Signatures, LieBesideTheCaseFolder) {
  EXPECT_EQ(signatures_beside("/src/tests/cases"), "/src/tests/faults/signatures.json");
  EXPECT_EQ(signatures_beside("/usr/share/suite/cases/"),
            "/usr/share/suite/faults/signatures.json");
  EXPECT_EQ(signatures_beside("cases"), "faults/signatures.json");
}

}  // namespace
