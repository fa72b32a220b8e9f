#include "tiles/tile_build.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "memory/large_memory.h"
#include "parallel/parallel.h"

namespace glb::tiles {

namespace {

// Runs work(i) for i in [0, count) on thread_count threads; the first failure (by i) is rethrown after the join.
template <typename Work>
void for_each_item(size_t count, uint32_t thread_count, const Work& work) {
    const uint32_t threads = uint32_t(std::max<size_t>(1, std::min<size_t>(thread_count, count)));
    std::vector<std::exception_ptr> failures(threads);
    parallel_ranges(count, threads, [&](uint32_t range, size_t begin, size_t end) {
        try {
            for (size_t i = begin; i < end; ++i) work(i);
        } catch (...) {
            failures[range] = std::current_exception();
        }
    });
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

struct Sorted {
    std::vector<uint32_t> order;   // rows, by (code, id)
    std::vector<uint64_t> codes;   // theirs
};

Sorted sort_columns(const TileLayout& layout, const PointColumns& columns, uint32_t thread_count) {
    if (columns.count > 0xFFFFFFFFu) throw std::length_error("a partition holds at most 2^32 - 1 points");
    std::vector<uint64_t> codes(columns.count);
    parallel_ranges(columns.count, std::max<uint32_t>(1, thread_count), [&](uint32_t, size_t begin, size_t end) {
        tile_codes(codes.data() + begin, columns.positions + 3 * begin, end - begin, layout);
    });
    Sorted sorted;
    sorted.order.resize(columns.count);
    sorted.codes.resize(columns.count);
    sort_points(sorted.order.data(), sorted.codes.data(), codes.data(), columns.ids, columns.count,
                std::max<uint32_t>(1, thread_count));
    return sorted;
}

// Writes the plan's tiles and the subtrees rooted at its tiles of levels
// first_subtree_level, + S, ...; rows: sorted positions to column rows.
BuildTotals write_plan(const std::string& folder, const TileLayout& layout, const PointColumns& columns,
                       const uint32_t* rows, const TilePlan& plan, uint32_t first_subtree_level,
                       uint32_t thread_count, const std::vector<TileKey>& other_tiles) {
    std::vector<uint64_t> bytes(plan.tiles.size(), 0);
    for_each_item(plan.tiles.size(), thread_count, [&](size_t t) {
        const PlannedTile& tile = plan.tiles[t];
        std::vector<uint32_t> tile_rows(tile.end - tile.begin);
        for (size_t i = 0; i < tile_rows.size(); ++i) tile_rows[i] = rows[plan.members[tile.begin + i]];
        const std::vector<uint8_t> glb = tile_glb(layout, tile.key, columns, tile_rows.data(), tile_rows.size());
        write_file(folder, tile_path(tile.key), glb.data(), glb.size());
        bytes[t] = glb.size();
    });
    BuildTotals totals;
    std::vector<TileKey> keys(other_tiles);
    for (size_t t = 0; t < plan.tiles.size(); ++t) {
        keys.push_back(plan.tiles[t].key);
        totals.points += plan.tiles[t].end - plan.tiles[t].begin;
        totals.bytes += bytes[t];
    }
    std::sort(keys.begin(), keys.end());
    totals.tiles = plan.tiles.size();
    totals.deepest_level = plan.deepest_level;
    std::vector<TileKey> roots;
    for (const PlannedTile& tile : plan.tiles)
        if (tile.key.level >= first_subtree_level && tile.key.level % layout.subtree_levels == 0) roots.push_back(tile.key);
    if (first_subtree_level == 0) roots.push_back(TileKey{0, 0});
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    std::vector<uint64_t> subtree_bytes(roots.size(), 0);
    for_each_item(roots.size(), thread_count, [&](size_t r) {
        // The tiles of this subtree: those of its root's levels, found by binary search in the sorted keys.
        const TileKey root = roots[r];
        std::vector<TileKey> inside;
        for (unsigned depth = 0; depth <= layout.subtree_levels; ++depth) {
            const uint32_t level = root.level + depth;
            const TileKey first{level, root.index << (3 * depth)};
            const TileKey last{level, ((root.index + 1) << (3 * depth)) - 1};
            auto from = std::lower_bound(keys.begin(), keys.end(), first);
            auto to = std::upper_bound(keys.begin(), keys.end(), last);
            inside.insert(inside.end(), from, to);
        }
        const std::vector<uint8_t> file = subtree_file(layout, root, inside);
        write_file(folder, subtree_path(root), file.data(), file.size());
        subtree_bytes[r] = file.size();
    });
    for (uint64_t b : subtree_bytes) totals.bytes += b;
    return totals;
}

void add_totals(BuildTotals& into, const BuildTotals& more) {
    into.points += more.points;
    into.tiles += more.tiles;
    into.bytes += more.bytes;
    into.deepest_level = std::max(into.deepest_level, more.deepest_level);
}

// A partition from its sorted points: plan, write, and gather what it hands up.
PartitionResult build_sorted(const std::string& folder, const TileLayout& layout, const PointColumns& columns,
                             const uint32_t* order, const uint64_t* codes, size_t count, uint64_t slot_begin,
                             uint64_t slot_end, uint32_t thread_count) {
    PartitionResult result;
    const TilePlan plan = plan_tiles(codes, count, layout, slot_begin, slot_end, nullptr);
    result.totals = write_plan(folder, layout, columns, order, plan, layout.subtree_levels, thread_count, {});
    for (const PlannedTile& tile : plan.tiles)
        if (tile.key.level <= layout.subtree_levels) result.upper_tiles.push_back(tile.key);

    HandedPoints& handed = result.handed;
    const size_t n = plan.piece_points.size();
    handed.positions.resize(3 * n);
    handed.colors.resize(columns.colors != nullptr ? columns.color_width * n : 0);
    handed.ids.resize(n);
    handed.attributes.resize(columns.attributes.size());
    for (size_t a = 0; a < columns.attributes.size(); ++a)
        handed.attributes[a].resize(scalar_size(columns.attributes[a].type) * n);
    for (size_t i = 0; i < n; ++i) {
        const size_t row = order[plan.piece_points[i]];
        std::memcpy(&handed.positions[3 * i], columns.positions + 3 * row, 3 * sizeof(double));
        if (columns.colors != nullptr)
            std::memcpy(&handed.colors[columns.color_width * i], columns.colors + columns.color_width * row,
                        columns.color_width);
        handed.ids[i] = columns.ids != nullptr ? columns.ids[row] : columns.first_id + row;
        for (size_t a = 0; a < columns.attributes.size(); ++a) {
            const size_t size = scalar_size(columns.attributes[a].type);
            std::memcpy(&handed.attributes[a][size * i], static_cast<const uint8_t*>(columns.attributes[a].values) + size * row,
                        size);
        }
    }
    handed.pieces = plan.pieces;
    return result;
}

}  // namespace

PartitionResult build_partition(const std::string& folder, const TileLayout& layout, const PointColumns& columns,
                                uint64_t slot_begin, uint64_t slot_end, uint32_t thread_count) {
    const Sorted sorted = sort_columns(layout, columns, thread_count);
    return build_sorted(folder, layout, columns, sorted.order.data(), sorted.codes.data(), columns.count, slot_begin,
                        slot_end, thread_count);
}

BuildTotals finish_tileset(const std::string& folder, const TileLayout& layout, const PointColumns& handed,
                           const std::vector<Piece>& pieces, const std::vector<TileKey>& upper_tiles,
                           const BuildTotals& partition_totals, uint32_t thread_count) {
    const Sorted sorted = sort_columns(layout, handed, thread_count);
    PooledPieces pooled;
    pooled.pieces = pieces;
    std::vector<uint32_t> piece_of_row(handed.count, 0);
    for (size_t p = 0; p < pieces.size(); ++p)
        for (uint64_t row = pieces[p].begin; row < pieces[p].end; ++row) piece_of_row[row] = uint32_t(p);
    pooled.piece_of.resize(handed.count);
    for (size_t i = 0; i < handed.count; ++i) pooled.piece_of[i] = piece_of_row[sorted.order[i]];

    const TilePlan plan = plan_tiles(sorted.codes.data(), handed.count, layout, 0, slot_count(layout), &pooled);
    BuildTotals totals = write_plan(folder, layout, handed, sorted.order.data(), plan, 0, thread_count, upper_tiles);
    add_totals(totals, partition_totals);

    const std::string text = tileset_json(layout, totals.deepest_level + 1);
    const std::string temporary = "tileset.json.partial";
    write_file(folder, temporary, text.data(), text.size());
    const std::filesystem::path base = std::filesystem::u8path(folder);
    std::filesystem::rename(base / temporary, base / "tileset.json");
    return totals;
}

BuildTotals build_tileset(const std::string& folder, const TileLayout& layout, const PointColumns& columns,
                          uint32_t thread_count) {
    thread_count = std::max<uint32_t>(1, thread_count);
    const Sorted sorted = sort_columns(layout, columns, thread_count);
    // Partitions of whole slots, about equal in points: a few per thread, for balance.
    const size_t wanted = std::min<size_t>(size_t(thread_count) * 4, std::max<size_t>(1, columns.count / 65536));
    std::vector<size_t> cuts{0};
    for (size_t p = 1; p < wanted; ++p) {
        size_t at = columns.count * p / wanted;
        while (at < columns.count && at > cuts.back() &&
               slot_of(sorted.codes[at], layout) == slot_of(sorted.codes[at - 1], layout))
            ++at;
        if (at > cuts.back() && at < columns.count) cuts.push_back(at);
    }
    cuts.push_back(columns.count);
    const size_t partitions = cuts.size() - 1;
    std::vector<PartitionResult> results(partitions);
    for_each_item(partitions, thread_count, [&](size_t p) {
        const uint64_t slot_begin = p == 0 ? 0 : slot_of(sorted.codes[cuts[p]], layout);
        const uint64_t slot_end = p + 1 == partitions ? slot_count(layout) : slot_of(sorted.codes[cuts[p + 1]], layout);
        results[p] = build_sorted(folder, layout, columns, sorted.order.data() + cuts[p], sorted.codes.data() + cuts[p],
                                  cuts[p + 1] - cuts[p], slot_begin, slot_end, 1);
    });

    // The handed-up points of every partition, in partition order, as one set of columns.
    HandedPoints all;
    all.attributes.resize(columns.attributes.size());
    std::vector<TileKey> upper;
    BuildTotals partition_totals;
    for (PartitionResult& result : results) {
        const uint64_t base = all.ids.size();
        for (Piece piece : result.handed.pieces) {
            piece.begin += base;
            piece.end += base;
            all.pieces.push_back(piece);
        }
        all.positions.insert(all.positions.end(), result.handed.positions.begin(), result.handed.positions.end());
        all.colors.insert(all.colors.end(), result.handed.colors.begin(), result.handed.colors.end());
        all.ids.insert(all.ids.end(), result.handed.ids.begin(), result.handed.ids.end());
        for (size_t a = 0; a < all.attributes.size(); ++a)
            all.attributes[a].insert(all.attributes[a].end(), result.handed.attributes[a].begin(),
                                     result.handed.attributes[a].end());
        upper.insert(upper.end(), result.upper_tiles.begin(), result.upper_tiles.end());
        add_totals(partition_totals, result.totals);
        result = PartitionResult{};
    }
    PointColumns handed;
    handed.positions = all.positions.data();
    handed.colors = columns.colors != nullptr ? all.colors.data() : nullptr;
    handed.color_width = columns.color_width;
    handed.ids = all.ids.data();
    handed.count = all.ids.size();
    for (size_t a = 0; a < columns.attributes.size(); ++a) {
        AttributeColumn column = columns.attributes[a];
        column.values = all.attributes[a].data();
        handed.attributes.push_back(column);
    }
    return finish_tileset(folder, layout, handed, all.pieces, upper, partition_totals, thread_count);
}

}  // namespace glb::tiles
