#include "classifier.h"
#include "result_labels.h"

#include "numtext/numtext.h"

#include <cmath>
#include <utility>
#include <vector>

namespace pellin {
namespace {

constexpr int excluded_label = 999;
constexpr float excluded_distance = 1e20f;

// count·100 / total as a percentage text. The product is integer arithmetic in 32 bits: a
// 16-bit product would overflow past 327 samples of a class.
std::string percent(int count, int total) {
    double value = static_cast<double>(count * 100) / static_cast<double>(total);
    return numtext::format(value, "##0.##");
}

std::string percent_of(double value) {
    return numtext::format(value, "##0.##");
}

// Shows a percentage rounded in its label and hands on its exact value.
void show_percent(Report& report, std::string_view label, double value) {
    report.show(label, percent_of(value));
    report.exact(label, value);
}

} // namespace

void show_confusion(Report& report, const Confusion& c) {
    report.show(labels::tested1, std::to_string(c.t1));
    report.show(labels::tested2, std::to_string(c.t2));
    report.show(labels::c1_as_c1, std::to_string(c.t1 - c.err1));
    report.show(labels::c1_as_c1_percent, percent(c.t1 - c.err1, c.t1));
    report.show(labels::c1_as_c2, std::to_string(c.err1));
    report.show(labels::c1_as_c2_percent, percent(c.err1, c.t1));
    report.show(labels::c2_as_c1, std::to_string(c.err2));
    report.show(labels::c2_as_c1_percent, percent(c.err2, c.t2));
    report.show(labels::c2_as_c2, std::to_string(c.t2 - c.err2));
    report.show(labels::c2_as_c2_percent, percent(c.t2 - c.err2, c.t2));
}

Neighbours::Neighbours(const Prototypes& set)
    : set_(set), dist_(static_cast<std::size_t>(set.n) + 1, 0.0f),
      lab_(static_cast<std::size_t>(set.n) + 1, 0) {}

void Neighbours::include(int m, int i) {
    float sum = 0.0f;
    for (int j = 1; j <= set_.d; ++j) {
        const float diff = set_.feature(m, j) - set_.feature(i, j);
        sum = static_cast<float>(static_cast<double>(sum) +
                                 static_cast<double>(diff) * static_cast<double>(diff));
    }
    dist_[static_cast<std::size_t>(m)] = static_cast<float>(std::sqrt(static_cast<double>(sum)));
    lab_[static_cast<std::size_t>(m)] = m;
}

void Neighbours::exclude(int m) {
    dist_[static_cast<std::size_t>(m)] = excluded_distance;
    lab_[static_cast<std::size_t>(m)] = excluded_label;
}

void Neighbours::select(int k) {
    const int n = set_.n;
    for (int j = 1; j <= k && j <= n; ++j) {
        int idx = j;
        for (int m = j + 1; m <= n; ++m)
            if (dist_[static_cast<std::size_t>(m)] < dist_[static_cast<std::size_t>(idx)]) idx = m;
        if (idx != j) {
            std::swap(dist_[static_cast<std::size_t>(j)], dist_[static_cast<std::size_t>(idx)]);
            std::swap(lab_[static_cast<std::size_t>(j)], lab_[static_cast<std::size_t>(idx)]);
        }
    }
}

int Neighbours::votes_class1(int first, int last) const {
    int v1 = 0;
    for (int pos = first; pos <= last; ++pos)
        if (lab_[static_cast<std::size_t>(pos)] <= set_.n1) ++v1;
    return v1;
}

bool is_error(const Prototypes& set, int i, int v1, int k) {
    const int v2 = k - v1;
    return i <= set.n1 ? v1 < v2 : v2 < v1;
}

void partition_scheme(const Prototypes& set, int k, int p, bool stepwise, Report& report) {
    // The counts of a set that passed the checks (n at most max_prototypes).
    const int n1 = static_cast<int>(set.n1);
    const int n = static_cast<int>(set.n);
    const int g1 = n1 / p;
    const int g2 = (n - n1) / p;
    Confusion total;
    std::vector<float> fold_error(static_cast<std::size_t>(p) + 1, 0.0f);
    Neighbours nb(set);
    for (int f = 1; f <= p; ++f) {
        const int s1 = (f - 1) * g1 + 1;
        const int e1 = f == p ? n1 : f * g1;
        const int s2 = n1 + (f - 1) * g2 + 1;
        const int e2 = f == p ? n : n1 + f * g2;
        auto in_test = [&](int m) { return (m >= s1 && m <= e1) || (m >= s2 && m <= e2); };
        Confusion c{e1 - s1 + 1, e2 - s2 + 1, 0, 0};
        auto classify = [&](int i) {
            for (int m = 1; m <= n; ++m) {
                if (in_test(m))
                    nb.exclude(m);
                else
                    nb.include(m, i);
            }
            nb.select(k);
            if (is_error(set, i, nb.votes_class1(1, k), k)) ++(i <= n1 ? c.err1 : c.err2);
        };
        for (int i = s1; i <= e1; ++i)
            classify(i);
        for (int i = s2; i <= e2; ++i)
            classify(i);
        show_confusion(report, c);
        const float e = static_cast<float>(static_cast<double>(c.err1 + c.err2) /
                                           static_cast<double>(c.t1 + c.t2));
        fold_error[static_cast<std::size_t>(f)] = e;
        show_percent(report, labels::overall_error, static_cast<double>(e * 100.0f));
        if (stepwise) {
            report.message("Step" + std::to_string(f) + " (" + std::to_string(s1) + "," +
                               std::to_string(e1) + ") (" + std::to_string(s2) + "," +
                               std::to_string(e2) + ")",
                           "Continue...");
        }
        total.t1 += c.t1;
        total.t2 += c.t2;
        total.err1 += c.err1;
        total.err2 += c.err2;
    }
    show_confusion(report, total);
    const float mean = static_cast<float>(static_cast<double>(total.err1 + total.err2) /
                                          static_cast<double>(total.t1 + total.t2));
    show_percent(report, labels::overall_error, static_cast<double>(mean * 100.0f));
    float sum = 0.0f;
    for (int f = 1; f <= p; ++f) {
        const double dev = static_cast<double>(fold_error[static_cast<std::size_t>(f)]) -
                           static_cast<double>(mean);
        sum = static_cast<float>(static_cast<double>(sum) + dev * dev);
    }
    const float spread =
        static_cast<float>(std::sqrt(static_cast<double>(sum)) / static_cast<double>(p - 1));
    show_percent(report, labels::spread, static_cast<double>(spread * 100.0f));
}

bool editing_scheme(const Prototypes& set, int k, Report& report) {
    const int n1 = static_cast<int>(set.n1);
    const int n = static_cast<int>(set.n);
    const int n2 = n - n1;
    const int h1 = n1 / 2;
    const int h2 = n2 / 2;
    auto in_editing = [&](int m) { return (m > h1 && m <= n1) || m > n1 + h2; };
    std::vector<bool> marked(static_cast<std::size_t>(n) + 1, false);
    Neighbours nb(set);

    Confusion edit{n1 - h1, n2 - h2, 0, 0};
    for (int i = 1; i <= n; ++i) {
        if (!in_editing(i)) continue;
        for (int m = 1; m <= n; ++m) {
            if (in_editing(m))
                nb.include(m, i);
            else
                nb.exclude(m);
        }
        nb.select(k + 1);
        if (is_error(set, i, nb.votes_class1(2, k + 1), k)) {
            ++(i <= n1 ? edit.err1 : edit.err2);
            marked[static_cast<std::size_t>(i)] = true;
        }
    }
    show_confusion(report, edit);
    show_percent(report, labels::overall_error,
                 static_cast<double>(edit.err1 + edit.err2) /
                     static_cast<double>(edit.t1 + edit.t2) * 100.0);
    if (edit.t1 == edit.err1 || edit.t2 == edit.err2) {
        report.message("Edition", "Insufficient number of prototypes");
        return false;
    }
    report.message("Edition", "Continue...");

    Confusion design{h1, h2, 0, 0};
    for (int i = 1; i <= n; ++i) {
        if (in_editing(i)) continue;
        for (int m = 1; m <= n; ++m) {
            if (marked[static_cast<std::size_t>(m)] || !in_editing(m))
                nb.exclude(m);
            else
                nb.include(m, i);
        }
        nb.select(1);
        if (is_error(set, i, nb.votes_class1(1, 1), 1)) ++(i <= n1 ? design.err1 : design.err2);
    }
    show_confusion(report, design);
    show_percent(report, labels::overall_error,
                 static_cast<double>(design.err1 + design.err2) /
                     static_cast<double>(design.t1 + design.t2) * 100.0);
    return true;
}

} // namespace pellin
