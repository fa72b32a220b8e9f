"""The shared table of bad inputs (tests/bad_inputs.json), against the Python
package: each one raises the error kind it names, with a message that names the
argument (and the first bad row), before any file is returned."""

import json
from pathlib import Path

import numpy as np
import pytest

import spatial_assembler as sa

TABLE = json.loads((Path(__file__).parent / "bad_inputs.json").read_text())["cases"]
NUMBERS = {"NaN": float("nan"), "Infinity": float("inf"), "-Infinity": float("-inf")}
ERRORS = {"value": ValueError, "type": TypeError}


def decoded(value):
    """The table's JSON as Python values: numpy arrays for typed arrays, bytearrays for buffers, floats for NaN
    and infinities."""
    if isinstance(value, dict) and "array" in value:  # integers beyond 2^53 come as strings
        array = np.array([int(v) if isinstance(v, str) else v for v in value["values"]], dtype=value["array"])
        return array.reshape(value["shape"]) if "shape" in value else array
    if isinstance(value, dict) and "buffer" in value:
        return bytearray(value["buffer"])
    if isinstance(value, list):
        return [decoded(item) for item in value]
    return NUMBERS.get(value, value) if isinstance(value, str) else value


def call(case):
    function = {"points": sa.point_cloud, "atoms": sa.atoms, "mesh": sa.mesh}[case["function"]]
    positions = decoded(case["positions"])
    if isinstance(positions, np.ndarray) and positions.ndim == 1:
        positions = positions.reshape(-1, 3)
    arguments = [positions] + ([decoded(case["faces"])] if case["function"] == "mesh" else [])
    if case["function"] == "mesh" and isinstance(arguments[1], np.ndarray):
        arguments[1] = arguments[1].reshape(-1, 3)
    options = {name: decoded(value) for name, value in case.get("options", {}).items()}
    if case["function"] == "points" and "colors" in options:
        arguments.append(options.pop("colors"))
    return function(*arguments, **options)


@pytest.mark.parametrize("case", TABLE, ids=[case["case"] for case in TABLE])
def test_each_bad_input_raises_a_clear_error(case):
    with pytest.raises(ERRORS[case["error"]]) as raised:
        call(case)
    message = str(raised.value)
    assert case["argument"] in message, message
    if "row" in case:
        assert f"row {case['row']}" in message, message
    assert case.get("message", "") in message, message
