// An element of an initialised global array. Returns 4.
namespace {

int a[5] = {0, 1, 2, 3, 4};

}  // namespace

int main() {
  return a[4];
}
