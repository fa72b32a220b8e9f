"""What a renderer shows of a colour: linear components as 8-bit sRGB values."""

import numpy as np


def srgb_bytes(linear):
    """Linear colour components to the 8-bit sRGB values a renderer shows."""
    linear = np.clip(np.asarray(linear, np.float64), 0, 1)
    encoded = np.where(linear <= 0.0031308, 12.92 * linear, 1.055 * linear ** (1 / 2.4) - 0.055)
    return np.round(encoded * 255).astype(int)


# The background of the viewer pages (the demo's and the notebook's), 0x0b1020.
PAGE_BACKGROUND = [11, 16, 32]
