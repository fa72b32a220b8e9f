// spatial_assembler._core's tileset functions over core/tiles: the layout, the
// points' slots (for a partitioned build), a partition's build, the finishing
// step and the in-memory build. The package's tiles.py checks every argument
// and hands over C-contiguous arrays of the types named here; the layout
// travels as a dict, so that Dask can send it to its workers.
#include "tiles_binding.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tiles/tile_build.h"

namespace py = pybind11;
using namespace glb::tiles;

namespace {

// Aligned too: Dask hands partitions over in buffers that unpickling can leave
// at any byte offset, and the core reads doubles and 64-bit ids as such; numpy
// copies such an array on the way in.
constexpr int kAlignedRows = py::array::c_style | py::detail::npy_api::NPY_ARRAY_ALIGNED_;
using Doubles = py::array_t<double, kAlignedRows>;
using Bytes = py::array_t<uint8_t, py::array::c_style>;
using Ids = py::array_t<uint64_t, kAlignedRows>;
constexpr int kAlignedCast = kAlignedRows | py::array::forcecast;  // the pieces that partitions hand back

py::dict layout_dict(const TileLayout& layout) {
    py::dict d;
    d["center"] = py::make_tuple(layout.center[0], layout.center[1], layout.center[2]);
    d["half_side"] = layout.half_side;
    d["sample_depth"] = layout.sample_depth;
    d["subtree_levels"] = layout.subtree_levels;
    d["points_per_tile"] = layout.points_per_tile;
    d["meshopt"] = layout.meshopt;
    py::list transform;
    for (double value : layout.root_transform) transform.append(value);
    d["transform"] = py::tuple(transform);
    return d;
}

TileLayout layout_of(const py::dict& d) {
    TileLayout layout;
    const auto center = d["center"].cast<std::vector<double>>();
    const auto transform = d["transform"].cast<std::vector<double>>();
    if (center.size() != 3 || transform.size() != 16) throw py::value_error("a tile layout needs 3 centre and 16 transform numbers");
    std::memcpy(layout.center, center.data(), sizeof layout.center);
    std::memcpy(layout.root_transform, transform.data(), sizeof layout.root_transform);
    layout.half_side = d["half_side"].cast<double>();
    layout.sample_depth = d["sample_depth"].cast<unsigned>();
    layout.subtree_levels = d["subtree_levels"].cast<unsigned>();
    layout.points_per_tile = d["points_per_tile"].cast<uint64_t>();
    layout.meshopt = d["meshopt"].cast<bool>();
    return layout;
}

ScalarType scalar_type_named(const std::string& code) {
    static const char* const kCodes[] = {"i1", "u1", "i2", "u2", "i4", "u4", "i8", "u8", "f4", "f8"};
    for (size_t i = 0; i < sizeof kCodes / sizeof kCodes[0]; ++i)
        if (code == kCodes[i]) return ScalarType(i);
    throw py::type_error("attribute type code must be one of i1 u1 i2 u2 i4 u4 i8 u8 f4 f8, not " + code);
}

// Columns over the arrays: positions (n, 3) float64, colors None or (n, 3|4)
// uint8, attributes [(name, array, type code, minimum, maximum)], ids None or (n,) uint64.
PointColumns columns_of(const Doubles& positions, const py::object& colors, const py::list& attributes,
                        const py::object& ids) {
    PointColumns columns;
    columns.count = size_t(positions.size() / 3);
    columns.positions = positions.data();
    if (!colors.is_none()) {
        const Bytes array = colors.cast<Bytes>();
        columns.colors = array.data();
        columns.color_width = unsigned(array.ndim() == 2 ? array.shape(1) : 3);
        if (size_t(array.size()) != columns.count * columns.color_width) throw py::value_error("colors: wrong length");
    }
    for (const py::handle item : attributes) {
        const py::tuple entry = py::reinterpret_borrow<py::tuple>(item);
        AttributeColumn column;
        column.name = entry[0].cast<std::string>();
        const py::array values = entry[1].cast<py::array>();
        column.type = scalar_type_named(entry[2].cast<std::string>());
        column.minimum = entry[3].cast<double>();
        column.maximum = entry[4].cast<double>();
        if (size_t(values.size()) != columns.count || size_t(values.itemsize()) != scalar_size(column.type) ||
            !(values.flags() & py::array::c_style))
            throw py::value_error("attribute " + column.name + ": wrong length, type or layout");
        column.values = values.data();
        columns.attributes.push_back(column);
    }
    if (!ids.is_none()) {
        const Ids array = ids.cast<Ids>();
        if (size_t(array.size()) != columns.count) throw py::value_error("ids: wrong length");
        columns.ids = array.data();
    }
    return columns;
}

uint32_t threads_of(int requested) {
    if (requested > 0) return uint32_t(requested);
    return std::max(1u, std::thread::hardware_concurrency());
}

py::dict totals_dict(const BuildTotals& totals) {
    py::dict d;
    d["points"] = totals.points;
    d["tiles"] = totals.tiles;
    d["bytes"] = totals.bytes;
    d["deepest_level"] = totals.deepest_level;
    return d;
}

BuildTotals totals_of(const py::dict& d) {
    BuildTotals totals;
    totals.points = d["points"].cast<uint64_t>();
    totals.tiles = d["tiles"].cast<uint64_t>();
    totals.bytes = d["bytes"].cast<uint64_t>();
    totals.deepest_level = d["deepest_level"].cast<uint32_t>();
    return totals;
}

template <typename T>
py::array_t<T> array_of(const std::vector<T>& values, std::vector<py::ssize_t> shape) {
    py::array_t<T> array{py::array::ShapeContainer(std::move(shape))};
    if (!values.empty()) std::memcpy(array.mutable_data(), values.data(), values.size() * sizeof(T));
    return array;
}

py::dict keys_dict(const std::vector<TileKey>& keys) {
    std::vector<uint32_t> levels;
    std::vector<uint64_t> indices;
    for (const TileKey& key : keys) {
        levels.push_back(key.level);
        indices.push_back(key.index);
    }
    py::dict d;
    d["level"] = array_of(levels, {py::ssize_t(levels.size())});
    d["index"] = array_of(indices, {py::ssize_t(indices.size())});
    return d;
}

std::vector<TileKey> keys_of(const py::dict& d) {
    const auto levels = d["level"].cast<py::array_t<uint32_t, kAlignedCast>>();
    const auto indices = d["index"].cast<py::array_t<uint64_t, kAlignedCast>>();
    std::vector<TileKey> keys(size_t(levels.size()));
    for (size_t i = 0; i < keys.size(); ++i) keys[i] = TileKey{levels.data()[i], indices.data()[i]};
    return keys;
}

// The pieces as columns: level, index, sample, local_count, count (each piece's points follow the previous ones).
py::dict pieces_dict(const std::vector<Piece>& pieces) {
    std::vector<uint32_t> levels;
    std::vector<uint64_t> indices, local_counts, counts;
    std::vector<uint8_t> samples;
    for (const Piece& piece : pieces) {
        levels.push_back(piece.key.level);
        indices.push_back(piece.key.index);
        samples.push_back(piece.sample);
        local_counts.push_back(piece.local_count);
        counts.push_back(piece.end - piece.begin);
    }
    const py::ssize_t n = py::ssize_t(pieces.size());
    py::dict d;
    d["level"] = array_of(levels, {n});
    d["index"] = array_of(indices, {n});
    d["sample"] = array_of(samples, {n});
    d["local_count"] = array_of(local_counts, {n});
    d["count"] = array_of(counts, {n});
    return d;
}

std::vector<Piece> pieces_of(const py::dict& d) {
    using U64 = py::array_t<uint64_t, kAlignedCast>;
    const auto levels = d["level"].cast<py::array_t<uint32_t, kAlignedCast>>();
    const auto indices = d["index"].cast<U64>();
    const auto samples = d["sample"].cast<py::array_t<uint8_t, kAlignedCast>>();
    const auto local_counts = d["local_count"].cast<U64>();
    const auto counts = d["count"].cast<U64>();
    std::vector<Piece> pieces(size_t(levels.size()));
    uint64_t at = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        Piece& piece = pieces[i];
        piece.key = TileKey{levels.data()[i], indices.data()[i]};
        piece.sample = samples.data()[i] != 0;
        piece.local_count = local_counts.data()[i];
        piece.begin = at;
        at += counts.data()[i];
        piece.end = at;
    }
    return pieces;
}

