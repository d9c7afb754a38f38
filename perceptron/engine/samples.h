// The two built-in sample sets: two features measured on images of the handwritten letters U
// and V, and the learning rate that goes with each set.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace perceptron {

/// One feature vector: x is the horizontal feature, y the vertical one.
struct Sample {
    float x = 0;
    float y = 0;
};

/// The two classes of a set; both hold the same number of samples.
struct SampleSet {
    std::vector<Sample> u; ///< class U, the positive class
    std::vector<Sample> v; ///< class V
};

/// Which built-in set is selected; `none` before the user has chosen one.
enum class SetChoice { none = 0, set1 = 1, set2 = 2 };

/// The samples of a built-in set: 8 per class for Set 1, 10 per class for Set 2 (whose first 8
/// equal Set 1). `none` gives an empty set.
SampleSet built_in_set(SetChoice choice);

/// The learning rate η of a set: 1.25 for Set 1, 0.05 otherwise.
float learning_rate(SetChoice choice);

/// The name of the letter image sample `index` (from 0) was measured on: "U1".."U10" for class
/// U (`is_u`), "V1".."V10" for class V.
std::string image_name(bool is_u, std::size_t index);

} // namespace perceptron
