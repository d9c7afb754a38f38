// A rectangular array stored row by row: the shape of patterns and weight matrices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly {

/// rows x columns values, element (r, c) at r * columns + c. An array with no elements is
/// "empty" (a recall with nothing to recall from returns one).
template <typename T> class Array2D {
public:
    Array2D() = default;
    Array2D(int rows, int columns, T fill = T{})
        : rows_(rows > 0 && columns > 0 ? rows : 0),
          columns_(rows > 0 && columns > 0 ? columns : 0),
          data_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), fill) {}

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    bool empty() const { return data_.empty(); }
    std::size_t size() const { return data_.size(); }

    T& operator()(int r, int c) { return data_[index(r, c)]; }
    const T& operator()(int r, int c) const { return data_[index(r, c)]; }

    /// Every element, row by row.
    std::vector<T>& values() { return data_; }
    const std::vector<T>& values() const { return data_; }

    bool operator==(const Array2D&) const = default;

private:
    std::size_t index(int r, int c) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(c);
    }
    int rows_ = 0;
    int columns_ = 0;
    std::vector<T> data_;
};

/// A drawn pattern: +1 = on (black), -1 = off (white).
using Pattern = Array2D<std::int16_t>;

/// A synaptic weight matrix: element (i, j) is the weight from neuron j into neuron i.
using FloatMatrix = Array2D<float>;

} // namespace tessaly
