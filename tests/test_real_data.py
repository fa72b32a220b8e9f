"""Files of real float data (not on a decimal grid), at several scales, with bounds
that are the data's exact extremes: every one must pass the validator."""

import numpy as np
import pytest

from real_data import random_files


@pytest.mark.parametrize("scale", [1.0, 1e-9, 1e3])
def test_real_float_data_gives_valid_files(validator, scale):
    rng = np.random.default_rng(round(-np.log10(scale)) % 100)
    for _, glb in random_files(rng, scale, 5):
        validator.assert_valid(glb)
