#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

namespace quorvel {

// The points of the trend chart's four lines. They always have the same length and the same
// time stamps (the display refresh adds one point to each), so one time column serves all
// four; values are floats, as the module sends them. Points are kept in chunks of 4096:
// appending at the end and deleting at the front are O(1), and a day of points (about two
// million a line) costs about 6 bytes a point and a line.
//
// Each chunk also keeps the minimum and maximum of every 64 points and of the whole chunk,
// so the extremes of any run of points are found in O(64 + 64 + chunks) steps: the chart
// draws a pixel column of any number of points in constant time.
class TrendStore {
  public:
    static constexpr int kLines = 4;

    void Append(double x, const std::array<float, kLines>& values);
    void DeleteFirst();
    void Clear();

    size_t Size() const { return size_; }
    double X(size_t i) const;
    float Y(int line, size_t i) const;
    // The first point whose time is not before x (Size() when there is none).
    size_t LowerBound(double x) const;
    // Minimum and maximum of the finite values of points [begin, end); false when none.
    bool MinMax(int line, size_t begin, size_t end, float& low, float& high) const;
    // Memory held for the points, aggregates included.
    size_t BytesUsed() const;

  private:
    static constexpr size_t kChunk = 4096;
    static constexpr size_t kBlock = 64;
    static constexpr size_t kBlocks = kChunk / kBlock;

    struct Chunk {
        double x[kChunk];
        float y[kLines][kChunk];
        float blockLow[kLines][kBlocks];
        float blockHigh[kLines][kBlocks];
        float low[kLines];
        float high[kLines];
    };

    // Positions count from the first slot of the first chunk.
    size_t Position(size_t i) const { return first_ + i; }
    const Chunk& ChunkAt(size_t position) const { return *chunks_[position / kChunk]; }

    std::deque<std::unique_ptr<Chunk>> chunks_;
    size_t first_ = 0;  // slot of point 0 in the first chunk
    size_t size_ = 0;
};

}  // namespace quorvel
