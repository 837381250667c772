// A constant local, known when the program is built. Returns 5.
int main() {
  [[maybe_unused]] constexpr int a = 10;
  constexpr int b = 5;
  return b;
}
