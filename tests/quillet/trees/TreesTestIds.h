#pragma once
// Resource ids of the tree tests.
#define IDP_TREE_GLYPHS 601
#define IDP_TREE_ICONS 602
#define IDD_TREES_DIALOG 610
