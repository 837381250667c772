// A while loop around three nested ifs, the innermost with a condition fixed
// when the program is built. Returns 88: the loop ends before the branch that
// would give 168.
namespace {

int deepWhileBr(int a, int b) {
  int c;
  c = a + b;
  while (c < 75) {
    int d;
    d = 42;
    if (c < 100) {
      c = c + d;
      if (c > 99) {
        int e;
        e = d * 2;
        if (1 == 1) {
          c = e * 2;
        }
      }
    }
  }
  return c;
}

}  // namespace

int main() {
  int p;
  p = 2;
  return deepWhileBr(p, p);
}
