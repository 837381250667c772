// Maximum flow from node 1 to node n by Ford-Fulkerson: repeated depth-first
// searches for an augmenting path over fixed-size residual adjacency lists.
//
// Input: n (the sink), m (the edge count), then m triples u v c.
// A self-loop writes both of its entries into one slot and counts two, so a
// self-loop in a node's last slot leaves it 11 entries: that is computed until
// a search reads entry 11, which lies past the node's row.
// Rejected: a node outside 0 to 9, an edge whose entry would go past slot 10
// of a node, a search that reads past a node's 10 slots, a sink of 1 (the
// source itself: every search would return the unlimited bound and the flow
// would never finish), input that ends before m edges were read.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr int nodes = 10;
constexpr int entries = 10;

int size[nodes];
int to[nodes][entries];
int cap[nodes][entries];
int rev[nodes][entries];
int used[nodes];

void my_memset(int* arr, int val, int n) {
  int i = 0;
  while (i < n) {
    arr[i] = val;
    i = i + 1;
  }
}

void add_node(int u, int v, int c) {
  to[u][size[u]] = v;
  cap[u][size[u]] = c;
  rev[u][size[u]] = size[v];

  to[v][size[v]] = u;
  cap[v][size[v]] = 0;
  rev[v][size[v]] = size[u];

  size[u] = size[u] + 1;
  size[v] = size[v] + 1;
}

int dfs(int s, int t, int f) {
  if (s == t) return f;
  used[s] = 1;
  int i = 0;
  while (i < size[s]) {
    if (i == entries)
      lang::reject("flow_network", "node %d holds %d entries: the search reads past its row", s,
                   size[s]);
    if (used[to[s][i]]) {
      i = i + 1;
      continue;
    }
    if (cap[s][i] <= 0) {
      i = i + 1;
      continue;
    }
    int d;
    if (f < cap[s][i])
      d = f;
    else
      d = cap[s][i];
    int r = dfs(to[s][i], t, d);
    if (r > 0) {
      cap[s][i] = cap[s][i] - r;
      cap[to[s][i]][rev[s][i]] = cap[to[s][i]][rev[s][i]] + r;
      return r;
    }
    i = i + 1;
  }
  return 0;
}

int max_flow(int s, int t) {
  int flow = 0;
  while (true) {
    my_memset(used, 0, nodes);
    int x = dfs(s, t, 1879048192);
    if (x == 0) return flow;
    // Many edges out of the source can sum past 32 bits: the total wraps.
    flow = lang::add(flow, x);
  }
}

void check_node(int node) {
  if (node < 0 || node >= nodes)
    lang::reject("flow_network", "node %d outside 0 to %d", node, nodes - 1);
}

// add_node writes slot size[u] of u's row and slot size[v] of v's (the same
// slot for a self-loop).
void check_room(int u, int v) {
  if (size[u] >= entries || size[v] >= entries)
    lang::reject("flow_network", "edge %d %d gives a node more than %d adjacency entries", u, v,
                 entries);
}

}  // namespace

int main() {
  int n = getint();
  int m = getint();
  if (input_failed()) lang::reject("flow_network", "expected the sink and the edge count");
  if (n == 1) lang::reject("flow_network", "sink 1 is the source: the flow is unbounded");
  my_memset(size, 0, nodes);
  int edge = 0;
  while (m > 0) {
    int u = getint();
    int v = getint();
    int c = getint();
    edge = edge + 1;
    if (input_failed()) lang::reject("flow_network", "expected three integers for edge %d", edge);
    check_node(u);
    check_node(v);
    check_room(u, v);
    add_node(u, v, c);
    m = m - 1;
  }
  putint(max_flow(1, n));
  putch(10);
  return 0;
}
