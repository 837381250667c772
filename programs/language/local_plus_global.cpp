// A local that hides a global of the same name, plus another global.
// Returns 10.
namespace {

[[maybe_unused]] int a = 3;
int b = 5;

}  // namespace

int main() {
  int a = 5;  // hides the global a
  return a + b;
}
