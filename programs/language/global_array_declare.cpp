// A global array declared without an initialiser and never read.
// Returns 0.
namespace {

[[maybe_unused]] int a[100];

}  // namespace

int main() {
  return 0;
}
