// Building a tileset: partitions of whole slots built apart (a Dask task, or a
// thread of an in-memory build), and the finishing step that builds what they
// handed up and writes the root subtree and tileset.json, last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tiles/tiles.h"

namespace glb::tiles {

struct BuildTotals {
    uint64_t points = 0;
    uint64_t tiles = 0;
    uint64_t bytes = 0;          // of tile contents and subtree files
    uint32_t deepest_level = 0;
};

// The points a partition hands up, with their own copies of the columns:
// each piece's points are [begin, end) of them.
struct HandedPoints {
    std::vector<double> positions;
    std::vector<uint8_t> colors;
    std::vector<std::vector<uint8_t>> attributes;  // values of each attribute column, in its type
    std::vector<uint64_t> ids;
    std::vector<Piece> pieces;
};

struct PartitionResult {
    BuildTotals totals;
    std::vector<TileKey> upper_tiles;  // the tiles it wrote at levels up to S, for the root subtree
    HandedPoints handed;
};

// Builds the points of the slots [slot_begin, slot_end) (each point must lie in
// them): writes their tiles and subtree files into folder, on thread_count
// threads, and returns what the finishing step needs. columns.ids: the
// points' global order for equal codes (the input rows), or nullptr with first_id.
PartitionResult build_partition(const std::string& folder, const TileLayout& layout, const PointColumns& columns,
                                uint64_t slot_begin, uint64_t slot_end, uint32_t thread_count);

// The finishing step over every partition's handed-up points (columns with ids;
// pieces into them, partitions in slot order) and the tiles they wrote at the
// top: writes the remaining tiles, the subtree files above and under them, and
// then tileset.json, through a temporary file renamed into place. Returns the
// totals of the whole build (partition_totals added).
BuildTotals finish_tileset(const std::string& folder, const TileLayout& layout, const PointColumns& handed,
                           const std::vector<Piece>& pieces, const std::vector<TileKey>& upper_tiles,
                           const BuildTotals& partition_totals, uint32_t thread_count);

// A whole tileset of points held in memory, on thread_count threads: the same
// files as any partitioned build of the same points.
BuildTotals build_tileset(const std::string& folder, const TileLayout& layout, const PointColumns& columns,
                          uint32_t thread_count);

}  // namespace glb::tiles
