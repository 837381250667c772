// A global assigned in main and tested. Returns 1.
namespace {

int a = 0;

}  // namespace

int main() {
  a = 10;
  if (a > 0) {
    return 1;
  } else {
    return 0;
  }
}
