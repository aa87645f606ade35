#include "ordering/rotation_tree.h"

#include <utility>

static uint32_t SizeOf(const RotationTree& tree, uint32_t node) {
    return node == NoNode ? 0 : tree.size[node];
}

static void Update(RotationTree& tree, uint32_t node) {
    tree.size[node] = 1 + SizeOf(tree, tree.left[node]) + SizeOf(tree, tree.right[node]);
}

static uint32_t Merge(RotationTree& tree, uint32_t a, uint32_t b) {
    if (a == NoNode)
        return b;
    if (b == NoNode)
        return a;
    if (tree.priority[a] > tree.priority[b]) {
        tree.right[a] = Merge(tree, tree.right[a], b);
        Update(tree, a);
        return a;
    }
    tree.left[b] = Merge(tree, a, tree.left[b]);
    Update(tree, b);
    return b;
}

// Splits off the first `count` values of the subtree at node.
static std::pair<uint32_t, uint32_t> Split(RotationTree& tree, uint32_t node, uint32_t count) {
    if (node == NoNode)
        return {NoNode, NoNode};
    const uint32_t leftSize = SizeOf(tree, tree.left[node]);
    if (count <= leftSize) {
        const auto [first, rest] = Split(tree, tree.left[node], count);
        tree.left[node] = rest;
        Update(tree, node);
        return {first, node};
    }
    const auto [first, rest] = Split(tree, tree.right[node], count - leftSize - 1);
    tree.right[node] = first;
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
    tree.value.assign(values, values + count);
    tree.left.assign(count, NoNode);
    tree.right.assign(count, NoNode);
    tree.size.assign(count, 1);
    tree.priority.resize(count);
    // Linear-time build of the treap over the values in order: the right spine is kept on a stack.
    std::vector<uint32_t> spine;
    uint32_t state = 2463534242u;
    for (uint32_t node = 0; node < count; ++node) {
        tree.priority[node] = NextPriority(state);
        uint32_t lastPopped = NoNode;
        while (!spine.empty() && tree.priority[spine.back()] < tree.priority[node]) {
            lastPopped = spine.back();
            spine.pop_back();
            Update(tree, lastPopped);
        }
        tree.left[node] = lastPopped;
        if (!spine.empty())
            tree.right[spine.back()] = node;
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
        for (; node != NoNode; node = tree.left[node])
            path.push_back(node);
        node = path.back();
        path.pop_back();
        *values++ = tree.value[node];
        node = tree.right[node];
    }
}
