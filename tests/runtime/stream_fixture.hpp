// Points the process's stdin and stdout at temporary files, so a test can
// feed the runtime's input routines and read back exactly what its output
// routines wrote. Every input fed starts with input_failed() clear.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "console_io.h"

class StreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_in_ = stdin;
    saved_out_ = stdout;
    stdout = std::tmpfile();
    ASSERT_NE(stdout, nullptr);
  }

  void TearDown() override {
    if (stdin != saved_in_) std::fclose(stdin);
    std::fclose(stdout);
    stdin = saved_in_;
    stdout = saved_out_;
  }

  void feed(const std::string& text) {
    if (stdin != saved_in_) std::fclose(stdin);
    stdin = std::tmpfile();
    ASSERT_NE(stdin, nullptr);
    std::fwrite(text.data(), 1, text.size(), stdin);
    std::rewind(stdin);
    runtime_detail::clear_input_failed();
  }

  std::string written() {
    std::fflush(stdout);
    std::rewind(stdout);
    std::string text;
    for (int c; (c = std::getc(stdout)) != EOF;) text.push_back(static_cast<char>(c));
    std::fseek(stdout, 0, SEEK_END);
    return text;
  }

 private:
  std::FILE* saved_in_ = nullptr;
  std::FILE* saved_out_ = nullptr;
};
