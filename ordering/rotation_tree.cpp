#include "ordering/rotation_tree.h"

#include <utility>

static uint32_t SizeOf(const RotationTree& tree, uint32_t node) {
    return node == NoNode ? 0 : tree.nodes[node].size;
}

static void Update(RotationTree& tree, uint32_t node) {
    tree.nodes[node].size = 1 + SizeOf(tree, tree.nodes[node].left) + SizeOf(tree, tree.nodes[node].right);
}

static uint32_t Merge(RotationTree& tree, uint32_t a, uint32_t b) {
    if (a == NoNode)
        return b;
    if (b == NoNode)
        return a;
    if (tree.nodes[a].priority > tree.nodes[b].priority) {
        tree.nodes[a].right = Merge(tree, tree.nodes[a].right, b);
        Update(tree, a);
        return a;
    }
    tree.nodes[b].left = Merge(tree, a, tree.nodes[b].left);
    Update(tree, b);
    return b;
}

// Splits off the first `count` values of the subtree at node.
static std::pair<uint32_t, uint32_t> Split(RotationTree& tree, uint32_t node, uint32_t count) {
    if (node == NoNode)
        return {NoNode, NoNode};
    const uint32_t leftSize = SizeOf(tree, tree.nodes[node].left);
    if (count <= leftSize) {
        const auto [first, rest] = Split(tree, tree.nodes[node].left, count);
        tree.nodes[node].left = rest;
        Update(tree, node);
        return {first, node};
    }
    const auto [first, rest] = Split(tree, tree.nodes[node].right, count - leftSize - 1);
    tree.nodes[node].right = first;
    Update(tree, node);
    return {node, rest};
}

// Random priorities keep the expected depth logarithmic whatever rotations are made.
static uint32_t NextPriority(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

void BuildRotationTree(RotationTree& tree, const uint32_t* values, uint32_t count) {
    tree.nodes.resize(count);
    for (uint32_t node = 0; node < count; ++node)
        tree.nodes[node] = RotationNode{NoNode, NoNode, 1, 0, values[node]};
    // Linear-time build of the treap over the values in order: the right spine is kept on a stack.
    std::vector<uint32_t> spine;
    uint32_t state = 2463534242u;
    for (uint32_t node = 0; node < count; ++node) {
        tree.nodes[node].priority = NextPriority(state);
        uint32_t lastPopped = NoNode;
        while (!spine.empty() && tree.nodes[spine.back()].priority < tree.nodes[node].priority) {
            lastPopped = spine.back();
            spine.pop_back();
            Update(tree, lastPopped);
        }
        tree.nodes[node].left = lastPopped;
        if (!spine.empty())
            tree.nodes[spine.back()].right = node;
        spine.push_back(node);
    }
    while (spine.size() > 1) {
        Update(tree, spine.back());
        spine.pop_back();
    }
    tree.root = spine.empty() ? NoNode : spine.front();
    if (tree.root != NoNode)
        Update(tree, tree.root);
}

void RotateWindow(RotationTree& tree, uint32_t first, uint32_t middle, uint32_t last) {
    const auto [before, fromFirst] = Split(tree, tree.root, first);
    const auto [window, after] = Split(tree, fromFirst, last - first);
    const auto [head, tail] = Split(tree, window, middle - first);
    tree.root = Merge(tree, before, Merge(tree, Merge(tree, tail, head), after));
}

void ReadRotationTree(const RotationTree& tree, uint32_t* values) {
    std::vector<uint32_t> path;
    uint32_t node = tree.root;
    while (node != NoNode || !path.empty()) {
        for (; node != NoNode; node = tree.nodes[node].left)
            path.push_back(node);
        node = path.back();
        path.pop_back();
        *values++ = tree.nodes[node].value;
        node = tree.nodes[node].right;
    }
}
