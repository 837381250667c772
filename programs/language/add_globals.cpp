// The sum of two initialised globals. Returns 8.
namespace {

int a = 3;
int b = 5;

}  // namespace

int main() {
  return a + b;
}
