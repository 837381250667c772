// Shortest path lengths from node 1 by the quadratic form of Dijkstra's
// method over an adjacency matrix; 65535 stands for "no edge" and for "no
// distance yet". Prints the distances of nodes 1 to n, each followed by a
// space, then a newline.
//
// Input: n, m, then m triples u v weight. Nodes 0 to 15 lie inside the
// matrix and are stored as given, also above n or as node 0 (whose row the
// relaxation from node 0 uses). A negative n runs no round and prints an
// empty line.
// Rejected: n above 15 (the matrix has 16 rows, node 0 among them), n = -2147483648
// (n - 1 wraps to the largest integer, which the round counter never passes),
// a node outside 0 to 15, input that ends before m edges were read.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr int last_node = 15;
constexpr int no_edge = 65535;

int n;
int m;
int e[16][16];
int dis[16];
int book[16];

void Dijkstra() {
  int i = 1;
  while (i <= n) {
    dis[i] = e[1][i];
    book[i] = 0;
    i = i + 1;
  }
  book[1] = 1;

  int round = 1;
  while (round <= n - 1) {
    int best = no_edge;
    int chosen = 0;
    int k = 1;
    while (k <= n) {
      if (best > dis[k] && book[k] == 0) {
        best = dis[k];
        chosen = k;
      }
      k = k + 1;
    }
    // When no node qualified, node 0 is taken: its row and distance are all
    // 0, so every positive distance drops to 0.
    book[chosen] = 1;
    int j = 1;
    while (j <= n) {
      if (e[chosen][j] < no_edge) {
        int through = lang::add(dis[chosen], e[chosen][j]);
        if (dis[j] > through) dis[j] = through;
      }
      j = j + 1;
    }
    round = round + 1;
  }
}

void check_node(int node) {
  if (node < 0 || node > last_node)
    lang::reject("shortest_paths", "node %d outside 0 to %d", node, last_node);
}

}  // namespace

int main() {
  n = getint();
  m = getint();
  if (input_failed()) lang::reject("shortest_paths", "input ended before the node and edge count");
  if (n > last_node) lang::reject("shortest_paths", "node count %d above %d", n, last_node);
  if (n == lang::int_min)
    lang::reject("shortest_paths", "node count %d: the rounds would never end", n);

  int i = 1;
  while (i <= n) {
    int j = 1;
    while (j <= n) {
      if (i == j)
        e[i][j] = 0;
      else
        e[i][j] = no_edge;
      j = j + 1;
    }
    i = i + 1;
  }

  i = 1;
  while (i <= m) {
    int u = getint();
    int v = getint();
    int weight = getint();
    if (input_failed()) lang::reject("shortest_paths", "input ended within edge %d", i);
    check_node(u);
    check_node(v);
    // A later edge between the same pair replaces the earlier one.
    e[u][v] = weight;
    i = i + 1;
  }

  Dijkstra();

  i = 1;
  while (i <= n) {
    putint(dis[i]);
    putch(32);
    i = i + 1;
  }
  putch(10);
  return 0;
}
