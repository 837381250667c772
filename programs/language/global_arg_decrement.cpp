// A global passed by value: the callee changes its parameter, not the global.
// Returns 9.
namespace {

int a = 0;

int func(int p) {
  p = p - 1;
  return p;
}

}  // namespace

int main() {
  a = 10;
  int b = func(a);
  return b;
}
