#include "view/trend_store.h"

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

constexpr float kNoLow = std::numeric_limits<float>::infinity();
constexpr float kNoHigh = -std::numeric_limits<float>::infinity();

void Take(float v, float& low, float& high) {
    if (!std::isfinite(v)) return;
    if (v < low) low = v;
    if (v > high) high = v;
}

}  // namespace

void TrendStore::Append(double x, const std::array<float, kLines>& values) {
    const size_t position = Position(size_);
    if (position / kChunk == chunks_.size()) chunks_.push_back(std::make_unique<Chunk>());
    Chunk& chunk = *chunks_.back();
    const size_t slot = position % kChunk;
    chunk.x[slot] = x;
    for (int line = 0; line < kLines; ++line) chunk.y[line][slot] = values[line];
    ++size_;
    // A block, and a chunk, gets its extremes when its last point comes.
    if (slot % kBlock != kBlock - 1) return;
    const size_t block = slot / kBlock;
    for (int line = 0; line < kLines; ++line) {
        float low = kNoLow;
        float high = kNoHigh;
        for (size_t s = block * kBlock; s <= slot; ++s) Take(chunk.y[line][s], low, high);
        chunk.blockLow[line][block] = low;
        chunk.blockHigh[line][block] = high;
        if (block == kBlocks - 1) {
            float chunkLow = kNoLow;
            float chunkHigh = kNoHigh;
            for (size_t b = 0; b < kBlocks; ++b) {
                Take(chunk.blockLow[line][b], chunkLow, chunkHigh);
                Take(chunk.blockHigh[line][b], chunkLow, chunkHigh);
            }
            chunk.low[line] = chunkLow;
            chunk.high[line] = chunkHigh;
        }
    }
}

void TrendStore::DeleteFirst() {
    if (size_ == 0) return;
    --size_;
    if (++first_ == kChunk) {
        chunks_.pop_front();
        first_ = 0;
    }
    if (size_ == 0) Clear();
}

void TrendStore::Clear() {
    chunks_.clear();
    first_ = 0;
    size_ = 0;
}

double TrendStore::X(size_t i) const {
    const size_t p = Position(i);
    return ChunkAt(p).x[p % kChunk];
}

float TrendStore::Y(int line, size_t i) const {
    const size_t p = Position(i);
    return ChunkAt(p).y[line][p % kChunk];
}

size_t TrendStore::LowerBound(double x) const {
    size_t low = 0;
    size_t high = size_;
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (X(middle) < x) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

bool TrendStore::MinMax(int line, size_t begin, size_t end, float& low, float& high) const {
    low = kNoLow;
    high = kNoHigh;
    size_t a = Position(begin);
    const size_t b = Position(end);
    while (a < b) {
        const Chunk& chunk = ChunkAt(a);
        const size_t slot = a % kChunk;
        if (slot == 0 && b - a >= kChunk) {  // a whole chunk
            Take(chunk.low[line], low, high);
            Take(chunk.high[line], low, high);
            a += kChunk;
        } else if (slot % kBlock == 0 && b - a >= kBlock) {  // a whole block
            Take(chunk.blockLow[line][slot / kBlock], low, high);
            Take(chunk.blockHigh[line][slot / kBlock], low, high);
            a += kBlock;
        } else {
            Take(chunk.y[line][slot], low, high);
            ++a;
        }
    }
    return low <= high;
}

size_t TrendStore::BytesUsed() const {
    return chunks_.size() * sizeof(Chunk);
}

}  // namespace quorvel
