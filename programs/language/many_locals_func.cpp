// A function that computes its result through 37 locals: a sum and nine
// groups of four, each group built from the one before. Returns 132.
namespace {

// a - b + 150, reached through every one of the locals.
int func(int a, int b) {
  int s = a + b;
  int c1 = 1;
  int c2 = 2;
  int c3 = 3;
  int c4 = 4;
  int d1 = 1 + c1;
  int d2 = 2 + c2;
  int d3 = 3 + c3;
  int d4 = 4 + c4;
  int e1 = 1 + d1;
  int e2 = 2 + d2;
  int e3 = 3 + d3;
  int e4 = 4 + d4;
  int f1 = 1 + e1;
  int f2 = 2 + e2;
  int f3 = 3 + e3;
  int f4 = 4 + e4;
  int g1 = 1 + f1;
  int g2 = 2 + f2;
  int g3 = 3 + f3;
  int g4 = 4 + f4;
  int h1 = 1 + g1;
  int h2 = 2 + g2;
  int h3 = 3 + g3;
  int h4 = 4 + g4;
  int i1 = 1 + h1;
  int i2 = 2 + h2;
  int i3 = 3 + h3;
  int i4 = 4 + h4;
  int j1 = 1 + i1;
  int j2 = 2 + i2;
  int j3 = 3 + i3;
  int j4 = 4 + i4;
  int k1 = 1 + j1;
  int k2 = 2 + j2;
  int k3 = 3 + j3;
  int k4 = 4 + j4;

  s = a - b + 10;

  // The groups again from the top down (same values), then the first group
  // from the last: 10, 20, 30, 40.
  k1 = 1 + j1;
  k2 = 2 + j2;
  k3 = 3 + j3;
  k4 = 4 + j4;
  j1 = 1 + i1;
  j2 = 2 + i2;
  j3 = 3 + i3;
  j4 = 4 + i4;
  i1 = 1 + h1;
  i2 = 2 + h2;
  i3 = 3 + h3;
  i4 = 4 + h4;
  h1 = 1 + g1;
  h2 = 2 + g2;
  h3 = 3 + g3;
  h4 = 4 + g4;
  g1 = 1 + f1;
  g2 = 2 + f2;
  g3 = 3 + f3;
  g4 = 4 + f4;
  f1 = 1 + e1;
  f2 = 2 + e2;
  f3 = 3 + e3;
  f4 = 4 + e4;
  e1 = 1 + d1;
  e2 = 2 + d2;
  e3 = 3 + d3;
  e4 = 4 + d4;
  d1 = 1 + c1;
  d2 = 2 + c2;
  d3 = 3 + c3;
  d4 = 4 + c4;
  c1 = 1 + k1;
  c2 = 2 + k2;
  c3 = 3 + k3;
  c4 = 4 + k4;

  return s + c1 + c2 + c3 + c4 - d1 - d2 - d3 - d4 + e1 + e2 + e3 + e4 - f1 - f2 - f3 - f4 + g1 +
         g2 + g3 + g4 - h1 - h2 - h3 - h4 + i1 + i2 + i3 + i4 - j1 - j2 - j3 - j4 + k1 + k2 + k3 +
         k4;
}

}  // namespace

int main() {
  int a = 1;
  int b = a + 18;
  return func(a, b);
}
