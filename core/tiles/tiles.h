// 3D Tiles 1.1 point tilesets: an implicit octree of small GLB tiles with
// additive refinement, written into a folder.
//
// The tree. Points are ordered by their 63-bit Morton code over the root cube
// (21 bits a coordinate), ties by their id (the input row), so that a tile at
// level L is a contiguous run of codes sharing their top 3 L bits. From the root
// down, a tile keeps the first point of each cell of a grid of 2^k cells an axis
// over it (k = sample depth: 8^k <= points_per_tile), and hands the others to
// its children; a tile with at most points_per_tile points left keeps them all
// and has no children. Every point lies in exactly one tile, and each tile's
// sample spacing halves with every level, as implicit tiling's geometric errors do.
//
// Partitions. Subtrees span S = min(k, 5) levels. The points can be cut into
// partitions of whole level-S tiles ("slots") and built apart: a sample cell
// at level L has depth L + k >= S, so it lies in one slot and every choice of a
// first point is the partition's own. Only the tiles above level S that cross a
// partition's edge ("straddling") need the other partitions: a partition with
// more than points_per_tile points of such a tile samples its share and hands
// the sample up; one with fewer hands them all up, unbuilt (deferred). The
// finishing step then builds the straddling tiles and everything below the
// deferred points with the same rule, and writes the root subtree and
// tileset.json. The bytes therefore do not depend on how the points were cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glb::tiles {

constexpr unsigned kCodeDepth = 21;   // cells an axis: 2^21
constexpr unsigned kMaxSubtreeLevels = 5;
constexpr uint64_t kMinPointsPerTile = 64;

// The element type of an attribute column.
enum class ScalarType : uint8_t { int8, uint8, int16, uint16, int32, uint32, int64, uint64, float32, float64 };
size_t scalar_size(ScalarType type);

// A per-point attribute: its name (an identifier), values, and the dataset's extremes.
struct AttributeColumn {
    std::string name;
    ScalarType type = ScalarType::float32;
    const void* values = nullptr;  // one value a point
    double minimum = 0;
    double maximum = 0;
};

// The points' columns: positions (x, y, z float64 per point, z up), optional
// colours (color_width = 3 or 4 bytes per point), attributes, and ids (the
// order of points of equal code; nullptr: the row number plus first_id).
struct PointColumns {
    const double* positions = nullptr;
    const uint8_t* colors = nullptr;
    unsigned color_width = 0;
    std::vector<AttributeColumn> attributes;
    const uint64_t* ids = nullptr;
    uint64_t first_id = 0;
    size_t count = 0;
};

// What a build is: the root cube and the rules, the same for every partition.
struct TileLayout {
    double center[3] = {0, 0, 0};  // of the root cube, in input coordinates
    double half_side = 0.5;
    unsigned sample_depth = 1;     // k
    unsigned subtree_levels = 1;   // S, also the level of the partitions' slots
    uint64_t points_per_tile = 65536;
    bool meshopt = true;
    double root_transform[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // column-major; the centre's
                                                                              // translation, or a globe placement
};

// The layout of points within these extremes: a cube around them (side: the
// largest extent, 1 when every point coincides), its centre as the root
// transform's translation. points_per_tile must be at least kMinPointsPerTile.
TileLayout tile_layout(const double minimum[3], const double maximum[3], uint64_t points_per_tile, bool meshopt);

// The slots a level-S tile index spans: 8^S.
inline uint64_t slot_count(const TileLayout& layout) { return uint64_t(1) << (3 * layout.subtree_levels); }

// Writes each point's Morton code (21 bits an axis, x in the lowest bit of
// each triple) over the layout's cube; points outside it fall in its edge cells.
void tile_codes(uint64_t* codes, const double* positions, size_t count, const TileLayout& layout);

// The slot (level-S tile) of a code.
inline uint64_t slot_of(uint64_t code, const TileLayout& layout) {
    return code >> (3 * (kCodeDepth - layout.subtree_levels));
}

// Sorts rows by (code, id): writes the sorted rows into order and their codes
// into sorted_codes, on thread_count threads. ids: nullptr for the row numbers.
void sort_points(uint32_t* order, uint64_t* sorted_codes, const uint64_t* codes, const uint64_t* ids, size_t count,
                 uint32_t thread_count);

// A tile: its level and Morton index among the tiles of that level.
struct TileKey {
    uint32_t level = 0;
    uint64_t index = 0;
};
inline bool operator<(const TileKey& a, const TileKey& b) {
    return a.level != b.level ? a.level < b.level : a.index < b.index;
}
inline bool operator==(const TileKey& a, const TileKey& b) { return a.level == b.level && a.index == b.index; }

// A partition's share of a straddling tile, handed to the finishing step:
// its sample (sample = true; local_count points of the tile were the
// partition's) or all its points, unbuilt.
struct Piece {
    TileKey key;
    bool sample = false;
    uint64_t local_count = 0;
    uint64_t begin = 0, end = 0;  // into TilePlan::piece_points
};

// A tile the planner built: its points, [begin, end) of TilePlan::members.
struct PlannedTile {
    TileKey key;
    uint64_t begin = 0, end = 0;
};

// Points handed up by the partitions, for the finishing step: per point of
// the pool (sorted like the planner's points), the piece it came with.
struct PooledPieces {
    std::vector<Piece> pieces;          // begin/end into pool positions of their points
    std::vector<uint32_t> piece_of;     // per pool position: index into pieces
};

struct TilePlan {
    std::vector<PlannedTile> tiles;     // in build order (level by level)
    std::vector<uint32_t> members;      // sorted positions of each tile's points, in (code, id) order
    std::vector<Piece> pieces;          // straddling tiles' shares (partitions only)
    std::vector<uint32_t> piece_points; // sorted positions of the pieces' points
    uint32_t deepest_level = 0;
};

// Plans the tiles of sorted points (codes in (code, id) order) of the slots
// [slot_begin, slot_end); the points must lie in those slots. Tiles above
// level S that reach outside the slots become pieces. pooled: for the
// finishing step (slots: all of them), the pieces that partitions handed up,
// whose sample points are placed into their tiles as they are and whose
// deferred points are built here; nullptr in partitions.
TilePlan plan_tiles(const uint64_t* sorted_codes, size_t count, const TileLayout& layout, uint64_t slot_begin,
                    uint64_t slot_end, const PooledPieces* pooled);

// One tile's GLB: the points at rows[0 .. count) of columns, in that order.
std::vector<uint8_t> tile_glb(const TileLayout& layout, TileKey key, const PointColumns& columns,
                              const uint32_t* rows, size_t count);

// The subtree file of the subtree rooted at `root` (its level a multiple of S):
// available tiles are those of `tiles` (sorted), each with content.
std::vector<uint8_t> subtree_file(const TileLayout& layout, TileKey root, const std::vector<TileKey>& tiles);

// tileset.json for a tree of `levels` levels.
std::string tileset_json(const TileLayout& layout, uint32_t levels);

// Paths of a tile's content and of a subtree file, relative to the tileset's folder.
std::string tile_path(TileKey key);
std::string subtree_path(TileKey key);

// Writes bytes to folder/relative, making its folders; throws std::runtime_error naming the path.
void write_file(const std::string& folder, const std::string& relative, const void* data, size_t length);

}  // namespace glb::tiles
