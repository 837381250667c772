// A while loop nested in another, the inner one resumed with a reduced j.
// Returns 3.
namespace {

int doubleWhile() {
  int i;
  i = 5;
  int j;
  j = 7;
  while (i < 100) {
    i = i + 30;
    while (j < 100) {
      j = j + 6;
    }
    j = j - 100;
  }
  return j;
}

}  // namespace

int main() {
  return doubleWhile();
}
