#pragma once
// Resource ids of the tree benchmark harness.
#define IDD_TREE_BENCH 100
