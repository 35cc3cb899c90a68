// Each layer's broad phase. This is the smallest form the frame object needs
// (ids for the collision shapes' proxies); the layers and collisions work
// replaces it with the cell grid.
#pragma once

#include <cstddef>
#include <vector>

class UniformGrid {
public:
    UniformGrid() = default;
    ~UniformGrid() = default;

    // Sized from the running frame.
    void init();
    int add(void* data, const int* box);
    int add_static(void* data, const int* box);
    void move(int id, const int* box);
    void remove(int id);

    // Tests: the item of an id, null when free.
    void* get_data(int id) const;
    bool is_static(int id) const;

private:
    struct Item {
        void* data;
        int box[4];
        bool is_static;
    };
    int insert(void* data, const int* box, bool is_static);

    std::vector<Item> items;
    std::vector<int> free_ids;
};