py::dict layout(const std::vector<double>& minimum, const std::vector<double>& maximum, uint64_t points_per_tile,
                bool meshopt) {
    if (minimum.size() != 3 || maximum.size() != 3) throw py::value_error("minimum and maximum are three numbers each");
    return layout_dict(tile_layout(minimum.data(), maximum.data(), points_per_tile, meshopt));
}

py::array_t<uint64_t> slots(const Doubles& positions, const py::dict& layout_given) {
    const TileLayout layout = layout_of(layout_given);
    const size_t count = size_t(positions.size() / 3);
    py::array_t<uint64_t> result{py::array::ShapeContainer{py::ssize_t(count)}};
    uint64_t* out = result.mutable_data();
    {
        py::gil_scoped_release released;
        tile_codes(out, positions.data(), count, layout);
        for (size_t i = 0; i < count; ++i) out[i] = slot_of(out[i], layout);
    }
    return result;
}

py::dict partition(const std::string& folder, const py::dict& layout_given, const Doubles& positions,
                   const py::object& colors, const py::list& attributes, const py::object& ids, uint64_t slot_begin,
                   uint64_t slot_end, int threads) {
    const TileLayout layout = layout_of(layout_given);
    const PointColumns columns = columns_of(positions, colors, attributes, ids);
    PartitionResult result;
    {
        py::gil_scoped_release released;
        result = build_partition(folder, layout, columns, slot_begin, slot_end, threads_of(threads));
    }
    const HandedPoints& handed = result.handed;
    const py::ssize_t n = py::ssize_t(handed.ids.size());
    py::dict d;
    d["totals"] = totals_dict(result.totals);
    d["upper"] = keys_dict(result.upper_tiles);
    d["positions"] = array_of(handed.positions, {n, 3});
    d["colors"] = columns.colors != nullptr ? py::object(array_of(handed.colors, {n, py::ssize_t(columns.color_width)}))
                                            : py::object(py::none());
    py::list values;
    for (size_t a = 0; a < handed.attributes.size(); ++a) {
        const py::array source = py::reinterpret_borrow<py::tuple>(attributes[a])[1].cast<py::array>();
        py::array array(source.dtype(), py::array::ShapeContainer{n});
        if (!handed.attributes[a].empty())
            std::memcpy(array.mutable_data(), handed.attributes[a].data(), handed.attributes[a].size());
        values.append(array);
    }
    d["attributes"] = values;
    d["ids"] = array_of(handed.ids, {n});
    d["pieces"] = pieces_dict(handed.pieces);
    return d;
}

