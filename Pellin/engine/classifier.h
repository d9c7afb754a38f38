// k-nearest-neighbour error estimation on a two-class prototype set: the partition scheme and
// the editing scheme, reporting to a window (or console) through `Report`.
#pragma once

#include "prototypes.h"

#include <string>
#include <string_view>

namespace pellin {

/// Where the schemes put their results. Label names are the window's control names.
class Report {
public:
    virtual ~Report() = default;
    /// A result or summary label gets a text.
    virtual void show(std::string_view label, const std::string& text) = 0;
    /// A modal message; the scheme goes on when it returns.
    virtual void message(const std::string& title, const std::string& text) = 0;
    /// The unrounded value behind a percentage label just shown (Label15, Label31), for
    /// whoever keeps the results in full precision.
    virtual void exact(std::string_view /*label*/, double /*value*/) {}
};

/// One confusion table: t1, t2 samples tested per class, err1 class-1 samples called class 2,
/// err2 class-2 samples called class 1.
struct Confusion {
    int t1 = 0;
    int t2 = 0;
    int err1 = 0;
    int err2 = 0;
};

/// Shows t1, t2, the four counts and their percentages ("##0.##" of count·100 / t) in the
/// confusion-table labels, in table order.
void show_confusion(Report& report, const Confusion& c);

/// Working arrays of one classification: distances and labels of the candidates 1 .. n.
class Neighbours {
public:
    explicit Neighbours(const Prototypes& set);

    /// Prototype m takes part as a reference: lab(m) = m, dist(m) = Euclidean distance to i,
    /// the sum of squares accumulated in a 32-bit float.
    void include(int m, int i);
    /// Prototype m takes no part: lab(m) = 999, dist(m) = 1e20.
    void exclude(int m);
    /// Partial selection sort: positions 1 .. k hold the k nearest in ascending distance, the
    /// lower position first among equal distances.
    void select(int k);
    /// Votes for class 1 among positions first .. last (labels <= n1).
    int votes_class1(int first, int last) const;
    int lab(int position) const { return lab_[static_cast<std::size_t>(position)]; }
    float dist(int position) const { return dist_[static_cast<std::size_t>(position)]; }

private:
    const Prototypes& set_;
    std::vector<float> dist_; // 1-based
    std::vector<int> lab_;    // 1-based
};

/// True when sample i (class 1 when i <= n1) is misclassified by v1 votes for class 1 out of k;
/// a tie is never an error.
bool is_error(const Prototypes& set, int i, int v1, int k);

/// The p-fold partition scheme with k neighbours; pauses with "Continue..." after each fold
/// when `stepwise`.
void partition_scheme(const Prototypes& set, int k, int p, bool stepwise, Report& report);

/// The editing scheme: edits the second half of each class with the k-NN rule, then classifies
/// the first half by its nearest edited prototype. Returns false after "Insufficient number of
/// prototypes".
bool editing_scheme(const Prototypes& set, int k, Report& report);

} // namespace pellin
