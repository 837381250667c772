// A function returning a constant, stored in a local and returned. Returns 4.
namespace {

int defn() {
  return 4;
}

}  // namespace

int main() {
  int a = defn();
  return a;
}