py::dict finish(const std::string& folder, const py::dict& layout_given, const Doubles& positions,
                const py::object& colors, const py::list& attributes, const Ids& ids, const py::dict& pieces,
                const py::dict& upper, const py::dict& totals, int threads) {
    const TileLayout layout = layout_of(layout_given);
    const PointColumns columns = columns_of(positions, colors, attributes, ids);
    const std::vector<Piece> piece_list = pieces_of(pieces);
    const std::vector<TileKey> upper_tiles = keys_of(upper);
    const BuildTotals partition_totals = totals_of(totals);
    if (!piece_list.empty() && piece_list.back().end != columns.count)
        throw py::value_error("the pieces do not cover the handed-up points");
    BuildTotals result;
    {
        py::gil_scoped_release released;
        result = finish_tileset(folder, layout, columns, piece_list, upper_tiles, partition_totals, threads_of(threads));
    }
    return totals_dict(result);
}

py::dict build(const std::string& folder, const py::dict& layout_given, const Doubles& positions,
               const py::object& colors, const py::list& attributes, int threads) {
    const TileLayout layout = layout_of(layout_given);
    const PointColumns columns = columns_of(positions, colors, attributes, py::none());
    BuildTotals result;
    {
        py::gil_scoped_release released;
        result = build_tileset(folder, layout, columns, threads_of(threads));
    }
    return totals_dict(result);
}

}  // namespace

void register_tiles(py::module_& module) {
    module.def("tiles_layout", &layout, py::arg("minimum"), py::arg("maximum"), py::arg("points_per_tile"),
               py::arg("meshopt"));
    module.def("tiles_slots", &slots, py::arg("positions"), py::arg("layout"));
    module.def("tiles_partition", &partition, py::arg("folder"), py::arg("layout"), py::arg("positions"),
               py::arg("colors"), py::arg("attributes"), py::arg("ids"), py::arg("slot_begin"), py::arg("slot_end"),
               py::arg("threads") = 0);
    module.def("tiles_finish", &finish, py::arg("folder"), py::arg("layout"), py::arg("positions"), py::arg("colors"),
               py::arg("attributes"), py::arg("ids"), py::arg("pieces"), py::arg("upper"), py::arg("totals"),
               py::arg("threads") = 0);
    module.def("tiles_build", &build, py::arg("folder"), py::arg("layout"), py::arg("positions"), py::arg("colors"),
               py::arg("attributes"), py::arg("threads") = 0);
}
