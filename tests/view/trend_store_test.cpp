#include "view/trend_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <limits>
#include <random>

namespace quorvel {
namespace {

// The store against a plain deque, through appends, deletions and range queries.
TEST(TrendStore, MatchesAPlainDeque) {
    std::mt19937 random(5);
    TrendStore store;
    std::deque<std::array<float, 4>> values;
    std::deque<double> xs;
    double x = 0;
    for (int step = 0; step < 30000; ++step) {
        const int action = static_cast<int>(random() % 10);
        if (action < 7 || values.empty()) {
            std::array<float, 4> v;
            for (float& f : v) f = static_cast<float>(random() % 2001) / 10.0f - 100.0f;
            if (random() % 50 == 0) v[random() % 4] = std::numeric_limits<float>::quiet_NaN();
            x += 0.04;
            store.Append(x, v);
            values.push_back(v);
            xs.push_back(x);
        } else {
            store.DeleteFirst();
            values.pop_front();
            xs.pop_front();
        }
        ASSERT_EQ(store.Size(), values.size());
        if (step % 97 != 0 || values.empty()) continue;
        const size_t a = random() % values.size();
        const size_t b = a + random() % (values.size() - a + 1);
        const int line = static_cast<int>(random() % 4);
        float low = 0, high = 0;
        const bool found = store.MinMax(line, a, b, low, high);
        float expectLow = std::numeric_limits<float>::infinity();
        float expectHigh = -expectLow;
        for (size_t i = a; i < b; ++i) {
            const float v = values[i][line];
            if (std::isfinite(v)) {
                expectLow = std::min(expectLow, v);
                expectHigh = std::max(expectHigh, v);
            }
        }
        ASSERT_EQ(found, expectLow <= expectHigh);
        if (found) {
            ASSERT_EQ(low, expectLow);
            ASSERT_EQ(high, expectHigh);
        }
        ASSERT_EQ(store.X(a), xs[a]);
        ASSERT_EQ(store.LowerBound(xs[a]), a);
    }
}

TEST(TrendStore, ADayOfPointsTakesUnderEightBytesAPoint) {
    TrendStore store;
    const size_t day = 2160000;
    for (size_t i = 0; i < day; ++i) store.Append(static_cast<double>(i), {1, 2, 3, 4});
    for (int i = 0; i < 5000; ++i) {  // sliding
        store.DeleteFirst();
        store.Append(static_cast<double>(day + i), {1, 2, 3, 4});
    }
    const double perPoint = static_cast<double>(store.BytesUsed()) / (day * 4);
    EXPECT_LT(perPoint, 8.0);
    store.Clear();
    EXPECT_EQ(store.BytesUsed(), 0u);
}

}  // namespace
}  // namespace quorvel
