#pragma once
#include <cstdint>
#include <vector>

// A sequence of values in which rotating any window costs logarithmic time: an implicit treap
// whose nodes are numbered by the values' first positions.
struct RotationNode {
    uint32_t left, right, size, priority, value;
};

struct RotationTree {
    std::vector<RotationNode> nodes;
    uint32_t root;
};

constexpr uint32_t NoNode = UINT32_MAX;

// A tree holding values in this order. May throw std::bad_alloc.
void BuildRotationTree(RotationTree& tree, const uint32_t* values, uint32_t count);

// Rotates the window of 0-based positions [first, last) so that position `middle` comes first.
void RotateWindow(RotationTree& tree, uint32_t first, uint32_t middle, uint32_t last);

// Writes the values in their current order.
void ReadRotationTree(const RotationTree& tree, uint32_t* values);
