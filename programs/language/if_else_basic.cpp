// One if with an else. Returns 25.
namespace {

int ifElse() {
  int a;
  a = 5;
  if (a == 5) {
    a = 25;
  } else {
    a = a * 2;
  }
  return a;
}

}  // namespace

int main() {
  return ifElse();
}
