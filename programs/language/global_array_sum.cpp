// A loop over an initialised global array. Returns 51.
namespace {

int arr[6] = {1, 2, 33, 4, 5, 6};

}  // namespace

int main() {
  int i = 0;
  int sum = 0;
  while (i < 6) {
    sum = sum + arr[i];
    i = i + 1;
  }
  return sum;
}
